// The check of register numbers on a year with planted gaps, numbers given twice and dates running
// backwards, for incoming letters (one sequence) and outgoing letters (one sequence per type).
#include "../register_fixture.h"

#include "registers/letters/number_check.h"

namespace {

using namespace registers;
using registers_test::RegisterTest;

class NumberCheckTest : public RegisterTest
{
protected:
    // Adds a letter to the year table and returns its id.
    static qint64 add(bool incoming, int stt, const QString& date, const QString& type = QString())
    {
        app::Module1& m = app::module1();
        const QString table = incoming ? m.incomingTable : m.outgoingTable;
        db::Recordset rs = m.letters.openRecordset(table);
        rs.addNew();
        rs.setValue(QStringLiteral("stt"), stt);
        if (!date.isEmpty())
            rs.setValue(incoming ? QStringLiteral("ng_denchuan") : QStringLiteral("ng_cvchuan"), date);
        if (!type.isEmpty())
            rs.setValue(QStringLiteral("loai"), type);
        rs.update();
        return m.letters.openRecordset(QStringLiteral("SELECT Max(id) FROM ") + table, db::RecordsetType::Snapshot)
            .value(0)
            .toLongLong();
    }
};

TEST_F(NumberCheckTest, FindsGapsDoublesAndBackwardDatesPerSequence)
{
    using P = NumberProblem;
    const QString cv = QStringLiteral("Công văn"), qd = QStringLiteral("Quyết định");
    for (const auto& [stt, date] : {std::pair{1, "20260102"}, {2, "20260103"}, {4, "20260105"}, {8, "20260111"}})
        add(true, stt, QString::fromLatin1(date));
    const qint64 fiveA = add(true, 5, QStringLiteral("20260106"));
    const qint64 fiveB = add(true, 5, QStringLiteral("20260106"));
    const qint64 six = add(true, 6, QStringLiteral("20260110"));
    add(true, 7, QStringLiteral("20260108"));
    add(true, 12, QString());                 // no date: not judged against 8
    add(true, 0, QStringLiteral("20260101")); // no number: not judged
    for (int stt = 1; stt <= 3; ++stt)
        add(false, stt, QStringLiteral("2026010") + QString::number(stt), cv);
    const qint64 qdA = add(false, 2, QStringLiteral("20260205"), qd);
    const qint64 qdB = add(false, 2, QStringLiteral("20260207"), qd);
    add(false, 3, QStringLiteral("20260206"), qd);

    struct Case
    {
        bool incoming;
        QList<NumberFinding> expected;
    };
    const QList<Case> cases = {
        {true,
         {{P::Missing, {}, 3, 3, 0, {}, 0, {}},
          {P::Repeated, {}, 5, 0, fiveA, QStringLiteral("20260106"), 0, {}},
          {P::Repeated, {}, 5, 0, fiveB, QStringLiteral("20260106"), 0, {}},
          {P::DateBackwards, {}, 6, 0, six, QStringLiteral("20260110"), 7, QStringLiteral("20260108")},
          {P::Missing, {}, 9, 11, 0, {}, 0, {}}}},
        {false,
         {{P::Missing, qd, 1, 1, 0, {}, 0, {}},
          {P::Repeated, qd, 2, 0, qdA, QStringLiteral("20260205"), 0, {}},
          {P::Repeated, qd, 2, 0, qdB, QStringLiteral("20260207"), 0, {}},
          {P::DateBackwards, qd, 2, 0, qdB, QStringLiteral("20260207"), 3, QStringLiteral("20260206")}}},
    };
    app::Module1& m = app::module1();
    for (const Case& c : cases) {
        const QList<NumberFinding> found =
            checkRegisterNumbers(m.letters, c.incoming ? m.incomingTable : m.outgoingTable, c.incoming);
        ASSERT_EQ(found.size(), c.expected.size()) << (c.incoming ? "incoming" : "outgoing");
        for (qsizetype i = 0; i < found.size(); ++i)
            EXPECT_TRUE(found[i] == c.expected[i]) << i << ": " << describeFinding(found[i]).toStdString();
    }
    EXPECT_EQ(describeFinding(cases[0].expected[3]), QStringLiteral("Số 6 (10/01/2026) có ngày sau số 7 (08/01/2026)"));
    EXPECT_EQ(describeFinding(cases[0].expected[4]), QStringLiteral("Thiếu số 9 đến 11"));
}

} // namespace
