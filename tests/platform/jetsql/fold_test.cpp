#include "platform/jetsql/fold.h"

#include <gtest/gtest.h>

namespace {

int compareUtf8(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    const int r = jetsql::compareFolded(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

struct FoldCase
{
    const char* name;
    const char16_t* a;
    const char16_t* b;
    int expected; // sign of the comparison
};

const FoldCase foldCases[] = {
    {"DStrokeIgnoresCase", u"Đức", u"đức", 0},
    {"PrecomposedToneMarksIgnoreCase", u"ẤP", u"ấp", 0},
    {"EveryToneOfAIgnoresCase", u"ÀÁẢÃẠĂẰẮẲẴẶÂẦẤẨẪẬ", u"àáảãạăằắẳẵặâầấẩẫậ", 0},
    {"EveryToneOfOIgnoresCase", u"ÒÓỎÕỌÔỒỐỔỖỘƠỜỚỞỠỢ", u"òóỏõọôồốổỗộơờớởỡợ", 0},
    {"EveryToneOfUIgnoresCase", u"ÙÚỦŨỤƯỪỨỬỮỰ", u"ùúủũụưừứửữự", 0},
    {"EveryToneOfEIgnoresCase", u"ÈÉẺẼẸÊỀẾỂỄỆ", u"èéẻẽẹêềếểễệ", 0},
    {"EveryToneOfIAndYIgnoresCase", u"ÌÍỈĨỊỲÝỶỸỴ", u"ìíỉĩịỳýỷỹỵ", 0},
    {"AccentsAreRespected", u"a", u"á", -1},
    {"DStrokeDiffersFromD", u"Đ", u"d", 1},
    {"HookAboveDiffersFromTilde", u"ả", u"ã", 1},
    {"DecomposedEqualsPrecomposed", u"Đu\u031B\u0301c", u"đức", 0},
    {"PrefixSortsFirst", u"Bộ", u"Bộ Tài chính", -1},
    {"LongerSortsAfter", u"Bộ Tài chính", u"BỘ", 1},
    {"EmptyEqualsEmpty", u"", u"", 0},
    {"AsciiCaseIgnored", u"CVDEN2009", u"cvden2009", 0},
    {"OrderIgnoresCase", u"az", u"Ba", -1},
    {"SharedPrefixThenCaseDifference", u"Phòng Tổ chức", u"PHÒNG TỔ CHỨC", 0},
    {"SharedPrefixEndsInsideALetter", u"Bộ", u"Bố", 1},
    {"SharedPrefixThenCombiningMark", u"Phòng Te\u0302\u0301", u"Phòng Tế", 0},
    {"CombiningMarkAfterDifferingLetter", u"a\u0301", u"b", 1},
};

class VietnameseFold : public testing::TestWithParam<FoldCase>
{
};

TEST_P(VietnameseFold, ComparesIgnoringCaseOnly)
{
    const FoldCase& c = GetParam();
    const QString a = QString::fromUtf16(c.a);
    const QString b = QString::fromUtf16(c.b);
    EXPECT_EQ(compareUtf8(a, b), c.expected);
    EXPECT_EQ(compareUtf8(b, a), -c.expected);
    const int q = jetsql::compareFolded(a, b);
    EXPECT_EQ(q < 0 ? -1 : (q > 0 ? 1 : 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, VietnameseFold, testing::ValuesIn(foldCases),
                         [](const testing::TestParamInfo<FoldCase>& info) { return std::string(info.param.name); });

TEST(VietnameseFold, FoldCaseLowersAndComposes)
{
    EXPECT_EQ(jetsql::foldCase(u"ĐỨC ẤP"), QStringLiteral("đức ấp"));
    EXPECT_EQ(jetsql::foldCase(QStringView(u"A\u0301")), QStringLiteral("á"));
}

TEST(VietnameseFold, MalformedUtf8ComparesWithoutCrashing)
{
    const char bad[] = {'\xE1', '\xBA'}; // a cut three-byte sequence
    const char good[] = {'a'};
    EXPECT_NE(jetsql::compareFolded(bad, 2, good, 1), 0);
    EXPECT_EQ(jetsql::compareFolded(bad, 2, bad, 2), 0);
}

} // namespace
