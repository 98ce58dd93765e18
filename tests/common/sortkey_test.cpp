#include "common/sortkey.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    {"BlanksOnlyGiveEmptyKey", u"   ", true, u""},
    {"PlaceNameWithTones", u"Bắc Ninh", false, u"Ba22c Ni00nh"},
    {"OtherLettersAndDigitsPassThrough", u"bcghklmnpqrstvx BCGHKLMNPQRSTVX 09", false,
     u"bcghklmnpqrstvx BCGHKLMNPQRSTVX 09"},
    {"CaseIsKept", u"ĐaI", false, u"D10a00I00"},
    {"CapitalWithToneIsNotInTable", u"ẠẮ", false, u"ẠẮ"},
    {"OuterBlanksStay", u" Hà ", false, u" Ha01 "},
    {"DecomposedLettersKeyAsComposed", u"Be\u0302\u0301n", false, u"Be12n"},
    {"BaseLettersDropDiacritics", u"Bắc Ninh", true, u"Bac Ninh"},
    {"BaseLettersOfDBar", u"Đồng Đăng", true, u"Dong Dang"},
};

TEST(SortKey, GivesTheListedKey)
{
    for (const KeyCase& c : kKeyCases)
        EXPECT_EQ(common::sortKey(QString::fromUtf16(c.text), c.baseLetters), QString::fromUtf16(c.key)) << c.what;
}

TEST(SortKeyTable, EveryLetterHasItsStoredCodeIrregularOnesIncluded)
{
    // Each family in table order with the codes keys already stored in data files use:
    // ẻ is e04 like ẽ, ỡ is o44, Â is variant 1 and Ă variant 2.
    const std::pair<const char16_t*, const char*> families[] = {
        {u"Aaàáảãạ", "A00a00a01a02a03a04a05"}, {u"Ââầấẩẫậ", "A10a10a11a12a13a14a15"},
        {u"Ăăằắẳẵặ", "A20a20a21a22a23a24a25"}, {u"DdĐđ", "D00d00D10d10"},
        {u"Eeèéẻẽẹ", "E00e00e01e02e04e04e05"}, {u"Êêềếểễệ", "E10e10e11e12e13e14e15"},
        {u"Iiìíỉĩị", "I00i00i01i02i03i04i05"}, {u"Ooòóỏõọ", "O00o00o01o02o03o04o05"},
        {u"Ôôồốổỗộ", "O10o10o11o12o13o14o15"}, {u"Ơơờớởỡợ", "O30o30o31o32o33o44o35"},
        {u"Uuùúủũụ", "U00u00u01u02u03u04u05"}, {u"Ưưừứửữự", "U30u30u31u32u33u34u35"},
        {u"Yyỳýỷỹỵ", "Y00y00y01y02y03y04y05"},
    };
    int letters = 0;
    for (const auto& [family, codes] : families) {
        const QString text = QString::fromUtf16(family);
        for (int i = 0; i < text.size(); ++i, ++letters) {
            EXPECT_EQ(common::sortKey(text.mid(i, 1)), QString::fromLatin1(codes + 3 * i, 3)) << letters;
            EXPECT_EQ(common::sortKey(text.mid(i, 1), true), QString::fromLatin1(codes + 3 * i, 1)) << letters;
        }
    }
    EXPECT_EQ(letters, 88);
    EXPECT_GT(common::sortKey(u"ỡ"_s), common::sortKey(u"ợ"_s));
}

TEST(SortKeyTable, KeysSortNamesInRegisterOrder)
{
    // Base letter, then variant (A Â Ă, D Đ), then tone; capitals before small letters.
    const QStringList expected = {"An Giang", "Ân Thi",   "Ăn Uống", "Bà Rịa", "Bắc Kạn",   "Bắc Ninh", "Dung",
                                  "Đà Nẵng",  "Đồng Nai", "Hà Nam",  "Hà Nội", "Hải Dương", "an toàn"};
    QStringList names(expected.rbegin(), expected.rend());
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return common::sortKey(a) < common::sortKey(b); });
    EXPECT_EQ(names, expected);
}

} // namespace
