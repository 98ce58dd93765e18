// What the entry forms of the four registers do alike, checked on each of them: how they open and
// what a save checks before it writes.
#include "all_registers_fixture.h"

#include "registers/entry_form.h"

namespace {

using registers_test::AllRegistersTest;

struct Register
{
    const char* name;
    const char* command; // the main window's button
    const char* form;
    app::DataFile file;
    QString app::Module1::*table;
    const char* renumber;                  // "Số mới", "" for none
    QList<QPair<QString, QString>> filled; // the required boxes, filled
    const char* dateBox;                   // a date box
    QString invalidDate;                   // its message
};

const QList<Register>& registersUnderTest()
{
    static const QList<Register> registers = {
        {"incoming",
         "cmdnapcvden",
         "frmcvden",
         app::DataFile::Letters,
         &app::Module1::incomingTable,
         "cmdsuasocvden",
         {{QStringLiteral("mnoigui"), QStringLiteral("Sở Nội vụ")},
          {QStringLiteral("mdv_nhan"), QStringLiteral("Phòng Hành chính")},
          {QStringLiteral("mtt_ndung"), QStringLiteral("Họp giao ban")}},
         "mng_cv",
         QStringLiteral("Cần nhập lại ngày tháng năm cho đúng!")},
        {"outgoing",
         "cmdnapcvdi",
         "frmcvdi",
         app::DataFile::Letters,
         &app::Module1::outgoingTable,
         "cmdsuasocvdi",
         {{QStringLiteral("mdv_nhan"), QStringLiteral("Sở Nội vụ")},
          {QStringLiteral("mnoiluu"), QStringLiteral("Phòng Hành chính")},
          {QStringLiteral("mnguoiky"), QStringLiteral("Nguyễn Văn An")},
          {QStringLiteral("mtt_ndung"), QStringLiteral("Báo cáo quý")}},
         "mng_cv",
         QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !")},
        {"plans",
         "cmdnapkh",
         "frmcongviec",
         app::DataFile::Schedule,
         &app::Module1::plansTable,
         "",
         {{QStringLiteral("txtban"), QStringLiteral("Phòng Hành chính")},
          {QStringLiteral("txtndungtt"), QStringLiteral("Kiểm kê")},
          {QStringLiteral("Txttgianbdau"), QStringLiteral("05/01/2026")}},
         "Txttgiankthuc",
         QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng !")},
        {"schedule",
         "cmdnaplich",
         "frmlich",
         app::DataFile::Schedule,
         &app::Module1::scheduleTable,
         "",
         {{QStringLiteral("mgio"), QStringLiteral("8h00")}, {QStringLiteral("mndung"), QStringLiteral("Giao ban")}},
         "mngay",
         QStringLiteral("Bạn cần nạp lại ngày tháng năm cho đúng!")},
    };
    return registers;
}

class EntryFormsTest : public AllRegistersTest
{
protected:
    registers::EntryForm* open(const Register& r) { return openBy<registers::EntryForm>(r.command, r.file, r.form); }
    static int count(const Register& r)
    {
        app::Module1& m = app::module1();
        return static_cast<int>(tableRows(m.database(r.file), m.*r.table, QStringLiteral("id")).size());
    }
};

TEST_F(EntryFormsTest, OpenedForViewingTheyOfferNeitherSaveNorNewNumber)
{
    for (const Register& r : registersUnderTest()) {
        registers::EntryForm* f = open(r);
        EXPECT_FALSE(f->control<QPushButton>(QStringLiteral("cmdUpdate"))->isEnabled()) << r.name;
        if (*r.renumber) {
            EXPECT_FALSE(f->control<QPushButton>(QString::fromLatin1(r.renumber))->isEnabled()) << r.name;
        }
        f->hide();
    }
}

// A date box the user never left (a click on "Ghi đĩa" that brought no leave) still passes the
// date rule before anything is written.
TEST_F(EntryFormsTest, SaveRefusesADateBoxThatHoldsNoDate)
{
    for (const Register& r : registersUnderTest()) {
        registers::EntryForm* f = open(r);
        click(*f, "cmdAdd");
        for (const auto& [name, text] : r.filled)
            f->box(name)->setText(text);
        ui::TextBox* date = f->box(QString::fromLatin1(r.dateBox));
        date->setText(QStringLiteral("hôm sau"));
        home.responder.clear();
        click(*f, "cmdUpdate");
        EXPECT_EQ(home.messages(), QStringList{r.invalidDate}) << r.name;
        EXPECT_EQ(date->text(), QString()) << r.name;
        EXPECT_TRUE(date->hasFocus()) << r.name;
        EXPECT_EQ(count(r), 0) << r.name << ": nothing written";
        EXPECT_TRUE(f->editing()) << r.name;

        // A date typed short and not left is completed before it is written.
        date->setText(QStringLiteral("6/1/26"));
        home.responder.clear();
        click(*f, "cmdUpdate");
        EXPECT_EQ(home.messages(), QStringList()) << r.name;
        EXPECT_EQ(count(r), 1) << r.name;
        EXPECT_EQ(date->text(), QStringLiteral("06/01/2026")) << r.name;
        f->hide();
    }
}

} // namespace
