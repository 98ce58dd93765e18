#include "reference_fixture.h"

#include "app/gui/list_menus.h"
#include "platform/ui/data_control.h"
#include "reference/reference_list_form.h"
#include "reference/reference_rules.h"
#include "registers/form_registry.h"
#include "registers/incoming/frmcvden.h"
#include "registers/incoming/incoming_forms.h"

namespace reference_test {
namespace {

class ReferenceListFormTest : public ReferenceTest, public ::testing::WithParamInterface<ListCase>
{
};

TEST_P(ReferenceListFormTest, AddEditRefuseAndCloseThroughTheMenu)
{
    const ListCase& c = GetParam();
    db::Database& data = app::module1().*c.database;
    const QString table = QString::fromUtf8(c.table), name = QString::fromUtf8(c.nameColumn);
    // Two old rows that share an abbreviation: editing the name of one must not search for it.
    for (const QString& text : {u"Cũ một"_s, u"Cũ hai"_s})
        addListRow(data, table, name, text, u"dup"_s);
    const QString odd = u"Phòng 'Kế hoạch' *[50%] ĐẦU"_s;
    const QString oddCode = u"p'k*[h]%"_s;
    QString takenCode = QString::fromUtf8(c.takenCode);
    QString takenText = QString::fromUtf8(c.takenText);
    if (takenCode.isEmpty()) { // the list starts empty: the first entry added is the one taken
        takenCode = oddCode;
        takenText = odd;
    }
    QStringList expected;
    home.responder.onModal(QString::fromUtf8(c.form), [&](ui::FormBase& f) {
        auto& form = static_cast<reference::ReferenceListForm&>(f);
        EXPECT_TRUE(test::isAccessible(&form));
        EXPECT_EQ(form.lbltrangthai->text(), QString::fromUtf8(c.status));
        EXPECT_TRUE(form.mname->isLocked());

        addEntry(form, odd, oddCode);
        EXPECT_EQ(std::pair(form.mode(), form.mname->text()), std::pair(u"xem"_s, odd)) << "the new entry is current";

        addEntry(form, u"Khác"_s, takenCode.toUpper());
        expected << reference::duplicateAbbreviationMessage(takenCode, takenText);
        EXPECT_EQ((QStringList{form.mode(), form.mname->text(), form.mchutat->selText()}),
                  (QStringList{u"nap"_s, u"Khác"_s, takenCode.toUpper()}));
        click(form.controls().cmdDelete);
        expected << u"Bạn phải nạp hoặc sửa xong mới xoá được !"_s;

        // Add while adding saves the entry first; an empty entry is then abandoned.
        form.mchutat->setText(u"p'k*"_s); // no wildcard: no duplicate
        click(form.controls().cmdAdd);
        EXPECT_EQ(std::pair(form.mode(), form.mname->text()), std::pair(u"nap"_s, QString()));
        click(form.controls().cmdUpdate);
        EXPECT_EQ(form.mode(), u"xem"_s);

        ASSERT_TRUE(form.Data1->findFirst(u"chutat = 'dup'"_s));
        click(form.controls().Cmdsua);
        form.mname->setText(u"Đổi tên"_s);
        click(form.controls().cmdUpdate);
        EXPECT_EQ(form.mode(), u"xem"_s) << "no duplicate search for the name only";

        click(form.controls().Cmdsua);
        form.mname->setText(u"  "_s);
        click(form.controls().cmdUpdate);
        expected << u"Phải điền nội dung ở cả ô chữ tắt và ô "_s + QString::fromUtf8(c.nameCaption) +
                        u", không được để ô trắng !"_s;
        EXPECT_EQ(form.mode(), u"sua"_s);
        form.mname->setText(u"Không lưu"_s);
        home.responder.answer(u"no"_s); // closing while editing: do not save
        click(form.controls().cmdclose);
        expected << u"Có lưu những nội dung vừa sửa không ?"_s;
        EXPECT_FALSE(form.isVisible());
    });
    app::runListMenu(app::module1(), QString::fromUtf8(c.menu), &mainWindow);

    EXPECT_EQ(home.messages(), expected);
    const QStringList stored = test::tableRows(data, table, name + u", chutat, matt"_s);
    EXPECT_TRUE(stored.contains(odd + u'|' + oddCode + u'|' + reference::listSortKey(odd)))
        << stored.join('\n').toStdString();
    EXPECT_TRUE(stored.contains(u"Khác|p'k*|"_s + reference::listSortKey(u"Khác"_s)));
    EXPECT_TRUE(stored.contains(u"Đổi tên|dup|"_s + reference::listSortKey(u"Đổi tên"_s)));
    EXPECT_FALSE(stored.join('\n').contains(u"Không lưu"_s));
    // The shared recordset the entry forms complete from shows the new rows at once.
    const QStringList shared = column(app::module1().*c.shared, name);
    EXPECT_TRUE(shared.contains(odd) && shared.contains(u"Đổi tên"_s)) << shared.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Lists, ReferenceListFormTest, ::testing::ValuesIn(kLists));

TEST_F(ReferenceTest, ChangedListsShareAbbreviationsAcrossFilesAndShowInThePickListsWithoutRestart)
{
    registers::registerIncomingForms();
    registers::setMainWindow(&mainWindow);
    auto listed = [](ui::DataControl* data, const QString& field) { return column(data->recordset(), field); };
    auto* entry = registers::form<registers::IncomingEntryForm>(u"frmcvden"_s);
    entry->open(app::module1().incomingTable);
    EXPECT_FALSE(listed(entry->pickGrids()->dataControl(u"DBGridnoigui"_s), u"tendonvi"_s).contains(u"Sở Y tế"_s));
    entry->unload();

    // A unit and a correspondent may share an abbreviation.
    for (const auto& [menu, form, text] :
         {std::tuple{"mnunapdonvi", "frmdonvi", "Sở Y tế"}, std::tuple{"mnunapnoigui", "frmdonvi", "Sở Y tế"},
          std::tuple{"mnunaploaicv", "frmloaicv", "Tờ trình mới"}}) {
        home.responder.onModal(QString::fromLatin1(form), [text = text](ui::FormBase& f) {
            click(addEntry(f, QString::fromUtf8(text), u"moi"_s).controls().cmdclose);
        });
        app::runListMenu(app::module1(), QString::fromLatin1(menu), &mainWindow);
    }
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_EQ(test::tableRows(app::module1().scheduleReference, u"donvi"_s, u"chutat"_s), QStringList{"moi"});
    EXPECT_EQ(test::tableRows(app::module1().lettersReference, u"noigui"_s, u"chutat"_s), QStringList{"moi"});
    entry->open(app::module1().incomingTable);
    EXPECT_TRUE(listed(entry->pickGrids()->dataControl(u"DBGridnoigui"_s), u"tendonvi"_s).contains(u"Sở Y tế"_s));
    EXPECT_TRUE(listed(entry->control<ui::DataControl>(u"Dataloai"_s), u"loai"_s).contains(u"Tờ trình mới"_s));
    entry->unload();
    registers::destroyForms();
}

TEST_F(ReferenceTest, NameLongerThanItsColumnIsRefusedWithTheEnginesTextAndKept)
{
    // An old file whose name column is narrower than the box.
    db::TableDef narrow = app::module1().lettersReference.tableDef(u"loaicv"_s);
    narrow.name = u"loaicvhep"_s;
    narrow.indexes.clear();
    for (db::FieldDef& f : narrow.fields)
        f.size = f.name == u"loai"_s ? 10 : f.size;
    app::module1().lettersReference.appendTableDef(narrow);
    app::FormRequest request;
    request.dataFile = app::DataFile::LettersReference;
    request.recordSource = u"select * from loaicvhep order by matt"_s;
    reference::ReferenceListForm form(reference::letterTypesConfig());
    form.prepare(request);
    addEntry(form, u"Giấy mời họp dài"_s, u"gmh"_s);
    ASSERT_EQ(home.messages().size(), 1);
    EXPECT_TRUE(home.messages().first().startsWith(u"Lỗi dữ liệu:"_s)) << home.messageText();
    EXPECT_EQ(std::pair(form.mode(), form.mname->text()), std::pair(u"nap"_s, u"Giấy mời họp dài"_s));
    form.mname->setText(u"Giấy mời"_s);
    click(form.controls().cmdUpdate);
    EXPECT_EQ(test::tableRows(app::module1().lettersReference, u"loaicvhep"_s, u"loai, chutat"_s),
              QStringList{"Giấy mời|gmh"});
}

} // namespace
} // namespace reference_test
