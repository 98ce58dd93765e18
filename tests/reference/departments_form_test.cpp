#include "reference_fixture.h"

#include <QApplication>

#include "app/gui/list_menus.h"
#include "platform/ui/data_combo.h"
#include "reference/departments_form.h"
#include "reference/reference_rules.h"

namespace reference_test {
namespace {

TEST_F(ReferenceTest, DepartmentsAreAddedUnderTheirUnitAndTheLastOneIsOnlyEmptied)
{
    db::Database& lich = app::module1().scheduleReference;
    lich.execute(u"INSERT INTO donvi (tendonvi, chutat, matt) VALUES ('Ban Tổ chức', 'btc', 'B')"_s);
    home.responder.onModal(u"frmbophan"_s, [&](ui::FormBase& f) {
        auto& form = static_cast<reference::DepartmentsForm&>(f);
        EXPECT_TRUE(test::isAccessible(&form));
        for (const char* name : {"Phòng Tổ chức 'A'", "Phòng Lưu trữ"}) {
            click(form.ui().cmdAdd);
            EXPECT_EQ(form.mode(), u"nap"_s);
            EXPECT_FALSE(form.ui().cmdclose->isEnabled());
            form.DBCombodonvi->setCurrentIndex(0);
            form.DBCombodonvi_Click(ui::area::List);
            form.txtphong->setText(QString::fromUtf8(name));
            click(form.ui().cmdUpdate);
            EXPECT_EQ(form.mode(), u"xem"_s);
        }
        click(form.ui().cmdAdd); // cancelled: nothing is added
        click(form.ui().cmdAdd);
        click(form.ui().cmdDelete);
        click(form.ui().cmdDelete);
        EXPECT_TRUE(form.txtphong->text().isEmpty());
        click(form.ui().cmdclose);
    });
    app::runListMenu(app::module1(), u"mnunapbophan"_s, &mainWindow);

    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_EQ(test::tableRows(lich, u"bophan"_s, u"donvi, donviid, phong, matt"_s), QStringList{u"|||"_s})
        << "the last department stays, emptied";
}

TEST_F(ReferenceTest, DepartmentSavedWithoutAUnitIsRemindedAndKeepsAnEmptyUnit)
{
    reference::DepartmentsForm form;
    form.prepare(app::listMenuRequest(app::module1(), u"mnunapbophan"_s));
    click(form.ui().cmdAdd);
    form.show();
    QApplication::setActiveWindow(&form);
    form.txtphong->setFocus();
    form.txtphong->setText(u"Phòng Một"_s);
    form.ui().cmdUpdate->setFocus(); // leaving the box
    EXPECT_TRUE(form.txtphong->hasFocus());
    click(form.ui().cmdUpdate);
    EXPECT_EQ(home.messages(), QStringList{"Phải chọn tên ban, đơn vị trong danh mục! OK ?"});
    EXPECT_EQ(test::tableRows(app::module1().scheduleReference, u"bophan"_s, u"donvi, phong, matt"_s),
              QStringList{u"|Phòng Một|"_s + reference::listSortKey(u"Phòng Một"_s)});
}

} // namespace
} // namespace reference_test
