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
    home.responder.onModal(u"frmtendonvi"_s, [](ui::FormBase& f) {
        auto& form = static_cast<reference::OrganisationNameForm&>(f);
        EXPECT_TRUE(test::isAccessible(&form));
        EXPECT_EQ(form.Txttendonvi->text(), u"Tên đơn vị"_s);
        form.Txttendonvi->setText(u"Văn phòng \"Sở\" 'Nội vụ'"_s);
        form.Txttencaptren->setText(u"UBND TỈNH"_s);
        click(form.ui().cmdclose);
    });
    app::runListMenu(app::module1(), u"mnutendonvi"_s, &mainWindow);
    EXPECT_EQ(test::tableRows(app::module1().lettersReference, u"tendonvi"_s, u"tendonvi, tencaptren"_s, u"tendonvi"_s)
                  .value(0),
              u"Văn phòng \"Sở\" 'Nội vụ'|UBND TỈNH"_s);

    QTemporaryDir pdfDir;
    qputenv("SELVARO_PRINT_TO", pdfDir.path().toUtf8());
    QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/brcvden.rpt"), home.data(u"brcvden.rpt"_s));
    report::ReportControl control;
    registers::printReport(registers::contextFromProgram(), control, report::Destination::Window, u"brcvden.rpt"_s,
                           QRect(0, 0, 800, 600), QString(), u"Sổ công văn đến"_s);
    qunsetenv("SELVARO_PRINT_TO");
    const QString text = PdfText::read(control.lastResult().outputFile).all();
    EXPECT_TRUE(text.contains(u"UBND TỈNH"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Nội vụ"_s)) << text.toStdString();
}

TEST_F(ReferenceTest, OrganisationNameFormWithAnEmptyTableSavesNothing)
{
    app::module1().lettersReference.execute(u"DELETE * FROM tendonvi"_s);
    reference::OrganisationNameForm form;
    form.prepare(app::listMenuRequest(app::module1(), u"mnutendonvi"_s));
    EXPECT_TRUE(form.Txttendonvi->text().isEmpty());
    form.Txttendonvi->setText(u"X"_s);
    EXPECT_TRUE(form.unload());
    EXPECT_TRUE(
        test::tableRows(app::module1().lettersReference, u"tendonvi"_s, u"tendonvi"_s, u"tendonvi"_s).isEmpty());
}

} // namespace
} // namespace reference_test
