// The Jet functions on the server: the table our SQLite connections answer, then every function on
// a column of each type the server's tables have, where the old engine takes such a value.
#include "function_cases.h"
#include "pg_server_fixture.h"

#include "platform/db/db_error.h"
#include "platform/db/pg/jet_functions.h"

#include <span>

namespace {

using pg_test::ServerTest;

// The only value of select sql as the tables write it: "NULL", "error", or its text.
QString onlyValue(db::pg::ServerConnection& server, const QString& sql)
{
    try {
        const QList<QVariantList> rows = server.query(sql);
        if (rows.size() != 1 || rows.first().size() != 1)
            return u"rows: "_s + QString::number(rows.size());
        const QVariant value = rows.first().first();
        return value.isNull() ? u"NULL"_s : value.toString();
    } catch (const db::DbError&) {
        return u"error"_s;
    }
}

QString call(const char* function, const char* args)
{
    return u"select jet_"_s + QLatin1String(function) + u'(' + QString::fromUtf8(args) + u')';
}

// A row of one value per column type: v varchar(20), t text, s smallint, i integer, d double
// precision, w timestamp(0), b boolean.
const test::FunctionCase columnCases[] = {
    {"LeftOfVarchar", "left", "v, 3", " 12"},
    {"LeftOfTextWithSmallintLength", "left", "t, s", "Phòng T"},
    {"LeftOfIntegerWithIntegerLength", "left", "i, i", "12"},
    {"LeftOfDouble", "left", "d, 2", "-2"},
    {"LeftOfDateAtMidnight", "left", "w, 20", "2009-02-01"},
    {"LeftOfYesNo", "left", "b, 1", "1"},
    {"LeftWithDoubleLength", "left", "t, d + 4", "P"},
    {"RightOfDateWithTime", "right", "w + interval '8 hours 5 minutes', 8", "08:05:00"},
    {"MidOfVarchar", "mid", "v, 2, s", "12 abc "},
    {"MidOfText", "mid", "t, 7", "Tổ chức"},
    {"LenOfVarchar", "len", "v", "9"},
    {"LenOfSmallint", "len", "s", "1"},
    {"LenOfDouble", "len", "d", "4"},
    {"LenOfDate", "len", "w", "10"},
    {"TrimOfVarchar", "trim", "v", "12 abc"},
    {"LtrimOfVarchar", "ltrim", "v", "12 abc  "},
    {"RtrimOfText", "rtrim", "t || '  '", "Phòng Tổ chức"},
    {"TrimOfInteger", "trim", "i", "12"},
    {"TrimKeepsTabs", "trim", "chr(9) || 'a '", "\ta"},
    {"UcaseOfText", "ucase", "t", "PHÒNG TỔ CHỨC"},
    {"LcaseOfVarchar", "lcase", "'ĐỨC ' || v", "đức  12 abc  "},
    {"UcaseOfDate", "ucase", "w", "2009-02-01"},
    {"NzOfVarchar", "nz", "v", " 12 abc  "},
    {"NzOfNullColumn", "nz", "n", ""},
    {"NzOfIntegerWithNumber", "nz", "i, 0", "12"},
    {"NzOfSmallintWithInteger", "nz", "s, i", "7"},
    {"NzOfNullIntegerWithEmptyText", "nz", "n::integer, ''", ""},
    {"NzOfNullTextWithNumber", "nz", "n, d", "-2.5"},
    {"NzOfTwoTexts", "nz", "n, t", "Phòng Tổ chức"},
    {"NzOfTwoVarchars", "nz", "v, v", " 12 abc  "},
    {"NzOfVarcharAndText", "nz", "v, t", " 12 abc  "},
    {"NzOfNullDateWithDate", "nz", "n::timestamp(0), w", "2009-02-01 00:00:00"},
    {"NzOfDouble", "nz", "d, 1", "-2.5"},
    {"NzOfYesNo", "nz", "b, false", "true"},
    {"ValOfVarchar", "val", "v", "12"},
    {"ValOfText", "val", "t", "0"},
    {"ValOfInteger", "val", "i", "12"},
    {"ValOfSmallint", "val", "s", "7"},
    {"ValOfDouble", "val", "d", "-2.5"},
    {"CstrOfSmallint", "cstr", "s", "7"},
    {"CstrOfDouble", "cstr", "d", "-2.5"},
    {"CstrOfDateAtMidnight", "cstr", "w", "2009-02-01"},
    {"CstrOfDateWithTime", "cstr", "w + interval '90 seconds'", "2009-02-01 00:01:30"},
    {"CstrOfYesNo", "cstr", "b", "1"},
    {"CstrOfNo", "cstr", "not b", "0"},
    {"FormatOfInteger", "format", "i, '000'", "012"},
    {"FormatOfDouble", "format", "d, '0.00'", "-2.50"},
    {"FormatOfDate", "format", "w, 'dd/mm/yyyy'", "01/02/2009"},
    {"FormatOfVarchar", "format", "v, '0000'", " 12 abc  "},
    {"FormatOfText", "format", "t", "Phòng Tổ chức"},
    {"IifOfColumnCondition", "iif", "b, t, v", "Phòng Tổ chức"},
    {"IifOfNumbers", "iif", "i > s, i, s", "12"},
    {"IifOfTextAndNumber", "iif", "not b, t, i", "12"},
    {"IifOfNumberAndText", "iif", "b, d, 'không'", "-2.5"},
    {"IifOfDates", "iif", "b, w, n::timestamp(0)", "2009-02-01 00:00:00"},
    {"IifOfNullAndInteger", "iif", "b, NULL, i", "NULL"},
    {"NzOfNullAndInteger", "nz", "NULL, i", "12"},
    {"PlusOfIntegers", "plus", "i, s", "19"},
    {"PlusOfSmallints", "plus", "s, s", "14"},
    {"PlusOfDoubleAndInteger", "plus", "d, i", "9.5"},
    {"PlusOfNumericTextAndInteger", "plus", "' 12', i", "24"},
    {"PlusOfIntegerAndNumericText", "plus", "i, ' 1'", "13"},
    {"PlusJoinsVarcharAndText", "plus", "v, t", " 12 abc  Phòng Tổ chức"},
    {"PlusOfVarcharAndIntegerFails", "plus", "v, i", "error"},
    {"PlusOfTextAndDoubleFails", "plus", "t, d", "error"},
    {"PlusOfNullColumnAndInteger", "plus", "n, i", "NULL"},
    {"PlusOfNullAndVarchar", "plus", "NULL, v", "NULL"},
    {"PlusAddsDaysToADate", "plus", "w, 1", "2009-02-02 00:00:00"},
    {"PlusAddsHalfADayToADate", "plus", "0.5, w", "2009-02-01 12:00:00"},
    {"PowerOfColumns", "power", "s, 2", "49"},
    {"PowerOfDoubleAndSmallint", "power", "d, s - 5", "6.25"},
};

class JetFunctions : public ServerTest
{
protected:
    void SetUp() override
    {
        ServerTest::SetUp();
        if (IsSkipped())
            return;
        db::pg::installJetFunctions(*server);
        server->exec(u"create temporary table m (v varchar(20), t text, s smallint, i integer, "
                     "d double precision, w timestamp(0), b boolean, n text)"_s);
        server->exec(u"insert into m values (' 12 abc  ', 'Phòng Tổ chức', 7, 12, -2.5, '2009-02-01', true, null)"_s);
    }
};

// The shared table on constants, then this file's table on the columns of m.
TEST_F(JetFunctions, AnswerTheTableOurSqliteConnectionsAnswerAndTakeAColumnOfEachType)
{
    const std::pair<std::span<const test::FunctionCase>, QString> tables[] = {{test::functionCases, u""_s},
                                                                              {columnCases, u" from m"_s}};
    for (const auto& [cases, from] : tables) {
        for (const test::FunctionCase& c : cases) {
            const QString value = onlyValue(*server, call(c.function, c.args) + from);
            EXPECT_TRUE(test::sameResult(value, c.expected)) << c.name << ": " << value.toStdString();
        }
    }
}

} // namespace
