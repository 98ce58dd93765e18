// Formulas arrive as the texts the print commands build: name = 'value'.
#include "platform/report/formula.h"
#include "platform/report/report_error.h"

#include <gtest/gtest.h>

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
    testing::Values(
        FormulaCase{"title of marked letters", QStringLiteral("lbltd1 = '(Những công văn được chọn)'"),
                    QStringLiteral("lbltd1"), QStringLiteral("(Những công văn được chọn)")},
        FormulaCase{"quotes inside the value stay", QStringLiteral("tendonvi = 'Nhà máy 'Sao Vàng''"),
                    QStringLiteral("tendonvi"), QStringLiteral("Nhà máy 'Sao Vàng'")},
        FormulaCase{"no blanks around =", QStringLiteral("tencaptren='ĐẢNG ỦY KHỐI DOANH NGHIỆP'"),
                    QStringLiteral("tencaptren"), QStringLiteral("ĐẢNG ỦY KHỐI DOANH NGHIỆP")},
        FormulaCase{"blanks inside the quotes kept", QStringLiteral("  lbltd1  =   '  (Ngày 06/01/2025)  ' "),
                    QStringLiteral("lbltd1"), QStringLiteral("  (Ngày 06/01/2025)  ")},
        FormulaCase{"double quotes", QStringLiteral("lbltd1 = \"Lịch \"tuần\"\""), QStringLiteral("lbltd1"),
                    QStringLiteral("Lịch \"tuần\"")},
        FormulaCase{"an = inside the value", QStringLiteral("ghichu = 'a = b'"), QStringLiteral("ghichu"),
                    QStringLiteral("a = b")},
        FormulaCase{"empty quoted value", QStringLiteral("tendonvi = ''"), QStringLiteral("tendonvi"), QString()},
        FormulaCase{"unquoted value", QStringLiteral("so = 12"), QStringLiteral("so"), QStringLiteral("12")},
        FormulaCase{"a lone quote is the value", QStringLiteral("dau = '"), QStringLiteral("dau"), QStringLiteral("'")},
        FormulaCase{"mismatched quotes are not stripped", QStringLiteral("x = 'abc\""), QStringLiteral("x"),
                    QStringLiteral("'abc\"")}));

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
        EXPECT_TRUE(error.message().contains(QStringLiteral("số 2"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(GetParam()))) << error.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, FormulaRefused,
                         testing::Values("lbltd1 '(Ngày 06/01/2025)'", "= 'không tên'", "1abc = 'x'",
                                         "tên đơn vị = 'x'", "a-b = 'x'"));

} // namespace
