#pragma once

#include <string>

// The tables of Jet's Like that every engine must answer alike: the pattern matcher on its own
// (letter case counts), and Like as statements use it (both sides folded first).
namespace test {

struct LikeCase
{
    const char* name;
    const char16_t* pattern;
    const char16_t* matches; // a text the pattern matches; nullptr: none given
    const char16_t* misses;  // a text it does not match; nullptr: none given
};

inline const LikeCase likeCases[] = {
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

struct SqlLikeCase
{
    const char* name;
    std::string text; // UTF-8 bytes, possibly malformed
    const char* pattern;
    bool matches;
    bool quick; // folded without foldCase()
};

inline const SqlLikeCase sqlLikeCases[] = {
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
    {"PercentIsItself", "giảm 50% chi phí", "*50%*", true, true},
    {"PercentMatchesNothingElse", "giảm 50 chi phí", "*50%*", false, true},
    {"UnderscoreMatchesNoOtherLetter", "Bộ_Sở axb", "*a_b", false, true},
    {"BackslashIsItself", "C:\\Thư mục\\vemocv.mdb", "c:\\thư mục\\*", true, true},
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

} // namespace test
