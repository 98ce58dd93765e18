#pragma once

// The table of text comparisons both engines must give alike: our SQLite connections (NOCASE
// and like()) and the server's selvaro_fold. Letter case is ignored for every letter, accents
// are respected, decomposed text equals precomposed, and texts sort by their folded code points.
namespace test {

struct FoldCase
{
    const char* name;
    const char16_t* a;
    const char16_t* b;
    int expected; // sign of the comparison
};

inline const FoldCase foldCases[] = {
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
    {"CapitalIWithDotIsI", u"\u0130", u"i", 0},
    {"GreekCapitalSigmaIsSmallSigma", u"ΟΔΟΣ", u"οδοσ", 0},
};

} // namespace test
