#include "accessibility_check.h"
#include "app/core/module1.h"
#include "app/core/year_tables.h"
#include "app/gui/frmnamlamviec.h"
#include "startup_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WorkingYearDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(home.start(), app::StartupOutcome::Ready);
        home.responder.clear();
    }

    // Opens the dialog, types year into its box and presses its button (or the key given).
    void choose(const QString& year, Qt::Key key = Qt::Key_unknown)
    {
        app::WorkingYearDialog form(&home.window);
        form.showModeless();
        auto* box = form.control<QComboBox>(u"Combonamlamviec"_s);
        box->setCurrentText(year);
        if (key == Qt::Key_unknown)
            form.control<QPushButton>(u"cmdCancel"_s)->click();
        else
            QTest::keyClick(box, key);
        EXPECT_FALSE(form.isVisible());
    }

    ProgramFolder home;
};

// Every year is listed once, newest first. Esc changes nothing; a nearby year typed (Enter or the
// button) gets its tables and becomes the working year; 49 years away is still near enough.
TEST_F(WorkingYearDialogTest, ListsEveryYearOnceNewestFirstAndANearbyNewYearBecomesTheWorkingYear)
{
    db::Database& cv = app::module1().letters;
    cv.execute(u"SELECT * INTO cvden2007 FROM cvdenmau"_s); // only the incoming table of 2007
    cv.execute(u"SELECT * INTO cvdi2008 FROM cvdimau"_s);
    cv.execute(u"SELECT * INTO cvden2008 FROM cvdenmau"_s);
    // A table some other program made, whose "year" holds a quote, is listed as it is.
    cv.execute(u"SELECT * INTO [cvdi1'2)] FROM cvdimau"_s);
    app::WorkingYearDialog form(&home.window);
    form.load();
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_EQ(form.years(), (QStringList{"2009", "2008", "2007", "1'2)"}));
    EXPECT_EQ(form.control<QComboBox>(u"Combonamlamviec"_s)->currentText(), u"2009"_s);
    EXPECT_EQ(form.windowTitle(), u"Chọn năm làm việc"_s);
    form.showModeless();
    EXPECT_TRUE(test::isAccessible(&form));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);

    choose(u"2010"_s, Qt::Key_Escape);
    EXPECT_EQ(app::module1().workingYear, u"2009"_s);
    choose(u" 2010 "_s);
    const app::Module1& m = app::module1();
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    // Working year, its table, the settings file and the label; the tables are made as the year
    // tables' own test shows (one of them proves it ran).
    EXPECT_EQ((QStringList{m.workingYear, m.incomingTable, home.readSysmem().value(3), home.window.yearLabel}),
              (QStringList{"2010", "cvden2010", "2010", "Dữ liệu năm 2010"}));
    EXPECT_TRUE(hasTable(m.schedulePath, u"lich2010"_s));
    choose(u"2058"_s, Qt::Key_Return);
    EXPECT_EQ(m.workingYear, u"2058"_s);
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
}

TEST_F(WorkingYearDialogTest, ReadOnlyRunTakesOnlyAYearWhoseTablesAreThereAndWritesNothing)
{
    app::Module1& m = app::module1();
    m.readOnly = true;
    const QStringList sysmem = home.readSysmem();
    choose(u"2010"_s);
    ASSERT_EQ(home.messages().size(), 1);
    EXPECT_TRUE(home.messages().first().startsWith(u"Chưa có dữ liệu năm 2010"_s));
    EXPECT_EQ(m.workingYear + u'|' + m.incomingTable, u"2009|cvden2009"_s);
    EXPECT_FALSE(hasTable(m.lettersPath, u"cvden2010"_s));

    for (const auto& [file, table, from] : {std::tuple{&m.letters, "cvden2008", "cvdenmau"},
                                            {&m.letters, "cvdi2008", "cvdimau"},
                                            {&m.schedule, "kehoach2008", "kehoachmau"},
                                            {&m.schedule, "lich2008", "lichmau"}})
        file->execute(u"SELECT * INTO "_s + QString::fromLatin1(table) + u" FROM "_s + QString::fromLatin1(from));
    choose(u"2008"_s);
    EXPECT_EQ(m.workingYear + u'|' + home.window.yearLabel, u"2008|Dữ liệu năm 2008"_s);
    EXPECT_EQ(home.readSysmem(), sysmem);
}

// A year far from the clock or not a year is refused. A damaged template, or year tables that
// cannot be made, refuse the year with their message. Each leaves the working year, the settings
// and the main window's label as they were.
TEST_F(WorkingYearDialogTest, YearFarFromTheClockNotAYearOrWhoseTablesCannotBeMadeIsRefused)
{
    static const QRegularExpression yearTable(u"^(cvden|cvdi|kehoach|lich)\\d{4}$"_s);
    for (const char* typed : {"2059", "1959", "abcd", "209", "20 9", ""}) {
        SCOPED_TRACE(typed);
        home.responder.clear();
        choose(QString::fromUtf8(typed));
        EXPECT_EQ(home.messages(), QStringList{"Cần chọn lại số năm cho đúng"});
        EXPECT_EQ(app::module1().workingYear + u'|' + home.readSysmem().value(3), u"2009|2009"_s);
        db::Database cv = app::module1().letters;
        cv.refreshTableDefs();
        EXPECT_EQ(cv.tableNames().filter(yearTable).size(), 2) << "only cvden2009 and cvdi2009";
    }

    home.responder.clear();
    app::module1().templateDamaged = true;
    choose(u"2010"_s);
    ASSERT_EQ(home.messages().size(), 1);
    EXPECT_TRUE(home.messages().first().contains(
        u" bị hỏng. Chương trình không tạo được bảng dữ liệu cho năm làm việc được chọn !\r"
        "Cần khôi phục file dữ liệu gốc hoặc cài đặt lại chương trình này !"_s));
    EXPECT_EQ(app::module1().workingYear, u"2009"_s);

    app::module1().templateDamaged = false;
    app::module1().schedule.close();
    home.responder.clear();
    choose(u"2010"_s);
    EXPECT_EQ(home.messages(), QStringList{app::yearTablesFailedMessage()});
    EXPECT_EQ(home.readSysmem().value(3) + u'|' + home.window.yearLabel, u"2009|Dữ liệu năm 2009"_s);
}

} // namespace
