// The SQL like() of our connections folds most texts straight from their UTF-8 bytes and leaves
// the rest (combining marks, characters beyond U+FFFF, malformed bytes) to foldCase(). Each case
// checks the operator's answer and that the quick fold, where it takes the text, gives exactly
// what foldCase() gives.
#include "platform/jetsql/fold.h"
#include "platform/jetsql/functions.h"

#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>

namespace {

struct LikeCase
{
    const char* name;
    std::string text; // UTF-8 bytes, possibly malformed
    const char* pattern;
    bool matches;
    bool quick; // folded without foldCase()
};

const LikeCase likeCases[] = {
    {"AsciiIgnoresCase", "CVDEN2009", "cv*####", true, true},
    {"AsciiDigitWildcardRefusesLetter", "cvdenX009", "cvden####", false, true},
    {"VietnameseCapitalsMatchSmall", "ỦY BAN NHÂN DÂN HUYỆN ĐỨC PHỔ", "*huyện đức*", true, true},
    {"SmallTextMatchesCapitalPattern", "về việc thực hiện hợp đồng số 12", "*HỢP ĐỒNG SỐ ##", true, true},
    {"ToneMarksAreRespected", "Hợp đồng", "hop dong", false, true},
    {"DifferentToneDoesNotMatch", "Đức", "đực", false, true},
    {"QuestionTakesOneVietnameseLetter", "Bộ", "b?", true, true},
    {"ListOfVietnameseLetters", "Sở", "s[ơởớ]", true, true},
    {"NegatedList", "Sở", "s[!ở]", false, true},
    {"RangeInList", "loại 7", "loại [5-8]", true, true},
    {"WholeTextMustMatch", "Công văn số 5", "công văn", false, true},
    {"WordsAtTheStart", "Công văn số 5", "công văn*", true, true},
    {"WordsAtTheEndOnly", "Công văn số 5", "*công văn", false, true},
    {"ClosingBracketAloneIsOrdinary", "Số 5]A", "*5]a", true, true},
    {"EmptyText", "", "*", true, true},
    {"EmbeddedNul", std::string("a\0b", 3), "a?b", true, true},
    {"DecomposedToneComposes", "Đu\u031B\u0301c", "đức", true, false},
    {"BeyondBmpTakesTwoUnits", "a\xF0\x9F\x98\x80z", "a??z", true, false},
    {"MalformedByteIsOneCharacter", "a\xFFz", "a?z", true, false},
    {"OverlongSlashIsNotASlash", "a\xC0\xAFz", "a/z", false, false},
    {"ByteOrderMarkAtTheStartIsDropped", "\xEF\xBB\xBFxyz", "xyz", true, false},
    {"TruncatedSequenceAtTheEnd", "xy\xE1\xBB", "xy*", true, false},
};

class LikeFold : public testing::TestWithParam<LikeCase>
{
};

TEST_P(LikeFold, MatchesAsFoldCaseDoes)
{
    const LikeCase& c = GetParam();
    std::u16string quick;
    const bool took = jetsql::foldSimpleUtf8(c.text.data(), int(c.text.size()), quick);
    EXPECT_EQ(took, c.quick);
    if (took) {
        const QString full = jetsql::foldCase(QString::fromUtf8(c.text.data(), qsizetype(c.text.size())));
        EXPECT_EQ(QStringView(quick.data(), qsizetype(quick.size())), full);
    }

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    jetsql::registerLike(db);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT ?1 LIKE ?2", -1, &stmt, nullptr), SQLITE_OK);
    sqlite3_bind_text(stmt, 1, c.text.data(), int(c.text.size()), SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, c.pattern, -1, SQLITE_STATIC);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0) != 0, c.matches);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

INSTANTIATE_TEST_SUITE_P(Cases, LikeFold, testing::ValuesIn(likeCases),
                         [](const testing::TestParamInfo<LikeCase>& info) { return std::string(info.param.name); });

} // namespace
