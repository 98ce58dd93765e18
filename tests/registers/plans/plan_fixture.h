#pragma once

// The register fixture with the work-plan forms registered, a logged-in user and helpers that put
// plans straight into the year's table and read them back.

#include "../register_fixture.h"

#include "common/dates.h"
#include "registers/plans/frmcongviec.h"
#include "registers/plans/plan_forms.h"
#include "ui_frmcongviec.h"
#include "ui_frmgridcongviec.h"
#include "ui_frmtracuukh.h"

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
        login(u"Nguyễn Văn An"_s, u"CB"_s);
    }
    static void addPlan(const Plan& p)
    {
        app::Module1& m = app::module1();
        db::Recordset rs = m.schedule.openRecordset(m.plansTable);
        rs.addNew();
        rs.setValue(u"Tendonvi"_s, p.unit);
        rs.setValue(u"ndungtt"_s, p.summary);
        rs.setValue(u"Tgianbdau"_s, p.start);
        rs.setValue(u"Tgianbdauchuan"_s, common::normaliseDate(p.start));
        rs.setValue(u"Tgiankthuc"_s, p.end);
        rs.setValue(u"Tgiankthucchuan"_s, common::normaliseDate(p.end));
        rs.setValue(u"nguoicapnhat"_s, p.savedBy);
        rs.setValue(u"ketqua"_s, p.result);
        rs.update();
    }
    // Column values of every plan of the year, in id order, joined by "|".
    static QStringList plans(const QString& columns)
    {
        return test::tableRows(app::module1().schedule, app::module1().plansTable, columns);
    }
    registers::PlansEntryForm* openEntry()
    {
        return openBy<registers::PlansEntryForm>("cmdnapkh", app::DataFile::Schedule, "frmcongviec");
    }
};

} // namespace plans_test
