#include "reference_fixture.h"

#include "app/gui/list_menus.h"
#include "reference/organisation_name_form.h"

namespace reference_test {
namespace {

// The names are saved in the letters reference file, whose names every print heading reads
// (RegisterBookTest.IncomingYearBookFromTheList... prints names changed after the start).
TEST_F(ReferenceTest, OrganisationNameFormSavesBothNamesInTheOneRow)
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
    EXPECT_EQ(test::tableRows(app::module1().lettersReference, u"tendonvi"_s, u"tendonvi, tencaptren"_s, u"tendonvi"_s),
              QStringList{u"Văn phòng \"Sở\" 'Nội vụ'|UBND TỈNH"_s});
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
