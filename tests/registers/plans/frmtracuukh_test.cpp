// The work-plan search: criteria and flags, the hits shown in the list, a search without hits,
// and where closing returns to.
#include "plan_fixture.h"

#include "registers/plans/frmgridcongviec.h"
#include "registers/plans/frmtracuukh.h"

namespace {

using plans_test::PlanTest;
using registers::PlansListForm;
using registers::PlansSearchForm;

class FrmtracuukhTest : public PlanTest
{
protected:
    void SetUp() override
    {
        PlanTest::SetUp();
        addPlan({"Văn phòng", "Báo cáo 'quý' I", "10/01/2026", "20/01/2026"});
        addPlan({"Văn phòng", "Báo cáo năm", "02/01/2026", "05/01/2026"});
        addPlan({"Phòng Tổ chức", "Báo cáo nhân sự", "03/01/2026", "04/01/2026"});
        app::module1().schedule.execute(u"update "_s + app::module1().plansTable +
                                        u" set khan = True, ketthuc = (ndungtt <> 'Báo cáo năm')"_s);
    }
    PlansSearchForm* search() { return registers::form<PlansSearchForm>(u"frmtracuukh"_s); }
    PlansListForm* list() { return registers::form<PlansListForm>(u"frmgridcongviec"_s); }
    QStringList listed() { return shown(list()->Data1, u"ndungtt"_s); }
};

TEST_F(FrmtracuukhTest, SearchListsTheHitsAndClosingReturnsToWhereItWasOpened)
{
    ASSERT_TRUE(app::openForm(request(u"cmdtracuukh"_s), &mainWindow));
    PlansSearchForm* f = search();
    activate(f);

    f->ui().chkhthanh->setChecked(true);
    f->ui().chkchuahthanh->setChecked(true);
    EXPECT_FALSE(f->ui().chkhthanh->isChecked());

    // Criteria, flags and a typed quote; a search without hits keeps the form and the list.
    struct Case
    {
        QString ban, ndungtt;
        bool khan, finished, unfinished;
        QStringList hits;
    };
    // clang-format off
    const QList<Case> cases = {
        {{}, {}, false, false, false, {"Báo cáo năm", "Báo cáo nhân sự", "Báo cáo 'quý' I"}},
        {"văn", "báo", true, false, true, {"Báo cáo năm"}},
        {{}, "'quý'", true, true, false, {"Báo cáo 'quý' I"}},
        {"Tổ chức", {}, false, false, true, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ban.toStdString() + " / " + c.ndungtt.toStdString());
        home.responder.clear();
        f->cmdxoa_Click();
        f->ui().mban->setText(c.ban);
        f->ui().mndungtt->setText(c.ndungtt);
        f->ui().chkkhan->setChecked(c.khan);
        f->ui().chkhthanh->setChecked(c.finished);
        f->ui().chkchuahthanh->setChecked(c.unfinished);
        f->cmdtracuu_Click();
        if (c.hits.isEmpty()) {
            EXPECT_EQ(home.responder.lastMessage(), u"Không có công việc nào thoả mãn điều kiện tìm kiếm !"_s);
            EXPECT_TRUE(f->isVisible());
            EXPECT_EQ(listed(), cases.at(2).hits); // the list keeps the last hits
            continue;
        }
        EXPECT_TRUE(home.responder.messages().isEmpty());
        EXPECT_FALSE(f->isVisible());
        EXPECT_EQ(list()->Data1->recordSource(), u"Qrtracuu"_s);
        EXPECT_EQ(listed(), c.hits);
        click(*list(), "cmdclose");
        EXPECT_TRUE(f->isVisible()); // back to the search
    }
    click(*f, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());

    // Opened from the entry form, a refused criterion keeps the search and closing returns there.
    registers::PlansEntryForm* entry = openEntry();
    click(*entry, "Cmdtracuu");
    EXPECT_FALSE(entry->isVisible());
    EXPECT_TRUE(f->isVisible());
    f->cmdxoa_Click();
    f->ui().txtid->setText(u"abc"_s);
    home.responder.clear();
    f->cmdtracuu_Click();
    EXPECT_EQ(home.responder.messages().size(), 1); // the invalid-criterion message
    EXPECT_TRUE(f->isVisible());
    click(*f, "cmdclose");
    EXPECT_TRUE(entry->isVisible());
    EXPECT_EQ(entry->mode(), registers::EntryMode::Viewing);
}

} // namespace
