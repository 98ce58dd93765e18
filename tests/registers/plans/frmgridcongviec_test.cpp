// The work-plan list: start/end order, a correction stamped with its user, printing every listed
// plan with the result cut to 250 characters, closing back to the main window.
#include "plan_fixture.h"

#include "../../platform/report/pdf_text.h"
#include "../../support/accessibility_check.h"

#include "registers/plans/frmgridcongviec.h"

namespace {

using plans_test::Plan;
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
        addPlan(
            {"Văn phòng", "Tổng kết năm", "10/01/2026", "20/01/2026", "Trần Thị Bình", QString(300, QLatin1Char('k'))});
        addPlan({"Phòng Tổ chức", "Tuyển dụng", "10/01/2026", "15/01/2026"});
        addPlan({"Văn phòng", "Họp giao ban", "02/01/2026", "02/01/2026", "Nguyễn Văn An"});
    }
    PlansListForm* list() { return registers::form<PlansListForm>(QStringLiteral("frmgridcongviec")); }
    QString current() { return list()->ui().txtndungtt->text(); }
};

TEST_F(FrmgridcongviecTest, ListsByStartThenEndCorrectsAndPrintsEveryPlan)
{
    ASSERT_TRUE(app::openForm(request(QStringLiteral("cmdxemkh")), &mainWindow));
    PlansListForm* f = list();
    activate(f);
    EXPECT_TRUE(test::isAccessible(f));
    EXPECT_EQ(current(), QStringLiteral("Họp giao ban"));
    f->Data1->moveNext();
    EXPECT_EQ(current(), QStringLiteral("Tuyển dụng")); // same start, earlier end
    click(*f, "Cmdsua");
    f->ui().Txttendonvi->setText(QStringLiteral("Phòng Nhân sự"));
    click(*f, "cmdUpdate");
    EXPECT_EQ(plans(QStringLiteral("Tendonvi, nguoicapnhat")).value(1), QStringLiteral("Phòng Nhân sự|Nguyễn Văn An"));
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);

    f->Data1->moveNext();
    EXPECT_EQ(current(), QStringLiteral("Tổng kết năm"));

    home.responder.answer(QStringLiteral("no")); // not the preview: the printer (a PDF here)
    f->cmdin_Click();
    const QString file = f->CrystalReport1.lastResult().outputFile;
    const PdfText pdf = PdfText::read(file);
    ASSERT_TRUE(pdf.error.isEmpty()) << pdf.error.toStdString();
    const QString text = QString(pdf.all()).remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_LT(text.indexOf(QStringLiteral("Họpgiaoban")), text.indexOf(QStringLiteral("Tổngkếtnăm")));
    EXPECT_TRUE(text.contains(QString(250, QLatin1Char('k'))));
    EXPECT_FALSE(text.contains(QString(251, QLatin1Char('k'))));
    EXPECT_EQ(plans(QStringLiteral("length(ketqua)")).value(0), QStringLiteral("300")); // stored text never cut

    click(*f, "cmdclose");
    EXPECT_TRUE(mainWindow.isVisible());
}

TEST(PlanPrintStatementTest, KeepsTheListsTableConditionAndOrder)
{
    const QString columns =
        QStringLiteral("select Tendonvi,ndungtt,Tgianbdau,tgianbdauchuan,Tgiankthuc,ketthuc,chidao,nguoichidao,"
                       "tgiankthucchuan,canbo,left(ketqua,250) as nhomcongviec ");
    EXPECT_EQ(registers::planPrintStatement(registers::planListSource(QStringLiteral("kehoach2026"))),
              columns + QStringLiteral("FROM kehoach2026 ORDER BY tgianbdauchuan+tgiankthucchuan "));
    EXPECT_EQ(registers::planPrintStatement(QStringLiteral("SELECT * From kehoach2026 WHERE [khan] = True")),
              columns + QStringLiteral("From kehoach2026 WHERE [khan] = True"));
    EXPECT_EQ(registers::planPrintStatement(QStringLiteral("Qrtracuu")), QString());
}

} // namespace
