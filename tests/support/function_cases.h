#pragma once

#include <QString>

// The table of Jet functions both engines must answer alike: our SQLite connections (left(...),
// jet_plus(...) as the SQLite translation calls them) and the server's jet_<name>(...).
namespace test {

struct FunctionCase
{
    const char* name;
    const char* function; // the Jet name in lower case; "plus" and "power" for "+" and "^"
    const char* args;     // SQL text valid on both engines
    const char* expected; // "NULL", "error" when it fails, else the value (numbers compared as numbers)
};

inline const FunctionCase functionCases[] = {
    {"LeftTakesFirstCharacters", "left", "'Đức Phổ', 3", "Đức"},
    {"LeftLongerThanText", "left", "'ab', 10", "ab"},
    {"LeftOfNothing", "left", "'ab', 0", ""},
    {"LeftOfNullIsNull", "left", "NULL, 2", "NULL"},
    {"LeftOfNullLengthIsNull", "left", "'ab', NULL", "NULL"},
    {"LeftOfNumberTakesItsText", "left", "12345, 2", "12"},
    {"LeftTakesTheWholePartOfALength", "left", "'abc', 2.7", "ab"},
    {"RightTakesLastCharacters", "right", "'cvden2009', 4", "2009"},
    {"RightLongerThanText", "right", "'ab', 10", "ab"},
    {"MidFromPosition", "mid", "'Bộ Nội vụ', 4, 3", "Nội"},
    {"MidToTheEnd", "mid", "'Bộ Nội vụ', 8", "vụ"},
    {"MidBeyondTheEnd", "mid", "'abc', 5", ""},
    {"MidOfNullIsNull", "mid", "NULL, 1, 2", "NULL"},
    {"LenCountsVietnameseLettersOnce", "len", "'Nguyễn'", "6"},
    {"LenOfEmptyIsZero", "len", "''", "0"},
    {"LenOfNullIsNull", "len", "NULL", "NULL"},
    {"LenOfNumberCountsItsText", "len", "-2.5", "4"},
    {"TrimRemovesSpacesOnly", "trim", "'  a b  '", "a b"},
    {"LtrimLeft", "ltrim", "'  a  '", "a  "},
    {"RtrimRight", "rtrim", "'  a  '", "  a"},
    {"TrimOfNullIsNull", "trim", "NULL", "NULL"},
    {"UcaseVietnamese", "ucase", "'đức'", "ĐỨC"},
    {"LcaseVietnamese", "lcase", "'ẤP'", "ấp"},
    {"UcaseEveryVietnameseLetter", "ucase", "'àáảãạăằắẳẵặâầấẩẫậèéẻẽẹêềếểễệìíỉĩịòóỏõọôồốổỗộơờớởỡợùúủũụưừứửữựỳýỷỹỵđ'",
     "ÀÁẢÃẠĂẰẮẲẴẶÂẦẤẨẪẬÈÉẺẼẸÊỀẾỂỄỆÌÍỈĨỊÒÓỎÕỌÔỒỐỔỖỘƠỜỚỞỠỢÙÚỦŨỤƯỪỨỬỮỰỲÝỶỸỴĐ"},
    {"LcaseEveryVietnameseLetter", "lcase", "'ÀÁẢÃẠĂẰẮẲẴẶÂẦẤẨẪẬÈÉẺẼẸÊỀẾỂỄỆÌÍỈĨỊÒÓỎÕỌÔỒỐỔỖỘƠỜỚỞỠỢÙÚỦŨỤƯỪỨỬỮỰỲÝỶỸỴĐ'",
     "àáảãạăằắẳẵặâầấẩẫậèéẻẽẹêềếểễệìíỉĩịòóỏõọôồốổỗộơờớởỡợùúủũụưừứửữựỳýỷỹỵđ"},
    {"UcaseOfNullIsNull", "ucase", "NULL", "NULL"},
    {"NzOfNullIsEmptyText", "nz", "NULL", ""},
    {"NzKeepsEmptyText", "nz", "'', 5", ""},
    {"NzWithDefault", "nz", "NULL, 5", "5"},
    {"NzKeepsValue", "nz", "'x', 5", "x"},
    {"NzKeepsNumber", "nz", "3, 5", "3"},
    {"NzOfTwoNullsIsNull", "nz", "NULL, NULL", "NULL"},
    {"ValReadsLeadingNumber", "val", "' 12 abc'", "12"},
    {"ValOfWordIsZero", "val", "'abc'", "0"},
    {"ValDecimal", "val", "'2.5kg'", "2.5"},
    {"ValIgnoresBlanksBetweenDigits", "val", "' 1 2 3'", "123"},
    {"ValNegativeFraction", "val", "'-.5'", "-0.5"},
    {"ValStopsAtASecondPoint", "val", "'1.2.3'", "1.2"},
    {"ValStopsAtASecondSign", "val", "'+-1'", "0"},
    {"ValOfNumberIsItself", "val", "7.25", "7.25"},
    {"ValOfNullIsNull", "val", "NULL", "NULL"},
    {"CstrOfNumber", "cstr", "12", "12"},
    {"CstrOfFraction", "cstr", "2.5", "2.5"},
    {"CstrOfNullIsNull", "cstr", "NULL", "NULL"},
    {"IifChooses", "iif", "1 > 2, 'a', 'b'", "b"},
    {"IifTakesTheFirstWhenTrue", "iif", "2 > 1, 'a', 'b'", "a"},
    {"IifOfNullConditionTakesTheSecond", "iif", "NULL, 'a', 'b'", "b"},
    {"IifOfNumbers", "iif", "2 > 1, 1, 2.5", "1"},
    {"PlusJoinsTexts", "plus", "'20090105', '20090110'", "2009010520090110"},
    {"PlusAddsNumbers", "plus", "2, 3", "5"},
    {"PlusAddsFractions", "plus", "2.5, 1", "3.5"},
    {"PlusAddsNumericText", "plus", "' 12', 1", "13"},
    {"PlusAddsFractionText", "plus", "1, '2.5'", "3.5"},
    {"PlusAddsTextWithAnExponent", "plus", "'1e3 ', 1", "1001"},
    {"PlusWithNullIsNull", "plus", "'a', NULL", "NULL"},
    {"PlusOfNullAndNumberIsNull", "plus", "NULL, 5", "NULL"},
    {"PowerRaises", "power", "2, 10", "1024"},
    {"PowerOfFraction", "power", "4, 0.5", "2"},
    {"PowerOfNullIsNull", "power", "NULL, 2", "NULL"},
    {"FormatZeroPads", "format", "7, '000'", "007"},
    {"FormatGroupsThousands", "format", "1234567.891, '#,##0.00'", "1,234,567.89"},
    {"FormatNegativeNumber", "format", "-1234.5, '#,##0.00'", "-1,234.50"},
    {"FormatRoundsTheValueHeld", "format", "1.005, '0.00'", "1.00"},
    {"FormatRoundsHalfAwayFromZero", "format", "2.5, '0'", "3"},
    {"FormatRoundsAnEighthUp", "format", "0.125, '0.00'", "0.13"},
    {"FormatOfATinyNumber", "format", "0.000000000000000000001, '0.00'", "0.00"},
    {"FormatFractionWithoutWholeDigits", "format", "0.5, '#.00'", ".50"},
    {"FormatNumericText", "format", "' 42', '0000'", "0042"},
    {"FormatOfWordIsTheWord", "format", "'abc', '000'", "abc"},
    {"FormatIsoDate", "format", "'2009-02-01', 'dd/mm/yyyy'", "01/02/2009"},
    {"FormatDateShortParts", "format", "'2009-02-01 08:05:09', 'd/m/yy h:n:s'", "1/2/09 8:5:9"},
    {"FormatDateKeepsOtherText", "format", "'2009-12-31 23:59:00', 'hh giờ nn, dd-mm'", "23 giờ 59, 31-12"},
    {"FormatImpossibleDateIsItsText", "format", "'2009-02-30', 'dd/mm/yyyy'", "2009-02-30"},
    {"FormatWithoutPatternIsText", "format", "5", "5"},
    {"FormatWithNullPatternIsText", "format", "5, NULL", "5"},
    {"FormatWithANumberForPattern", "format", "7.6, 0", "8"},
    {"FormatOfNullIsNull", "format", "NULL, '000'", "NULL"},
    {"PlusOfWordAndNumberFails", "plus", "'abc', 1", "error"},
    {"PlusOfNumberAndLetterFails", "plus", "'1v', 1", "error"},
    {"NegativeLengthFails", "left", "'abc', -1", "error"},
    {"NegativeRightLengthFails", "right", "'abc', -1", "error"},
    {"MidFromZeroFails", "mid", "'abc', 0", "error"},
    {"MidNegativeLengthFails", "mid", "'abc', 2, -1", "error"},
};

// Whether a result, as the tables write it ("NULL", "error" or the value's text), is the one
// expected; numbers are compared as numbers, since SQLite writes 0.0 where the server writes 0.
inline bool sameResult(const QString& actual, const char* expected)
{
    const QString wanted = QString::fromUtf8(expected);
    bool actualIsNumber = false;
    bool wantedIsNumber = false;
    const double a = actual.toDouble(&actualIsNumber);
    const double w = wanted.toDouble(&wantedIsNumber);
    if (actualIsNumber && wantedIsNumber && actual.trimmed() == actual)
        return a == w;
    return actual == wanted;
}

} // namespace test
