#include "reference_fixture.h"

#include "../platform/report/pdf_text.h"

#include "app/gui/list_menus.h"
#include "platform/report/report_control.h"
#include "reference/organisation_name_form.h"
#include "registers/register_opener.h"
#include "registers/register_print.h"

#include <QFile>
#include <QTemporaryDir>

namespace reference_test {
namespace {

TEST_F(ReferenceTest, OrganisationNamePrintsInTheNextReportHeading)
{
    home.responder.onModal(QStringLiteral("frmtendonvi"), [](ui::FormBase& f) {
        auto& form = static_cast<reference::OrganisationNameForm&>(f);
        EXPECT_TRUE(test::isAccessible(&form));
        EXPECT_EQ(form.Txttendonvi->text(), QStringLiteral("Tên đơn vị"));
        form.Txttendonvi->setText(QStringLiteral("Văn phòng \"Sở\" 'Nội vụ'"));
        form.Txttencaptren->setText(QStringLiteral("UBND TỈNH"));
        click(form.ui().cmdclose);
    });
    app::runListMenu(app::module1(), QStringLiteral("mnutendonvi"), &mainWindow);
    EXPECT_EQ(rows(app::module1().lettersReference, QStringLiteral("tendonvi"), QStringLiteral("tendonvi, tencaptren"),
                   QStringLiteral("tendonvi"))
                  .value(0),
              QStringLiteral("Văn phòng \"Sở\" 'Nội vụ'|UBND TỈNH"));

    QTemporaryDir pdfDir;
    qputenv("SELVARO_PRINT_TO", pdfDir.path().toUtf8());
    QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/brcvden.rpt"), home.data(QStringLiteral("brcvden.rpt")));
    report::ReportControl control;
    registers::printReport(registers::contextFromProgram(), control, report::Destination::Window,
                           QStringLiteral("brcvden.rpt"), QRect(0, 0, 800, 600), QString(),
                           QStringLiteral("Sổ công văn đến"));
    qunsetenv("SELVARO_PRINT_TO");
    const QString text = PdfText::read(control.lastResult().outputFile).all();
    EXPECT_TRUE(text.contains(QStringLiteral("UBND TỈNH"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Nội vụ"))) << text.toStdString();
}

TEST_F(ReferenceTest, OrganisationNameFormWithAnEmptyTableSavesNothing)
{
    app::module1().lettersReference.execute(QStringLiteral("DELETE * FROM tendonvi"));
    reference::OrganisationNameForm form;
    form.prepare(app::listMenuRequest(app::module1(), QStringLiteral("mnutendonvi")));
    EXPECT_TRUE(form.Txttendonvi->text().isEmpty());
    form.Txttendonvi->setText(QStringLiteral("X"));
    EXPECT_TRUE(form.unload());
    EXPECT_TRUE(rows(app::module1().lettersReference, QStringLiteral("tendonvi"), QStringLiteral("tendonvi"),
                     QStringLiteral("tendonvi"))
                    .isEmpty());
}

} // namespace
} // namespace reference_test
