#pragma once

#include <ostream>

// The Jet statements and criteria whose rows both engines must give alike, over a small year
// table of incoming letters. The statements that make the tables are plain SQL that SQLite and
// the server both read, once " COLLATE NOCASE" is read as the server's code point order.

namespace translation_cases {

inline const char* const letters =
    "CREATE TABLE cvden2009 (id INTEGER PRIMARY KEY, stt INTEGER, noigui TEXT COLLATE NOCASE,"
    " loai TEXT COLLATE NOCASE, so_cv TEXT COLLATE NOCASE, chonin TEXT COLLATE NOCASE,"
    " ng_denchuan TEXT COLLATE NOCASE, kieuupdate INTEGER, idcu INTEGER, khan BOOLEAN);;"
    "INSERT INTO cvden2009 VALUES"
    " (1, 1, 'Bộ Tài chính', 'Quyết định', '12/QĐ', '', '20090105', 0, 1, TRUE),"
    " (2, 2, 'BỘ NỘI VỤ', 'QUYẾT ĐỊNH', '7/TB', 'X', '20090210', 1, 2, FALSE),"
    " (3, 3, 'Sở Xây dựng Hà Nội', 'Thông báo', '3', '', '20090301', 2, 3, FALSE),"
    " (4, 4, 'Đức Phổ', 'thông báo', NULL, 'x', '20090302', 0, 4, TRUE)";

enum class Run
{
    Select, // the statement's first column, row by row
    Find,   // the ids of cvden2009 matching the criterion
};

struct TranslationCase
{
    const char* name;
    Run run;
    const char* statement;
    const char* expected;   // values separated by ";"
    const char* setup = ""; // plain SQL statements run first, separated by ";;"
    // Where the server rightly answers otherwise: which spelling of texts equal but for letter
    // case a DISTINCT shows (there the one first in code point order).
    const char* serverExpected = nullptr;
};

inline const char* const departments =
    "CREATE TABLE bophan (id INTEGER PRIMARY KEY, phong TEXT COLLATE NOCASE, donvi TEXT COLLATE NOCASE);;"
    "INSERT INTO bophan VALUES (1, 'B', 'a'), (2, 'a', 'z'), (3, 'đ', 'x'), (4, 'Đ', 'a')";
inline const char* const letterTypes = "CREATE TABLE loaicv (id INTEGER PRIMARY KEY, loai TEXT COLLATE NOCASE);;"
                                       "INSERT INTO loaicv VALUES (1, 'QUYẾT ĐỊNH'), (2, 'Thông báo')";

inline const TranslationCase cases[] = {
    {"BracketedNames", Run::Select, "select [stt] from [cvden2009] where [id]=3", "3"},
    {"KeywordsInAnyCaseAndSemicolon", Run::Select, "sElEcT stt FrOm cvden2009 WhErE id = 2 OrDeR bY stt ;", "2"},
    {"EqualsIgnoresVietnameseCase", Run::Find, "noigui = 'bộ nội vụ'", "2"},
    {"NotEqualIgnoresCase", Run::Find, "chonin <> 'X'", "1;3"},
    {"InListIgnoresCase", Run::Find, "loai IN ('quyết định', 'XYZ')", "1;2"},
    {"LikeStar", Run::Find, "[noigui] Like '*bộ*'", "1;2"},
    {"CriteriaLanguageNumbers", Run::Find, "([stt]=1 or [stt] between 3 and 7 or [stt]>100) and ([stt] <> 4)", "1;3"},
    {"NullColumnNeverMatchesLike", Run::Find, "so_cv Not Like '*/*'", "3"},
    {"DistinctIgnoresCase", Run::Select, "select distinct loai from cvden2009 where loai<>'' order by loai",
     "Quyết định;Thông báo", "", "QUYẾT ĐỊNH;Thông báo"},
    {"OrderByJoinedColumnsIgnoresCase", Run::Select, "select id from bophan order by phong+donvi", "2;1;4;3",
     departments},
    {"OrderByAnAliasIgnoresCase", Run::Select, "select id, phong as noi from bophan order by noi, id desc", "2;1;4;3",
     departments},
    {"UnionOrderedByAColumnIgnoresCase", Run::Select,
     "select id, phong from bophan where id < 3 union all select id, donvi from bophan where id > 2 order by phong, id",
     "2;4;1;3", departments},
    {"OrderByTwoColumnsIgnoresCase", Run::Select, "select id from bophan order by phong, donvi desc", "2;1;3;4",
     departments},
    {"PlusAddsNumberInText", Run::Select, "select so_cv + 1 from cvden2009 where id = 3", "4"},
    {"PlusJoinsTexts", Run::Select, "select 'a' + 'b' from cvden2009 where id = 3", "ab"},
    {"AmpersandReadsNullAsEmpty", Run::Select, "select stt & '-' & so_cv from cvden2009 where id in (3, 4) order by id",
     "3-3;4-"},
    {"True", Run::Find, "[khan] = True", "1;4"},
    {"False", Run::Find, "[khan] = False", "2;3"},
    {"Left", Run::Select, "select left(noigui,3) as dau from cvden2009 where id=1", "Bộ "},
    {"DoubledQuoteInLiteral", Run::Find, "noigui='o''neil'", "7",
     "INSERT INTO cvden2009 (id, noigui) VALUES (7, 'O''Neil')"},
    {"QuoteInDoubleQuotedLiteral", Run::Find, "noigui=\"O'Neil\"", "7",
     "INSERT INTO cvden2009 (id, noigui) VALUES (7, 'O''Neil')"},
    {"TopBecomesLimit", Run::Select, "select top 2 id from cvden2009 order by id desc", "4;3"},
    {"InnerJoin", Run::Select,
     "select count(*) from cvden2009 inner join loaicv on cvden2009.loai = loaicv.loai where loaicv.id = 1", "2",
     letterTypes},
    {"LeftJoinAndAggregate", Run::Select,
     "select l.id, count(c.id) from loaicv as l left join cvden2009 c on l.loai = c.loai group by l.id order by l.id",
     "1;2", letterTypes},
    {"DateLiteralBecomesIsoText", Run::Select, "select x from d where x = #2/1/2009#", "2009-02-01",
     "CREATE TABLE d (x TEXT);;INSERT INTO d VALUES ('2009-02-01')"},
};

inline void PrintTo(const TranslationCase& c, std::ostream* os)
{
    *os << c.name;
}

} // namespace translation_cases
