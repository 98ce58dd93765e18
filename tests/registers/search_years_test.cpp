// Every register's search searches only the years whose table its file holds, and a screen reader
// hears what it shows now: a label whose text the program changes as it reads, a list by its own
// name once an item is picked in it.
#include "all_registers_fixture.h"

#include "../support/accessibility_check.h"

#include "app/core/table_copy.h"
#include "registers/search_form.h"

namespace {

using registers_test::AllRegistersTest;

TEST_F(AllRegistersTest, SearchOffersOnlyTheYearsTheFileHoldsAndIsHeardAsItShowsThem)
{
    using app::DataFile;
    const struct
    {
        const char* command;
        const char* form;
        const char* pattern; // the year tables' name without the year, then "mau"
        DataFile file;
        std::pair<const char*, const char*> pick; // a list besides the years and the item picked in it
    } searches[] = {{"cmdtracuucvden", "frmtracuucvden", "cvdenmau", DataFile::Letters, {}},
                    {"cmdtracuucvdi", "frmtracuucvdi", "cvdimau", DataFile::Letters, {}},
                    {"cmdtracuukh", "frmtracuukh", "kehoachmau", DataFile::Schedule, {"DBCombobophan", "Tổng hợp"}},
                    {"cmdtracuulich", "frmtracuulich", "lichmau", DataFile::Schedule, {}}};
    app::Module1& m = app::module1();
    test::insertRow(m.schedule, m.plansTable, {{"Tendonvi", "Văn phòng"}, {"bophan", "Tổng hợp"}, {"ndungtt", "Họp"}});
    for (const auto& s : searches) {
        db::Database& file = m.database(s.file);
        const QString earlier = QString::fromLatin1(s.pattern).chopped(3) + u"2024"_s;
        ASSERT_TRUE(app::copyTableStructure(file, file, QString::fromLatin1(s.pattern), earlier, false)) << s.form;
        auto* search = openBy<registers::SearchForm>(s.command, s.file, s.form);
        QComboBox* years = search->yearList();
        EXPECT_FALSE(years->isEditable()) << s.form << ": a year is chosen, never typed";
        QStringList offered;
        for (int i = 0; i < years->count(); ++i)
            offered << years->itemText(i);
        offered.sort();
        EXPECT_EQ(offered, (QStringList{"2024", "2026"})) << s.form;
        EXPECT_EQ(years->currentText(), u"2026"_s) << s.form;

        if (const auto [name, item] = s.pick; name) {
            auto* list = search->control<QComboBox>(QString::fromLatin1(name));
            list->setCurrentIndex(list->findText(QString::fromUtf8(item)));
            ASSERT_EQ(list->currentText(), QString::fromUtf8(item)) << s.form;
        }
        EXPECT_TRUE(test::isAccessible(search)) << s.form;

        // A year whose table went away meanwhile is told in the form's words, not by the catch-all.
        years->setCurrentIndex(years->findText(u"2024"_s));
        file.execute(u"drop table "_s + earlier);
        home.responder.clear();
        search->Cmdtracuu_Click();
        EXPECT_EQ(home.messages(), QStringList{"Cần chọn năm để tra cứu trước !"}) << s.form;
        EXPECT_EQ(years->findText(u"2024"_s), -1) << s.form;
        EXPECT_TRUE(search->isVisible()) << s.form;
        search->hide();
    }
}

} // namespace
