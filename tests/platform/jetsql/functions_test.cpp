#include "test_catalog.h"

#include <gtest/gtest.h>

using jettest::TestCatalog;

namespace {

struct FunctionCase
{
    const char* name;
    const char* sql;      // SQLite text run on a connection with the Jet functions
    const char* expected; // first column of the only row, "NULL" for null, "error" when it fails
};

const FunctionCase functionCases[] = {
    {"LeftTakesFirstCharacters", "SELECT \"left\"('Đức Phổ', 3)", "Đức"},
    {"LeftLongerThanText", "SELECT \"left\"('ab', 10)", "ab"},
    {"LeftOfNullIsNull", "SELECT \"left\"(NULL, 2)", "NULL"},
    {"RightTakesLastCharacters", "SELECT \"right\"('cvden2009', 4)", "2009"},
    {"MidFromPosition", "SELECT mid('Bộ Nội vụ', 4, 3)", "Nội"},
    {"MidToTheEnd", "SELECT mid('Bộ Nội vụ', 8)", "vụ"},
    {"LenCountsVietnameseLettersOnce", "SELECT len('Nguyễn')", "6"},
    {"LenOfEmptyIsZero", "SELECT len('')", "0"},
    {"LenOfNullIsNull", "SELECT len(NULL)", "NULL"},
    {"TrimRemovesSpacesOnly", "SELECT '[' || trim('  a b  ') || ']'", "[a b]"},
    {"TrimKeepsTabs", "SELECT length(trim(char(9) || 'a'))", "2"},
    {"LtrimLeft", "SELECT ltrim('  a  ') || '|'", "a  |"},
    {"RtrimRight", "SELECT '|' || rtrim('  a  ')", "|  a"},
    {"UcaseVietnamese", "SELECT ucase('đức')", "ĐỨC"},
    {"LcaseVietnamese", "SELECT lcase('ẤP')", "ấp"},
    {"NzOfNullIsEmptyText", "SELECT '[' || nz(NULL) || ']'", "[]"},
    {"NzWithDefault", "SELECT nz(NULL, 5)", "5"},
    {"NzKeepsValue", "SELECT nz('x', 5)", "x"},
    {"ValReadsLeadingNumber", "SELECT val(' 12 abc')", "12"},
    {"ValOfWordIsZero", "SELECT val('abc')", "0.0"},
    {"ValDecimal", "SELECT val('2.5kg')", "2.5"},
    {"CstrOfNumber", "SELECT cstr(12) || 'x'", "12x"},
    {"IifChooses", "SELECT iif(1 > 2, 'a', 'b')", "b"},
    {"PlusJoinsTexts", "SELECT jet_plus('20090105', '20090110')", "2009010520090110"},
    {"PlusAddsNumbers", "SELECT jet_plus(2, 3)", "5"},
    {"PlusAddsNumericText", "SELECT jet_plus(' 12', 1)", "13"},
    {"PlusWithNullIsNull", "SELECT jet_plus('a', NULL)", "NULL"},
    {"PowerRaises", "SELECT jet_power(2, 10)", "1024.0"},
    {"FormatZeroPads", "SELECT format(7, '000')", "007"},
    {"FormatGroupsThousands", "SELECT format(1234567.891, '#,##0.00')", "1,234,567.89"},
    {"FormatIsoDate", "SELECT format('2009-02-01', 'dd/mm/yyyy')", "01/02/2009"},
    {"FormatWithoutPatternIsText", "SELECT format(5)", "5"},
    {"LikeWithEscapeTakesStarLiterally", "SELECT like('a\\*', 'a*', '\\')", "1"},
    {"LikeWithEscapeRefusesOther", "SELECT like('a\\*', 'ab', '\\')", "0"},
    {"LikeOfNullIsNull", "SELECT like('*', NULL)", "NULL"},
    {"LikePercentIsLiteral", "SELECT 'abc' LIKE 'a%'", "0"},
    {"PlusOfWordAndNumberFails", "SELECT jet_plus('abc', 1)", "error"},
    {"NegativeLengthFails", "SELECT \"left\"('abc', -1)", "error"},
    {"MidFromZeroFails", "SELECT mid('abc', 0)", "error"},
    {"MisspeltColumnIsAnErrorNotAText", "SELECT \"b\" FROM (SELECT 1 AS a)", "error"},
    {"NocaseFoldsVietnamese", "SELECT 'Đức' = 'đức' COLLATE NOCASE", "1"},
    {"NocaseFoldsPrecomposedTones", "SELECT 'ẤP' = 'ấp' COLLATE NOCASE", "1"},
    {"NocaseRespectsAccents", "SELECT 'a' = 'á' COLLATE NOCASE", "0"},
};

using JetFunction = testing::TestWithParam<FunctionCase>;

TEST_P(JetFunction, GivesTheOldEnginesResult)
{
    TestCatalog db;
    QString value;
    try {
        const QStringList values = db.column(QString::fromUtf8(GetParam().sql));
        ASSERT_EQ(values.size(), 1);
        value = values[0];
    } catch (const std::runtime_error&) {
        value = u"error"_s;
    }
    EXPECT_EQ(value, QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, JetFunction, testing::ValuesIn(functionCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
