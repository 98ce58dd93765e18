// Numbering per letter type over a year of outgoing letters A1 A2 B1 A3 B2 A4 A5 (table order):
// adding takes the last letter of the type, editing the nearest earlier one, and an edit whose
// number the next letter of the type already holds is refused.
#include "../register_fixture.h"

#include "registers/outgoing/letter_numbering.h"

namespace {

using namespace registers;
using registers_test::RegisterTest;
using Outcome = TypeNumber::Outcome;

const QString A = u"Công văn"_s;
const QString B = u"Quyết định"_s;

class NumberingTest : public RegisterTest
{
protected:
    db::Recordset year() const
    {
        return app::module1().letters.openRecordset(app::module1().outgoingTable, db::RecordsetType::Dynaset);
    }
    static void add(const QString& type, int stt)
    {
        test::insertRow(app::module1().letters, app::module1().outgoingTable, {{"loai", type}, {"stt", stt}});
    }
};

TEST_F(NumberingTest, NumbersPerTypeWhenAddingAndEditing)
{
    // An empty year: 1 whatever the type, even a blank one.
    for (const QString& type : {A, QString()}) {
        const TypeNumber first = numberForType(year(), type, -1);
        EXPECT_EQ(std::pair(first.outcome, first.number), std::pair(Outcome::Numbered, 1));
    }
    for (const auto& [type, stt] : {std::pair{A, 1}, {A, 2}, {B, 1}, {A, 3}, {B, 2}, {A, 4}, {A, 5}})
        add(type, stt);

    struct Case
    {
        const char* what;
        QString type;
        int position; // -1 adding
        Outcome outcome;
        int number;
    };
    const QList<Case> cases = {
        {"adding A", A, -1, Outcome::Numbered, 6},
        {"adding B", B, -1, Outcome::Numbered, 3},
        {"adding a type not used yet", u"Tờ trình"_s, -1, Outcome::Numbered, 1},
        {"a quote in the type", u"Công văn 'mật'"_s, -1, Outcome::Numbered, 1},
        {"blank type", u"  "_s, -1, Outcome::NoType, 0},
        {"B1 made A collides with A3", A, 2, Outcome::Taken, 3},
        {"B2 made A collides with A4", A, 4, Outcome::Taken, 4},
        {"the last letter made B", B, 6, Outcome::Numbered, 3},
        {"A4 made B, after every B", B, 5, Outcome::Numbered, 3},
        {"the first letter made B collides with B1", B, 0, Outcome::Taken, 1},
        {"the first letter made a new type", u"Tờ trình"_s, 0, Outcome::Numbered, 1},
        {"editing with a blank type", QString(), 3, Outcome::NoType, 0},
    };
    db::Recordset rs = year();
    rs.setAbsolutePosition(3);
    for (const Case& c : cases) {
        const TypeNumber r = numberForType(rs, c.type, c.position);
        EXPECT_EQ(r.outcome, c.outcome) << c.what;
        if (c.outcome != Outcome::NoType) {
            EXPECT_EQ(r.number, c.number) << c.what;
        }
    }
    EXPECT_EQ(rs.absolutePosition(), 3); // a clone looked; the form's record stays
    EXPECT_EQ(letterNumberPrefix(u" 3"_s), u"3/"_s);
}

} // namespace
