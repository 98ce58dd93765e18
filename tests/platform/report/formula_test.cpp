// Formulas arrive as the texts the print commands build: name = 'value'.
#include "platform/report/formula.h"
#include "platform/report/report_error.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace report;

namespace {

struct FormulaCase
{
    const char* what;
    QString text;
    QString name;
    QString value;
};

class FormulaParses : public testing::TestWithParam<FormulaCase>
{
};

TEST_P(FormulaParses, NameAndValueAsGiven)
{
    const FormulaCase& c = GetParam();
    const Formula formula = parseFormula(c.text, 0);
    EXPECT_EQ(formula.name, c.name) << c.what;
    EXPECT_EQ(formula.value, c.value) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormulaParses,
    testing::Values(FormulaCase{"title of marked letters", u"lbltd1 = '(Những công văn được chọn)'"_s, u"lbltd1"_s,
                                u"(Những công văn được chọn)"_s},
                    FormulaCase{"quotes inside the value stay", u"tendonvi = 'Nhà máy 'Sao Vàng''"_s, u"tendonvi"_s,
                                u"Nhà máy 'Sao Vàng'"_s},
                    FormulaCase{"no blanks around =", u"tencaptren='ĐẢNG ỦY KHỐI DOANH NGHIỆP'"_s, u"tencaptren"_s,
                                u"ĐẢNG ỦY KHỐI DOANH NGHIỆP"_s},
                    FormulaCase{"blanks inside the quotes kept", u"  lbltd1  =   '  (Ngày 06/01/2025)  ' "_s,
                                u"lbltd1"_s, u"  (Ngày 06/01/2025)  "_s},
                    FormulaCase{"double quotes", u"lbltd1 = \"Lịch \"tuần\"\""_s, u"lbltd1"_s, u"Lịch \"tuần\""_s},
                    FormulaCase{"an = inside the value", u"ghichu = 'a = b'"_s, u"ghichu"_s, u"a = b"_s},
                    FormulaCase{"empty quoted value", u"tendonvi = ''"_s, u"tendonvi"_s, QString()},
                    FormulaCase{"unquoted value", u"so = 12"_s, u"so"_s, u"12"_s},
                    FormulaCase{"a lone quote is the value", u"dau = '"_s, u"dau"_s, u"'"_s},
                    FormulaCase{"mismatched quotes are not stripped", u"x = 'abc\""_s, u"x"_s, u"'abc\""_s}));

class FormulaRefused : public testing::TestWithParam<const char*>
{
};

TEST_P(FormulaRefused, WithBadFormulaNamingItsNumber)
{
    try {
        parseFormula(QString::fromUtf8(GetParam()), 2);
        FAIL() << "accepted " << GetParam();
    } catch (const ReportError& error) {
        EXPECT_EQ(error.code(), ReportErrorCode::BadFormula);
        EXPECT_TRUE(error.message().contains(u"số 2"_s)) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(GetParam()))) << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, FormulaRefused,
                         testing::Values("lbltd1 '(Ngày 06/01/2025)'", "= 'không tên'", "1abc = 'x'",
                                         "tên đơn vị = 'x'", "a-b = 'x'"));

} // namespace
