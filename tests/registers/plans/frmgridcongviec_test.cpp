// The work-plan list: start/end order, a correction stamped with its user, printing every listed
// plan with the result cut to 250 characters, closing back to the main window.
#include "../server_run.h"
#include "plan_fixture.h"

#include "../../platform/report/pdf_text.h"
#include "../../support/accessibility_check.h"

#include "registers/plans/frmgridcongviec.h"

namespace {

using plans_test::PlanTest;
using registers::PlansListForm;

class FrmgridcongviecTest : public PlanTest
{
protected:
    void SetUp() override
    {
        PlanTest::SetUp();
        printToPdf();
        copyData("brkehoach.rpt");
        addPlan({"Văn phòng", "Tổng kết năm", "10/01/2026", "20/01/2026", "Trần Thị Bình", QString(300, u'k')});
        addPlan({"Phòng Tổ chức", "Tuyển dụng", "10/01/2026", "15/01/2026"});
        addPlan({"Văn phòng", "Họp giao ban", "02/01/2026", "02/01/2026", "Nguyễn Văn An"});
    }
    PlansListForm* list() { return registers::form<PlansListForm>(u"frmgridcongviec"_s); }
    QString current() { return list()->ui().txtndungtt->text(); }
    void listCorrectAndPrint();
};

// The same plans with the office's data moved to a server.
using FrmgridcongviecOnServerTest = registers_test::OnServer<FrmgridcongviecTest>;

TEST_F(FrmgridcongviecTest, ListsByStartThenEndCorrectsAndPrintsEveryPlan)
{
    listCorrectAndPrint();
}

TEST_F(FrmgridcongviecOnServerTest, ListsByStartThenEndCorrectsAndPrintsEveryPlan)
{
    listCorrectAndPrint();
}

void FrmgridcongviecTest::listCorrectAndPrint()
{
    ASSERT_TRUE(app::openForm(request(u"cmdxemkh"_s), &mainWindow));
    PlansListForm* f = list();
    activate(f);
    EXPECT_TRUE(test::isAccessible(f));
    EXPECT_EQ(current(), u"Họp giao ban"_s);
    f->Data1->moveNext();
    EXPECT_EQ(current(), u"Tuyển dụng"_s); // same start, earlier end
    click(*f, "Cmdsua");
    f->ui().Txttendonvi->setText(u"Phòng Nhân sự"_s);
    click(*f, "cmdUpdate");
    EXPECT_EQ(plans(u"Tendonvi, nguoicapnhat"_s).value(1), u"Phòng Nhân sự|Nguyễn Văn An"_s);
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);

    f->Data1->moveNext();
    EXPECT_EQ(current(), u"Tổng kết năm"_s);

    home.responder.answer(u"no"_s); // not the preview: the printer (a PDF here)
    f->cmdin_Click();
    const QString file = f->CrystalReport1.lastResult().outputFile;
    const PdfText pdf = PdfText::read(file);
    ASSERT_TRUE(pdf.error.isEmpty()) << pdf.error.toStdString();
    const QString text = QString(pdf.all()).remove(QRegularExpression(u"\\s"_s));
    EXPECT_LT(text.indexOf(u"Họpgiaoban"_s), text.indexOf(u"Tổngkếtnăm"_s));
    EXPECT_TRUE(text.contains(QString(250, u'k')));
    EXPECT_FALSE(text.contains(QString(251, u'k')));
    EXPECT_EQ(plans(u"length(ketqua)"_s).value(0), u"300"_s); // stored text never cut

    click(*f, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());
}

TEST(PlanPrintStatementTest, KeepsTheListsTableConditionAndOrder)
{
    const QString columns = u"select Tendonvi,ndungtt,Tgianbdau,tgianbdauchuan,Tgiankthuc,ketthuc,chidao,nguoichidao,"
                            "tgiankthucchuan,canbo,left(ketqua,250) as nhomcongviec "_s;
    EXPECT_EQ(registers::planPrintStatement(registers::planListSource(u"kehoach2026"_s)),
              columns + u"FROM kehoach2026 ORDER BY tgianbdauchuan+tgiankthucchuan "_s);
    EXPECT_EQ(registers::planPrintStatement(u"SELECT * From kehoach2026 WHERE [khan] = True"_s),
              columns + u"From kehoach2026 WHERE [khan] = True"_s);
    EXPECT_EQ(registers::planPrintStatement(u"Qrtracuu"_s), QString());
}

} // namespace
