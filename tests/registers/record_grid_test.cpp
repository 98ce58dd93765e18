// The plan and schedule lists alike: opened from the entry form, a "CB" user corrects and deletes
// only the rows he or nobody saved (an administrator any row), PgDn in a box moves a row, and
// closing brings the entry form back on the list's current row, working again.
#include "all_registers_fixture.h"

#include "common/dates.h"
#include "registers/record_grid_form.h"

namespace {

using registers_test::AllRegistersTest;

TEST_F(AllRegistersTest, AGridListChangesOnlyWhatTheRightsAllowAndHandsItsRowBack)
{
    // dayKeys: the columns ordering the list.
    const struct
    {
        const char *entryCommand, *entry, *listButton, *list;
        QString app::Module1::*table;
        const char *dayKeys, *summary, *summaryBox;
    } cases[] = {{"cmdnapkh", "frmcongviec", "cmdGrid", "frmgridcongviec", &app::Module1::plansTable,
                  "Tgianbdauchuan,Tgiankthucchuan", "ndungtt", "txtndungtt"},
                 {"cmdnaplich", "frmlich", "cmdbang", "frmGridlich", &app::Module1::scheduleTable, "ngaychuan", "ndung",
                  "mndung"}};
    const char* savedBy[] = {"Trần Bình", "", "Nguyễn Văn An"}; // "CB" may change the last two
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        const QString table = app::module1().*c.table;
        for (int i = 0; i < 3; ++i) {
            db::Recordset rs = app::module1().schedule.openRecordset(table);
            rs.addNew();
            for (const QString& key : QString::fromLatin1(c.dayKeys).split(u','))
                rs.setValue(key, common::normaliseDate(u"0%1/01/2026"_s.arg(i + 5)));
            rs.setValue(QString::fromLatin1(c.summary), u"Việc %1"_s.arg(i));
            rs.setValue(u"nguoicapnhat"_s, QString::fromUtf8(savedBy[i]));
            rs.update();
        }
        for (const char* rights : {"CB", "QT"}) {
            login(u"Nguyễn Văn An"_s, QString::fromLatin1(rights)); // a visit reads them when it begins
            auto* entry = openBy<registers::EntryForm>(c.entryCommand, app::DataFile::Schedule, c.entry);
            click(*entry, c.listButton);
            auto* list = registers::form<registers::RecordGridForm>(QString::fromLatin1(c.list));
            ASSERT_TRUE(list->isVisible());
            EXPECT_FALSE(entry->isVisible());
            activate(list);
            list->Data1->moveFirst();
            for (int i = 0; i < 3; ++i) {
                SCOPED_TRACE(std::string(rights) + " " + savedBy[i]);
                const bool may = i > 0 || *rights == 'Q';
                EXPECT_EQ(enabled(list, "Cmdsua"), may);
                EXPECT_EQ(enabled(list, "cmdxoa"), may);
                list->Cmdsua_Click(); // as if the button could be reached
                EXPECT_EQ(list->editing(), may);
                if (may)
                    list->Cmdsua_Click(); // "&Huỷ sửa"
                else
                    list->cmdDelete_Click();
                list->control<ui::TextBox>(QString::fromLatin1(c.summaryBox))->setFocus();
                key(*list, Qt::Key_PageDown);
            }
            EXPECT_EQ(test::tableRows(app::module1().schedule, table, u"id"_s).size(), 3) << "nothing deleted";
            list->Data1->moveFirst();
            list->Data1->moveNext();
            click(*list, "cmdclose");
            ASSERT_TRUE(entry->isVisible());
            EXPECT_EQ(entry->mode(), registers::EntryMode::Viewing);
            EXPECT_EQ(entry->control<ui::TextBox>(QString::fromLatin1(c.summaryBox))->text(), u"Việc 1"_s);
            click(*entry, "cmdAdd"); // the entry form works again after the hand-back
            EXPECT_EQ(entry->mode(), registers::EntryMode::Adding);
            click(*entry, "cmdAdd"); // "&Huỷ nạp"
            click(*entry, "cmdclose");
            EXPECT_TRUE(mainWindow.isVisible());
        }
    }
}

} // namespace
