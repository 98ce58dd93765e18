#include "common/sortkey.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct KeyCase
{
    const char* what;
    const char16_t* text;
    bool baseLetters;
    const char16_t* key;
};

const KeyCase kKeyCases[] = {
    {"EmptyTextGivesEmptyKey", u"", false, u""},
    {"BlanksOnlyGiveEmptyKey", u"   ", false, u""},
    {"PlaceNameWithTones", u"Bắc Ninh", false, u"Ba22c Ni00nh"},
    {"LettersOutsideTablePassThrough", u"bcghklmnpqrstvx BCGHKLMNPQRSTVX 09", false,
     u"bcghklmnpqrstvx BCGHKLMNPQRSTVX 09"},
    {"CaseIsKept", u"ĐaI", false, u"D10a00I00"},
    {"CapitalWithToneIsNotInTable", u"ẠẮ", false, u"ẠẮ"},
    {"LeadingAndTrailingBlanksStay", u" Hà ", false, u" Ha01 "},
    {"HookEIsIrregularE04", u"ẻ", false, u"e04"},
    {"TildeEIsE04", u"ẽ", false, u"e04"},
    {"TildeHornOIsIrregularO44", u"ỡ", false, u"o44"},
    {"HookHornOIsO33", u"ở", false, u"o33"},
    {"CircumflexAIsVariantOne", u"Ââ", false, u"A10a10"},
    {"BreveAIsVariantTwo", u"Ăă", false, u"A20a20"},
    {"HornUVariantThree", u"Ưựữ", false, u"U30u35u34"},
    {"DecomposedLettersKeyAsComposed", u"Be\u0302\u0301n", false, u"Be12n"},
    {"BaseLettersDropDiacritics", u"Bắc Ninh", true, u"Bac Ninh"},
    {"BaseLettersKeepDBarAsD", u"Đồng Đăng", true, u"Dong Dang"},
    {"BaseLettersOfDotBelowE", u"ệ", true, u"e"},
    {"BaseLettersOfBlanksIsEmpty", u"  ", true, u""},
};

class SortKeyCase : public ::testing::TestWithParam<KeyCase>
{
};

TEST_P(SortKeyCase, GivesTheListedKey)
{
    const KeyCase& c = GetParam();
    EXPECT_EQ(common::sortKey(QString::fromUtf16(c.text), c.baseLetters), QString::fromUtf16(c.key));
}

INSTANTIATE_TEST_SUITE_P(SortKey, SortKeyCase, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.what); });

// Each row: the letters of one family in table order and the codes the stored keys use.
struct FamilyRow
{
    const char16_t* letters;
    const char* codes;
};

const FamilyRow kTable[] = {
    {u"Aaàáảãạ", "A00a00a01a02a03a04a05"}, {u"Ââầấẩẫậ", "A10a10a11a12a13a14a15"},
    {u"Ăăằắẳẵặ", "A20a20a21a22a23a24a25"}, {u"DdĐđ", "D00d00D10d10"},
    {u"Eeèéẻẽẹ", "E00e00e01e02e04e04e05"}, {u"Êêềếểễệ", "E10e10e11e12e13e14e15"},
    {u"Iiìíỉĩị", "I00i00i01i02i03i04i05"}, {u"Ooòóỏõọ", "O00o00o01o02o03o04o05"},
    {u"Ôôồốổỗộ", "O10o10o11o12o13o14o15"}, {u"Ơơờớởỡợ", "O30o30o31o32o33o44o35"},
    {u"Uuùúủũụ", "U00u00u01u02u03u04u05"}, {u"Ưưừứửữự", "U30u30u31u32u33u34u35"},
    {u"Yyỳýỷỹỵ", "Y00y00y01y02y03y04y05"},
};

TEST(SortKey, EveryTableLetterHasItsStoredCode)
{
    int letters = 0;
    for (const FamilyRow& row : kTable) {
        const QString family = QString::fromUtf16(row.letters);
        const QString codes = QString::fromLatin1(row.codes);
        ASSERT_EQ(codes.size(), family.size() * 3);
        for (int i = 0; i < family.size(); ++i) {
            EXPECT_EQ(common::sortKey(family.mid(i, 1)), codes.mid(i * 3, 3)) << family.mid(i, 1).toStdString();
            EXPECT_EQ(common::sortKey(family.mid(i, 1), true), codes.mid(i * 3, 1));
        }
        letters += family.size();
    }
    EXPECT_EQ(letters, 88);
}

TEST(SortKey, KeysSortNamesInTheRegisterOrder)
{
    // Base letter first, then variant (A, Â, Ă; D, Đ), then tone; capitals before small letters.
    const QStringList expected = {
        QStringLiteral("An Giang"), QStringLiteral("Ân Thi"),   QStringLiteral("Ăn Uống"),
        QStringLiteral("Bà Rịa"),   QStringLiteral("Bắc Kạn"),  QStringLiteral("Bắc Ninh"),
        QStringLiteral("Dung"),     QStringLiteral("Đà Nẵng"),  QStringLiteral("Đồng Nai"),
        QStringLiteral("Hà Nam"),   QStringLiteral("Hà Nội"),   QStringLiteral("Hải Dương"),
        QStringLiteral("an toàn"),
    };
    QStringList names = expected;
    std::reverse(names.begin(), names.end());
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return common::sortKey(a) < common::sortKey(b); });
    EXPECT_EQ(names, expected);
}

TEST(SortKey, TildeHornOSortsAfterDotBelowHornO)
{
    EXPECT_GT(common::sortKey(QStringLiteral("ỡ")), common::sortKey(QStringLiteral("ợ")));
    EXPECT_EQ(common::sortKey(QStringLiteral("kẻ")), common::sortKey(QStringLiteral("kẽ")));
}

} // namespace
