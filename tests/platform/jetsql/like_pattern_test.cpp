#include "platform/jetsql/like_pattern.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

struct LikeCase
{
    const char* name;
    const char16_t* text;
    const char16_t* pattern;
    bool matches;
};

const LikeCase likeCases[] = {
    {"ExactTextMatchesItself", u"cvden", u"cvden", true},
    {"ExactMatchIsCaseSensitive", u"CVDEN", u"cvden", false},
    {"EmptyPatternMatchesOnlyEmptyText", u"", u"", true},
    {"EmptyPatternRefusesText", u"a", u"", false},
    {"StarAloneMatchesEmptyText", u"", u"*", true},
    {"StarAloneMatchesAnyText", u"Bộ Tài chính", u"*", true},
    {"StarTakesAnyRunInTheMiddle", u"cvden2009", u"cv*9", true},
    {"StarAtBothEndsFindsAPart", u"Bộ Nội vụ", u"*Nội*", true},
    {"StarAtBothEndsMissesAbsentPart", u"Bộ Nội vụ", u"*Ngoại*", false},
    {"StarBacktracksToALaterOccurrence", u"abcabcabd", u"*abd", true},
    {"SeveralStarsBacktrack", u"mississippi", u"*ss*ss*pi", true},
    {"SeveralStarsStillNeedTheEnd", u"mississippi", u"*ss*ss*px", false},
    {"QuestionMarkIsOneCharacter", u"cvdenmau", u"cvden????", false},
    {"FourQuestionMarksMatchAYear", u"cvden2009", u"cvden????", true},
    {"QuestionMarkNeedsACharacter", u"cvden200", u"cvden????", false},
    {"QuestionMarkTakesAVietnameseLetter", u"lịch", u"l?ch", true},
    {"HashIsOneDigit", u"cvden2009", u"cvden####", true},
    {"HashRefusesALetter", u"cvdenmau9", u"cvden####", false},
    {"ListMatchesOneOfItsCharacters", u"b", u"[abc]", true},
    {"ListRefusesOtherCharacters", u"d", u"[abc]", false},
    {"RangeInList", u"m", u"[a-z]", true},
    {"RangeIsCaseSensitive", u"M", u"[a-z]", false},
    {"NegatedListRefusesItsCharacters", u"a", u"[!abc]", false},
    {"NegatedListTakesOthers", u"x", u"[!abc]", true},
    {"NegatedRange", u"5", u"[!a-z]", true},
    {"StarInsideListIsLiteral", u"*", u"[*]", true},
    {"StarInsideListDoesNotMatchOthers", u"x", u"[*]", false},
    {"QuestionMarkInsideListIsLiteral", u"?", u"[?]", true},
    {"HashInsideListIsLiteral", u"#", u"[#]", true},
    {"OpeningBracketInsideListIsLiteral", u"[", u"[[]", true},
    {"DashFirstInListIsLiteral", u"-", u"[-a]", true},
    {"DashLastInListIsLiteral", u"-", u"[a-]", true},
    {"EmptyListConsumesNothing", u"ab", u"a[]b", true},
    {"UnclosedBracketIsLiteral", u"a[b", u"a[b", true},
    {"ExclamationAloneInListIsLiteral", u"!", u"[!]", true},
    {"PatternLongerThanText", u"ab", u"abc", false},
    {"TextLongerThanPattern", u"abc", u"ab", false},
    {"TrailingStarAfterFullMatch", u"q", u"q*", true},
    {"RightsStringStartsWithQ", u"qt - lđ", u"q*", true},
    {"LowerCaseRightsAfterFold", u"cb", u"q*", false},
    {"VietnameseLettersAreOrdinaryCharacters", u"Hà Nội", u"H? N?i", true},
    {"StarThenListThenStar", u"abc123", u"*[0-9]*", true},
    {"StarThenListWithoutDigit", u"abcdef", u"*[0-9]*", false},
    {"PercentIsNotAWildcard", u"abc", u"a%", false},
    {"PercentMatchesItself", u"a%", u"a%", true},
    {"UnderscoreIsNotAWildcard", u"ab", u"a_", false},
    {"FolderPatternWithBackslash", u"C:\\SELVARO\\data\\vemocv.mdb", u"C:\\SELVARO\\*", true},
    {"FolderPatternOtherFolder", u"D:\\other\\vemocv.mdb", u"C:\\SELVARO\\*", false},
};

class LikePattern : public testing::TestWithParam<LikeCase>
{
};

TEST_P(LikePattern, MatchesAsTheOldLikeOperator)
{
    const LikeCase& c = GetParam();
    EXPECT_EQ(jetsql::likeMatch(QStringView(c.text), QStringView(c.pattern)), c.matches)
        << "text: " << QString::fromUtf16(c.text).toStdString()
        << " pattern: " << QString::fromUtf16(c.pattern).toStdString();
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
