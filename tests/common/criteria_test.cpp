#include "common/criteria.h"

#include <gtest/gtest.h>

namespace {

enum class Kind { Number, Text, Date };

struct CriterionCase
{
    const char* what;
    Kind kind;
    const char* field;
    const char* criterion;  // for dates: "from|to"
    const char* condition;  // afterwards, starting from an empty condition with count 0
};

// The worked examples of the criteria language, then its edge cases.
const CriterionCase kCases[] = {
    {"NumberAlone", Kind::Number, "[stt]", "12", "([stt]=12)"},
    {"NumberListRangeAndGreater", Kind::Number, "[stt]", "1, 5-9, >100",
     "([stt]=1 or [stt] between 5 and 9 or [stt]>100)"},
    {"NumberNot", Kind::Number, "[stt]", "!7", "([stt] <> 7)"},
    {"NumberNotWithHash", Kind::Number, "[stt]", "# 7", "([stt] <> 7)"},
    {"RangeWithBlanks", Kind::Number, "[stt]", "3 - 7", "([stt] between 3 and 7)"},
    {"RangeWithoutBlanks", Kind::Number, "[stt]", "3-7", "([stt] between 3 and 7)"},
    {"GreaterWithBlank", Kind::Number, "[stt]", "> 5", "([stt]> 5)"},
    {"LessThan", Kind::Number, "[stt]", "<5", "([stt]<5)"},
    {"InvalidItemsDroppedSilently", Kind::Number, "[stt]", "5, x", "([stt]=5)"},
    {"EmptyItemsDropped", Kind::Number, "[stt]", ",5,,6,", "([stt]=5 or [stt]=6)"},
    {"DecimalNumber", Kind::Number, "[stt]", "2.5", "([stt]=2.5)"},
    {"ReversedRangeStaysAsWritten", Kind::Number, "[stt]", "7-3", "([stt] between 7 and 3)"},
    {"TextAlone", Kind::Text, "[noigui]", "Bộ", "(([noigui] Like '*Bộ*'))"},
    {"TextOrAndNot", Kind::Text, "[noigui]", "Bộ,Sở+!Hà",
     "(([noigui] Like '*Bộ*') or ([noigui] Like '*Sở*' and [noigui] Not Like '*Hà*'))"},
    {"TextPartKeepsTrailingBlank", Kind::Text, "[noigui]", "a +b", "(([noigui] Like '*a *' and [noigui] Like '*b*'))"},
    {"TextBlankAfterPlusIgnored", Kind::Text, "[noigui]", "a+ b", "(([noigui] Like '*a*' and [noigui] Like '*b*'))"},
    {"TextNotAlone", Kind::Text, "[noigui]", "!x", "(([noigui] Not Like '*x*'))"},
    {"TextHashIsNot", Kind::Text, "[noigui]", "# x", "(([noigui] Not Like '*x*'))"},
    {"TextItemsTrimmed", Kind::Text, "[noigui]", "  Bộ ,  Sở  ", "(([noigui] Like '*Bộ*') or ([noigui] Like '*Sở*'))"},
    {"TextQuoteDoubled", Kind::Text, "[noigui]", "O'Neil", "(([noigui] Like '*O''Neil*'))"},
    {"TextQuoteDoubledInNot", Kind::Text, "[noigui]", "!'; drop table x", "(([noigui] Not Like '*''; drop table x*'))"},
    {"TextLeadingPlusSkipped", Kind::Text, "[noigui]", "+a", "(([noigui] Like '*a*'))"},
    {"DateBoth", Kind::Date, "[ng_denchuan]", "01/02/2004|29/02/2004",
     "[ng_denchuan] between '20040201' and '20040229'"},
    {"DateFromOnly", Kind::Date, "[ng_denchuan]", "01/02/2004|", "[ng_denchuan]  >= '20040201'"},
    {"DateToOnly", Kind::Date, "[ng_denchuan]", "|29/02/2004", "[ng_denchuan]  <= '20040229'"},
    {"DateOneDay", Kind::Date, "[ng_denchuan]", "05/03/2009|05/03/2009",
     "[ng_denchuan] between '20090305' and '20090305'"},
};

class CriterionExample : public ::testing::TestWithParam<CriterionCase>
{
};

TEST_P(CriterionExample, BuildsTheListedCondition)
{
    const CriterionCase& c = GetParam();
    const QString field = QString::fromUtf8(c.field);
    const QString criterion = QString::fromUtf8(c.criterion);
    QString condition;
    qint16 count = 0;
    switch (c.kind) {
    case Kind::Number: {
        QString status;
        common::DieukienSo(criterion, field, condition, count, status);
        EXPECT_EQ(status, common::kStatusDung);
        break;
    }
    case Kind::Text:
        EXPECT_TRUE(common::DieukienChu(criterion, field, condition, count));
        break;
    case Kind::Date:
        common::DieukienNgay(criterion.section(u'|', 0, 0), criterion.section(u'|', 1, 1), field, condition, count);
        break;
    }
    EXPECT_EQ(condition, QString::fromUtf8(c.condition));
    EXPECT_EQ(count, 1);
}

INSTANTIATE_TEST_SUITE_P(Criteria, CriterionExample, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(Criteria, InvalidNumbersGiveSaiAndLeaveConditionAlone)
{
    for (const char* criterion : {"abc", "-5", "=5", ">=5", "<=5", "3-x", "x-3", "!", ">", "1e3", "3-7-9", ",,"}) {
        QString condition = QStringLiteral("([stt]=1)");
        qint16 count = 1;
        QString status = QStringLiteral("untouched");
        common::DieukienSo(QString::fromLatin1(criterion), QStringLiteral("[stt]"), condition, count, status);
        EXPECT_EQ(status, common::kStatusSai) << criterion;
        EXPECT_EQ(condition, QStringLiteral("([stt]=1)")) << criterion;
        EXPECT_EQ(count, 1) << criterion;
    }
}

TEST(Criteria, BlankBoxesAddNothing)
{
    QString condition = QStringLiteral("([stt]=12)");
    qint16 count = 1;
    QString status = QStringLiteral("before");
    common::DieukienSo(QStringLiteral("   "), QStringLiteral("[stt]"), condition, count, status);
    EXPECT_TRUE(common::DieukienChu(QStringLiteral(" "), QStringLiteral("[noigui]"), condition, count));
    common::DieukienNgay(QString(), QStringLiteral("  "), QStringLiteral("[ng_denchuan]"), condition, count);
    EXPECT_EQ(condition, QStringLiteral("([stt]=12)"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(status, QStringLiteral("before"));
}

TEST(Criteria, UnbalancedTextCriteriaAreRejected)
{
    for (const char* criterion : {",", ",,,", "+", "++", "a+", "a, b+", "a,+", "a, + ,b", "Bộ+Sở+"}) {
        QString condition = QStringLiteral("([stt]=12)");
        qint16 count = 1;
        EXPECT_FALSE(common::DieukienChu(QString::fromUtf8(criterion), QStringLiteral("[noigui]"), condition, count))
            << criterion;
        EXPECT_EQ(condition, QStringLiteral("([stt]=12)")) << criterion;
        EXPECT_EQ(count, 1) << criterion;
    }
}

TEST(Criteria, SecondCriterionIsJoinedWithAnd)
{
    QString condition;
    qint16 count = 0;
    QString status;
    common::DieukienSo(QStringLiteral("12"), QStringLiteral("[stt]"), condition, count, status);
    common::DieukienChu(QStringLiteral("Bộ"), QStringLiteral("[noigui]"), condition, count);
    EXPECT_EQ(condition, QStringLiteral("([stt]=12) and (([noigui] Like '*Bộ*'))"));
    EXPECT_EQ(count, 2);
    common::DieukienNgay(QStringLiteral("01/02/2004"), QString(), QStringLiteral("[ng_denchuan]"), condition, count);
    EXPECT_EQ(condition, QStringLiteral("([stt]=12) and (([noigui] Like '*Bộ*')) and [ng_denchuan]  >= '20040201'"));
    EXPECT_EQ(count, 3);
}

TEST(Criteria, EqualityLeavesTheCountToTheCaller)
{
    QString condition;
    common::DieukienBang(QStringLiteral("True"), QStringLiteral("[khan]"), condition, 0);
    EXPECT_EQ(condition, QStringLiteral("[khan] = True"));
    common::DieukienBang(QStringLiteral("False"), QStringLiteral("[ketthuc]"), condition, 1);
    EXPECT_EQ(condition, QStringLiteral("[khan] = True and [ketthuc] = False"));
}

TEST(Criteria, InvalidCriterionMessageQuotesTheTrimmedBox)
{
    EXPECT_EQ(common::invalidCriterionMessage(QStringLiteral("  abc ")),
              QStringLiteral("Điều kiện  'abc'  không hợp lệ!\r\nCần dùng đúng các ký hiệu '<','>','-','!' và '#' "
                             "như sau : <a ; >a ; a-b (các số từ a đến b) ; !a hoặc #a (khác a)"));
}

} // namespace
