#pragma once

// The register fixture with the work-plan forms registered, a logged-in user and helpers that put
// plans straight into the year's table and read them back.

#include "../register_fixture.h"

#include "app/gui/form_commands.h"
#include "common/dates.h"
#include "registers/plans/frmcongviec.h"
#include "registers/plans/plan_forms.h"

namespace plans_test {

struct Plan
{
    QString unit;
    QString summary;
    QString start; // dd/mm/yyyy
    QString end;
    QString savedBy = QString();
    QString result = QString();
};

class PlanTest : public registers_test::RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        registers::registerPlanForms();
        login(QStringLiteral("Nguyễn Văn An"), QStringLiteral("CB"));
    }
    static void login(const QString& name, const QString& rights)
    {
        app::module1().userFullName = name;
        app::module1().userRights = rights;
    }
    static void addPlan(const Plan& p)
    {
        app::Module1& m = app::module1();
        db::Recordset rs = m.schedule.openRecordset(m.plansTable);
        rs.addNew();
        rs.setValue(QStringLiteral("Tendonvi"), p.unit);
        rs.setValue(QStringLiteral("ndungtt"), p.summary);
        rs.setValue(QStringLiteral("Tgianbdau"), p.start);
        rs.setValue(QStringLiteral("Tgianbdauchuan"), common::normaliseDate(p.start));
        rs.setValue(QStringLiteral("Tgiankthuc"), p.end);
        rs.setValue(QStringLiteral("Tgiankthucchuan"), common::normaliseDate(p.end));
        rs.setValue(QStringLiteral("nguoicapnhat"), p.savedBy);
        rs.setValue(QStringLiteral("ketqua"), p.result);
        rs.update();
    }
    // Column values of every plan of the year, in id order, joined by "|".
    static QStringList plans(const QString& columns)
    {
        return tableRows(app::module1().schedule, app::module1().plansTable, columns);
    }
    registers::PlansEntryForm* openEntry()
    {
        EXPECT_TRUE(app::openForm(request(QStringLiteral("cmdnapkh")), &mainWindow));
        auto* f = registers::form<registers::PlansEntryForm>(QStringLiteral("frmcongviec"));
        activate(f);
        return f;
    }
    static app::FormRequest request(const QString& command)
    {
        app::FormRequest r;
        r.command = command;
        r.dataFile = app::DataFile::Schedule;
        return r;
    }
    static bool enabled(ui::FormBase* f, const char* button)
    {
        return f->control<QPushButton>(QString::fromLatin1(button))->isEnabled();
    }
    static QString caption(ui::FormBase* f, const char* button)
    {
        return f->control<QPushButton>(QString::fromLatin1(button))->text();
    }
};

} // namespace plans_test
