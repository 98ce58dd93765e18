#include "platform/jetsql/like_pattern.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

struct LikeCase
{
    const char* name;
    const char16_t* pattern;
    const char16_t* matches; // a text the pattern matches; nullptr: none given
    const char16_t* misses;  // a text it does not match; nullptr: none given
};

const LikeCase likeCases[] = {
    {"ExactTextIsCaseSensitive", u"cvden", u"cvden", u"CVDEN"},
    {"EmptyPatternMatchesOnlyEmptyText", u"", u"", u"a"},
    {"StarAloneMatchesEmptyText", u"*", u"", nullptr},
    {"StarAloneMatchesAnyText", u"*", u"Bộ Tài chính", nullptr},
    {"StarTakesAnyRunInTheMiddle", u"cv*9", u"cvden2009", nullptr},
    {"StarAtBothEndsFindsAPart", u"*Nội*", u"Bộ Nội", u"Bộ Ngoại giao"},
    {"StarBacktracksToALaterOccurrence", u"*abd", u"abcabcabd", nullptr},
    {"SeveralStarsBacktrackAndStillNeedTheEnd", u"*ss*ss*pi", u"mississippi", u"mississippx"},
    {"QuestionMarkIsOneCharacter", u"cvden????", u"cvden2009", u"cvdenmau"},
    {"QuestionMarkNeedsACharacter", u"cvden????", nullptr, u"cvden200"},
    {"QuestionMarkTakesAVietnameseLetter", u"l?ch", u"lịch", nullptr},
    {"HashIsOneDigit", u"cvden####", u"cvden2009", u"cvdenmau9"},
    {"ListMatchesOneOfItsCharacters", u"[abc]", u"b", u"d"},
    {"RangeInListIsCaseSensitive", u"[a-z]", u"m", u"M"},
    {"NegatedList", u"[!abc]", u"x", u"a"},
    {"NegatedRange", u"[!a-z]", u"5", u"m"},
    {"StarInsideListIsLiteral", u"[*]", u"*", u"x"},
    {"QuestionMarkInsideListIsLiteral", u"[?]", u"?", u"x"},
    {"HashInsideListIsLiteral", u"[#]", u"#", u"1"},
    {"OpeningBracketInsideListIsLiteral", u"[[]", u"[", nullptr},
    {"DashFirstInListIsLiteral", u"[-a]", u"-", nullptr},
    {"DashLastInListIsLiteral", u"[a-]", u"-", nullptr},
    {"EmptyListConsumesNothing", u"a[]b", u"ab", nullptr},
    {"UnclosedBracketIsLiteral", u"a[b", u"a[b", nullptr},
    {"ExclamationAloneInListIsLiteral", u"[!]", u"!", nullptr},
    {"LengthsMustAgree", u"ab", nullptr, u"abc"},
    {"PatternLongerThanText", u"abc", nullptr, u"ab"},
    {"RightsStringStartsWithQ", u"q*", u"qt - lđ", u"cb"},
    {"TrailingStarAfterFullMatch", u"q*", u"q", nullptr},
    {"VietnameseLettersAreOrdinaryCharacters", u"H? N?i", u"Hà Nội", nullptr},
    {"StarThenListThenStar", u"*[0-9]*", u"abc123", u"abcdef"},
    {"PercentIsNoWildcard", u"a%", u"a%", u"abc"},
    {"UnderscoreIsNoWildcard", u"a_", nullptr, u"ab"},
    {"FolderPatternWithBackslash", u"C:\\SELVARO\\*", u"C:\\SELVARO\\data\\vemocv.mdb", u"D:\\other\\vemocv.mdb"},
};

class LikePattern : public testing::TestWithParam<LikeCase>
{
};

TEST_P(LikePattern, MatchesAsTheOldLikeOperator)
{
    const LikeCase& c = GetParam();
    const QString pattern = QString::fromUtf16(c.pattern);
    const jetsql::LikePattern kept(pattern); // as like() keeps it for the rows of a statement
    if (c.matches) {
        const QString text = QString::fromUtf16(c.matches);
        EXPECT_TRUE(jetsql::likeMatch(text, pattern) && kept.matches(text)) << text.toStdString();
    }
    if (c.misses) {
        const QString text = QString::fromUtf16(c.misses);
        EXPECT_FALSE(jetsql::likeMatch(text, pattern) || kept.matches(text)) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LikePattern, testing::ValuesIn(likeCases),
                         [](const testing::TestParamInfo<LikeCase>& info) { return std::string(info.param.name); });

TEST(LikePatternCost, ManyStarsOverLongTextFinishQuickly)
{
    // A pattern that defeats naive backtracking: with resumption from the last star only, the
    // work stays near text length times pattern length.
    const QString text = QString(20000, u'a');
    const QString pattern = QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*b");
    EXPECT_FALSE(jetsql::likeMatch(text, pattern));
    EXPECT_TRUE(jetsql::likeMatch(text + u'b', pattern));
}

} // namespace
