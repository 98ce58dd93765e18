// What the entry forms of the four registers do alike, checked on each of them: how they open, what
// a screen reader hears viewing and adding, and what a save checks before it writes.
#include "all_registers_fixture.h"

#include "../support/accessibility_check.h"

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
    const char* renumber;                                   // "Số mới", "" for none
    QList<std::pair<const char*, const char*>> filled;      // the required boxes, filled
    std::pair<const char*, const char*> dateAndInvalidDate; // a date box and its message
};

const QList<Register>& registersUnderTest()
{
    using app::DataFile;
    using M = app::Module1;
    // clang-format off
    static const QList<Register> registers = {
        {"incoming", "cmdnapcvden", "frmcvden", DataFile::Letters, &M::incomingTable, "cmdsuasocvden",
         {{"mnoigui", "Sở Nội vụ"}, {"mdv_nhan", "Phòng Hành chính"}, {"mtt_ndung", "Họp giao ban"}},
         {"mng_cv", "Cần nhập lại ngày tháng năm cho đúng!"}},
        {"outgoing", "cmdnapcvdi", "frmcvdi", DataFile::Letters, &M::outgoingTable, "cmdsuasocvdi",
         {{"mdv_nhan", "Sở Nội vụ"}, {"mnoiluu", "Phòng Hành chính"}, {"mnguoiky", "Nguyễn Văn An"},
          {"mtt_ndung", "Báo cáo quý"}},
         {"mng_cv", "Bạn cần nạp lại ngày tháng năm cho đúng !"}},
        {"plans", "cmdnapkh", "frmcongviec", DataFile::Schedule, &M::plansTable, "",
         {{"txtban", "Phòng Hành chính"}, {"txtndungtt", "Kiểm kê"}, {"Txttgianbdau", "05/01/2026"}},
         {"Txttgiankthuc", "Bạn cần nạp lại ngày tháng năm cho đúng !"}},
        {"schedule", "cmdnaplich", "frmlich", DataFile::Schedule, &M::scheduleTable, "",
         {{"mgio", "8h00"}, {"mndung", "Giao ban"}},
         {"mngay", "Bạn cần nạp lại ngày tháng năm cho đúng!"}},
    };
    // clang-format on
    return registers;
}

class EntryFormsTest : public AllRegistersTest
{
protected:
    registers::EntryForm* open(const Register& r) { return openBy<registers::EntryForm>(r.command, r.file, r.form); }
    static int count(const Register& r)
    {
        app::Module1& m = app::module1();
        return static_cast<int>(test::tableRows(m.database(r.file), m.*r.table, u"id"_s).size());
    }
};

// The forms stay made between visits, but a visit reads the program as it is when its button is
// pressed: after another data file was chosen (the one before closed) and another user logged in,
// the next visit saves into the new file, stamped with the new user where the register stamps.
// Opened for viewing, a form offers neither save nor a new number. A date box the user never left
// (a click on "Ghi đĩa" that brought no leave) still passes the date rule before anything is
// written, and a date typed short and not left is completed before it is written.
TEST_F(EntryFormsTest, AVisitWorksOnTheFileAndUserOfItsOwnBeginningAndSaveChecksTheDateBox)
{
    app::Module1& m = app::module1();
    for (const Register& r : registersUnderTest()) {
        registers::EntryForm* f = open(r);
        EXPECT_TRUE(test::isAccessible(f)) << r.name << " viewing";
        EXPECT_FALSE(f->control<QPushButton>(u"cmdUpdate"_s)->isEnabled()) << r.name;
        if (*r.renumber) {
            EXPECT_FALSE(f->control<QPushButton>(QString::fromLatin1(r.renumber))->isEnabled()) << r.name;
        }
        click(*f, "cmdclose");
        QString& path = r.file == app::DataFile::Letters ? m.lettersPath : m.schedulePath;
        const QString chosen = path + u"."_s + QString::fromLatin1(r.name) + u".mdb"_s;
        ASSERT_TRUE(QFile::copy(path, chosen)) << r.name;
        m.database(r.file).close();
        m.database(r.file) = db::Database::open(chosen, app::kConnect);
        path = chosen;
        login(u"Trần Bình"_s, u"QT"_s);

        f = open(r);
        click(*f, "cmdAdd");
        EXPECT_TRUE(test::isAccessible(f)) << r.name << " adding";
        for (const auto& [name, text] : r.filled)
            f->control<ui::TextBox>(QString::fromLatin1(name))->setText(QString::fromUtf8(text));
        ui::TextBox* date = f->control<ui::TextBox>(QString::fromLatin1(r.dateAndInvalidDate.first));
        date->setText(u"hôm sau"_s);
        home.responder.clear();
        click(*f, "cmdUpdate");
        EXPECT_EQ(home.messages(), QStringList{QString::fromUtf8(r.dateAndInvalidDate.second)}) << r.name;
        EXPECT_EQ(date->text(), QString()) << r.name;
        EXPECT_TRUE(date->hasFocus()) << r.name;
        EXPECT_EQ(count(r), 0) << r.name << ": nothing written";
        EXPECT_TRUE(f->editing()) << r.name;

        date->setText(u"6/1/26"_s);
        home.responder.clear();
        click(*f, "cmdUpdate");
        EXPECT_EQ(home.messages(), QStringList()) << r.name;
        EXPECT_EQ(count(r), 1) << r.name;
        EXPECT_EQ(date->text(), u"06/01/2026"_s) << r.name;
        if (r.file == app::DataFile::Schedule) {
            EXPECT_EQ(test::tableRows(m.database(r.file), m.*r.table, u"nguoicapnhat"_s), QStringList{"Trần Bình"})
                << r.name;
        }
        f->hide();
        login(u"Nguyễn Văn An"_s, u"QT"_s);
    }
}

} // namespace
