#pragma once

// The register fixture with the schedule forms registered, a logged-in user, the weekly report in
// the data folder, prints going to PDF files, and helpers that put schedule items straight into a
// year's table and read them back.

#include "../register_fixture.h"

#include "../../platform/report/pdf_text.h"

#include "app/core/table_copy.h"
#include "common/dates.h"
#include "registers/schedule/frmGridlich.h"
#include "registers/schedule/frmgridtuan.h"
#include "registers/schedule/frmlich.h"
#include "registers/schedule/frmtracuulich.h"
#include "registers/schedule/schedule_forms.h"
#include "registers/schedule/schedule_record.h"
#include "registers/schedule/week_publish.h"
#include "ui_frmGridlich.h"
#include "ui_frmlich.h"
#include "ui_frmtracuulich.h"

#include <QRegularExpression>

namespace schedule_test {

struct Item
{
    QString day; // dd/mm/yyyy
    QString time;
    QString what;
    QString place = QString();
    QString savedBy = QString();
    QString chair = QString();
};

class ScheduleTest : public registers_test::RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        registers::registerScheduleForms();
        login(u"Nguyễn Văn An"_s, u"CB"_s);
        copyData("brlichtuan.rpt");
        printToPdf();
        // The publish folder is read from a store of the test's own, set to none.
        registers::setPublishSettingsFile(pdfDir.filePath(u"settings.ini"_s));
    }
    void TearDown() override
    {
        registers::setPublishSettingsFile(QString());
        RegisterTest::TearDown();
    }

    // Adds a year table of the schedule file (the working year's exists from start-up).
    static void addYear(const QString& table)
    {
        app::Module1& m = app::module1();
        app::copyTableStructure(m.schedule, m.schedule, u"lichmau"_s, table, false);
    }
    static void add(const QString& table, const QList<Item>& items)
    {
        db::Recordset rs = app::module1().schedule.openRecordset(table);
        for (const Item& i : items) {
            rs.addNew();
            rs.setValue(u"ngay"_s, i.day);
            rs.setValue(u"ngaychuan"_s, common::normaliseDate(i.day));
            rs.setValue(u"gio"_s, i.time);
            rs.setValue(u"giochuan"_s, registers::timeKey(i.time));
            rs.setValue(u"ndung"_s, i.what);
            rs.setValue(u"diadiem"_s, i.place);
            rs.setValue(u"nguoicapnhat"_s, i.savedBy);
            rs.setValue(u"nguoictri"_s, i.chair);
            rs.update();
        }
    }
    // Column values of every item of table (the working year's by default), in id order.
    static QStringList items(const QString& columns, const QString& table = QString())
    {
        return test::tableRows(app::module1().schedule, table.isEmpty() ? app::module1().scheduleTable : table,
                               columns);
    }
    template <typename T> static T* formNamed(const char* name)
    {
        return registers::form<T>(QString::fromLatin1(name));
    }
    registers::ScheduleEntryForm* openEntry()
    {
        return openBy<registers::ScheduleEntryForm>("cmdnaplich", app::DataFile::Schedule, "frmlich");
    }
    // The text of a printed PDF without white space (the report wraps its cells).
    static QString printed(const report::ReportControl& control)
    {
        const PdfText pdf = PdfText::read(control.lastResult().outputFile);
        EXPECT_TRUE(pdf.error.isEmpty()) << pdf.error.toStdString();
        return QString(pdf.all()).remove(QRegularExpression(u"\\s"_s));
    }
};

} // namespace schedule_test
