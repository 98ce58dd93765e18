// The criteria builders: each condition is checked as text and by running it on a year table.
#include "common/criteria.h"
#include "common/dates.h"
#include "table_rows.h"
#include "template_file.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kTable = u"cvden2009"_s;

// stt, ng_den, noigui, tt_ndung, da_xuli
const std::tuple<int, const char*, const char*, const char*, bool> kLetters[] = {
    {1, "01/02/2004", "Bộ Giáo dục", "Tuyển sinh", false},
    {2, "15/02/2004", "Sở Tài chính Hà Nội", "Quyết toán", true},
    {3, "29/02/2004", "Sở Nội vụ", "Biên chế", false},
    {4, "01/03/2004", "UBND tỉnh Hà Tây", "a b", false},
    {5, "10/01/2004", "BỘ TÀI CHÍNH", "Ngân sách", true},
    {6, "05/03/2004", "Công ty O'Neil", "ab", false},
    {7, "12/03/2004", "Đoàn thanh niên", "b a", false},
    {12, "13/03/2004", "ĐOÀN THANH NIÊN", "ba", false},
    {101, "14/03/2004", "Trường Đại học", "Học bổng", true},
    {150, "15/03/2004", "Sở Y tế", "Tiêm chủng", false},
};

enum class Kind
{
    Number,
    Text,
    Date
};

struct Case
{
    const char* what;
    Kind kind;
    const char* field;
    const char* criterion; // dates: "from|to"
    const char* condition; // from an empty condition with count 0
    const char* rows;      // stt of the rows it selects
};

const Case kCases[] = {
    // The worked examples.
    {"Number", Kind::Number, "[stt]", "12", "([stt]=12)", "12"},
    {"NumberListRangeGreater", Kind::Number, "[stt]", "1, 5-9, >100", "([stt]=1 or [stt] between 5 and 9 or [stt]>100)",
     "1 5 6 7 101 150"},
    {"NumberNot", Kind::Number, "[stt]", "!7", "([stt] <> 7)", "1 2 3 4 5 6 12 101 150"},
    {"Text", Kind::Text, "[noigui]", "Bộ", "(([noigui] Like '*Bộ*'))", "1 5"},
    {"TextOrAndNot", Kind::Text, "[noigui]", "Bộ,Sở+!Hà",
     "(([noigui] Like '*Bộ*') or ([noigui] Like '*Sở*' and [noigui] Not Like '*Hà*'))", "1 3 5 150"},
    {"DateRange", Kind::Date, "[ng_denchuan]", "01/02/2004|29/02/2004",
     "[ng_denchuan] between '20040201' and '20040229'", "1 2 3"},
    // Edge cases.
    {"NumberNotWithHash", Kind::Number, "[stt]", "# 7, 3 - 4", "([stt] <> 7 or [stt] between 3 and 4)",
     "1 2 3 4 5 6 12 101 150"},
    {"GreaterWithBlank", Kind::Number, "[stt]", "> 100", "([stt]> 100)", "101 150"},
    {"InvalidItemDroppedSilently", Kind::Number, "[stt]", "5, x,,", "([stt]=5)", "5"},
    {"SignedAndDecimalNumbers", Kind::Number, "[stt]", "+5, .5, 6., 7.0",
     "([stt]=+5 or [stt]=.5 or [stt]=6. or [stt]=7.0)", "5 6 7"},
    {"ReversedRangeFindsNothing", Kind::Number, "[stt]", "7-3", "([stt] between 7 and 3)", ""},
    {"TextIgnoresVietnameseCase", Kind::Text, "[noigui]", "đoàn", "(([noigui] Like '*đoàn*'))", "7 12"},
    {"TextRespectsAccents", Kind::Text, "[noigui]", "tay", "(([noigui] Like '*tay*'))", ""},
    {"TextHashIsNot", Kind::Text, "[noigui]", "#hà", "(([noigui] Not Like '*hà*'))", "1 3 5 6 7 12 101 150"},
    {"PartKeepsBlankBeforePlus", Kind::Text, "[tt_ndung]", "a +b",
     "(([tt_ndung] Like '*a *' and [tt_ndung] Like '*b*'))", "4"},
    {"BlankAfterPlusDropped", Kind::Text, "[tt_ndung]", "a+ b", "(([tt_ndung] Like '*a*' and [tt_ndung] Like '*b*'))",
     "4 6 7 12"},
    {"ItemsTrimmed", Kind::Text, "[noigui]", "  ĐẠI HỌC ,  y tế ",
     "(([noigui] Like '*ĐẠI HỌC*') or ([noigui] Like '*y tế*'))", "101 150"},
    {"QuoteDoubled", Kind::Text, "[noigui]", "O'Neil", "(([noigui] Like '*O''Neil*'))", "6"},
    {"QuoteCannotEndTheString", Kind::Text, "[noigui]", "!'; DELETE * FROM cvden2009",
     "(([noigui] Not Like '*''; DELETE * FROM cvden2009*'))", "1 2 3 4 5 6 7 12 101 150"},
    {"DateFromOnly", Kind::Date, "[ng_denchuan]", "05/03/2004|", "[ng_denchuan]  >= '20040305'", "6 7 12 101 150"},
    {"DateToOnly", Kind::Date, "[ng_denchuan]", "|31/01/2004", "[ng_denchuan]  <= '20040131'", "5"},
    {"DateOneDay", Kind::Date, "[ng_denchuan]", "01/03/2004|01/03/2004",
     "[ng_denchuan] between '20040301' and '20040301'", "4"},
};

class CriteriaOnYearTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_file.db().execute("SELECT * INTO " + kTable + " FROM cvdenmau"); // as a new working year is made
        for (const auto& [stt, ngDen, noigui, ttNdung, daXuli] : kLetters)
            test::insertRow(m_file.db(), kTable,
                            {{"stt", stt},
                             {"ng_den", ngDen},
                             {"ng_denchuan", common::normaliseDate(QString::fromLatin1(ngDen))},
                             {"noigui", QString::fromUtf8(noigui)},
                             {"tt_ndung", QString::fromUtf8(ttNdung)},
                             {"da_xuli", int(daXuli)}});
    }

    // The stt of the rows condition selects, ascending, joined by blanks.
    QString found(const QString& condition)
    {
        return test::tableRows(m_file.db(), kTable + " WHERE " + condition, "stt", "stt").join(u' ');
    }

    test::TemplateCopy m_file{u"vemocv.mdb"_s};
};

TEST_F(CriteriaOnYearTable, EachCriterionBuildsTheConditionThatSelectsTheRows)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const QString field = QString::fromUtf8(c.field), criterion = QString::fromUtf8(c.criterion);
        QString condition, status;
        qint16 count = 0;
        if (c.kind == Kind::Number)
            common::appendNumberCriterion(criterion, field, condition, count, status);
        else if (c.kind == Kind::Text)
            EXPECT_TRUE(common::appendTextCriterion(criterion, field, condition, count));
        else
            common::appendDateRange(criterion.section(u'|', 0, 0), criterion.section(u'|', 1), field, condition, count);
        EXPECT_EQ(status, c.kind == Kind::Number ? common::kStatusDung : QString());
        EXPECT_EQ(condition, QString::fromUtf8(c.condition));
        EXPECT_EQ(count, 1);
        EXPECT_EQ(found(condition), QString::fromLatin1(c.rows));
    }
}

TEST_F(CriteriaOnYearTable, PiecesJoinWithAndIntoOneSearch)
{
    QString condition, status;
    qint16 count = 0;
    common::appendNumberCriterion(u"12"_s, u"[stt]"_s, condition, count, status);
    common::appendTextCriterion(u"Bộ"_s, u"[noigui]"_s, condition, count);
    EXPECT_EQ(condition, u"([stt]=12) and (([noigui] Like '*Bộ*'))"_s);
    EXPECT_EQ(found(condition), QString()); // letter 12 is not from a Bộ

    condition.clear();
    count = 0;
    common::appendNumberCriterion(u"1-100"_s, u"[stt]"_s, condition, count, status);
    common::appendTextCriterion(u"sở,bộ"_s, u"[noigui]"_s, condition, count);
    EXPECT_EQ(condition, u"([stt] between 1 and 100) and (([noigui] Like '*sở*') or ([noigui] Like '*bộ*'))"_s);
    common::appendDateRange(u"01/02/2004"_s, QString(), u"[ng_denchuan]"_s, condition, count);
    common::appendEquals(u"True"_s, u"[da_xuli]"_s, condition, count);
    EXPECT_EQ(count, 3); // the equality leaves the count to its caller
    EXPECT_EQ(found(condition), u"2"_s);
    common::appendEquals(u"False"_s, u"[da_xuli]"_s, condition, count + 1);
    EXPECT_EQ(found(condition), QString());
}

TEST(Criteria, InvalidNumbersGiveSaiAndAddNothing)
{
    for (const char* criterion : {"abc", "-5", "=5", ">=5", "<=5", "3-x", "!", "1e3", "3-7-9", ",,"}) {
        QString condition = u"([stt]=1)"_s, status;
        qint16 count = 1;
        common::appendNumberCriterion(QString::fromLatin1(criterion), u"[stt]"_s, condition, count, status);
        EXPECT_EQ(status + condition + QString::number(count), u"sai([stt]=1)1"_s) << criterion;
    }
}

TEST(Criteria, UnbalancedTextCriteriaAreRefused)
{
    for (const char* criterion : {",", ",,,", "+", "++", "a+", "a, b+", "a,+", "Bộ+Sở+"}) {
        QString condition = u"([stt]=1)"_s;
        qint16 count = 1;
        EXPECT_FALSE(common::appendTextCriterion(QString::fromUtf8(criterion), u"[noigui]"_s, condition, count));
        EXPECT_EQ(condition + QString::number(count), u"([stt]=1)1"_s) << criterion;
    }
}

TEST(Criteria, BlankBoxesAddNothing)
{
    QString condition = u"([stt]=12)"_s, status = u"before"_s;
    qint16 count = 1;
    common::appendNumberCriterion(u"  "_s, u"[stt]"_s, condition, count, status);
    EXPECT_TRUE(common::appendTextCriterion(u" "_s, u"[noigui]"_s, condition, count));
    common::appendDateRange(QString(), u" "_s, u"[ng_denchuan]"_s, condition, count);
    EXPECT_EQ(status + condition + QString::number(count), u"before([stt]=12)1"_s);
}

TEST(Criteria, InvalidCriterionMessageQuotesTheTrimmedBox)
{
    EXPECT_EQ(common::invalidCriterionMessage(u"  abc "_s),
              u"Điều kiện  'abc'  không hợp lệ!\r\nCần dùng đúng các ký hiệu '<','>','-','!' và '#' "
              "như sau : <a ; >a ; a-b (các số từ a đến b) ; !a hoặc #a (khác a)"_s);
}

} // namespace
