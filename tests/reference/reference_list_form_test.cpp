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

using Database = db::Database app::Module1::*;
using Shared = db::Recordset app::Module1::*;

struct ListCase
{
    const char* menu;
    const char* form;
    const char* table;
    const char* nameColumn;
    Database database;
    Shared shared;
    const char* status;      // the first status text
    const char* nameCaption; // the name box as the empty-box message names it
    // An abbreviation the template already holds ("" when the list starts empty) and its text.
    const char* takenCode;
    const char* takenText;
};

class ReferenceListFormTest : public ReferenceTest, public ::testing::WithParamInterface<ListCase>
{
protected:
    QString name() const { return QString::fromUtf8(GetParam().nameColumn); }
    db::Database& database() const { return app::module1().*GetParam().database; }
    void addRow(const QString& text, const QString& code)
    {
        addListRow(database(), QString::fromUtf8(GetParam().table), name(), text, code);
    }
};

TEST_P(ReferenceListFormTest, AddEditRefuseAndCloseThroughTheMenu)
{
    const ListCase& c = GetParam();
    // Two old rows that share an abbreviation: editing the name of one must not search for it.
    addRow(QStringLiteral("Cũ một"), QStringLiteral("dup"));
    addRow(QStringLiteral("Cũ hai"), QStringLiteral("dup"));
    const QString odd = QStringLiteral("Phòng 'Kế hoạch' *[50%] ĐẦU");
    const QString oddCode = QStringLiteral("p'k*[h]%");
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
        EXPECT_EQ(form.mode(), QStringLiteral("xem"));
        EXPECT_EQ(form.mname->text(), odd) << "the new entry is current";

        addEntry(form, QStringLiteral("Khác"), takenCode.toUpper());
        expected << reference::duplicateAbbreviationMessage(takenCode, takenText);
        EXPECT_EQ(form.mode(), QStringLiteral("nap"));
        EXPECT_EQ(form.mname->text(), QStringLiteral("Khác"));
        EXPECT_EQ(form.mchutat->selText(), takenCode.toUpper());
        click(form.controls().cmdDelete);
        expected << QStringLiteral("Bạn phải nạp hoặc sửa xong mới xoá được !");

        // Add while adding saves the entry first; an empty entry is then abandoned.
        form.mchutat->setText(QStringLiteral("p'k*")); // no wildcard: no duplicate
        click(form.controls().cmdAdd);
        EXPECT_EQ(form.mode(), QStringLiteral("nap"));
        EXPECT_TRUE(form.mname->text().isEmpty());
        click(form.controls().cmdUpdate);
        EXPECT_EQ(form.mode(), QStringLiteral("xem"));

        ASSERT_TRUE(form.Data1->findFirst(QStringLiteral("chutat = 'dup'")));
        click(form.controls().Cmdsua);
        form.mname->setText(QStringLiteral("Đổi tên"));
        click(form.controls().cmdUpdate);
        EXPECT_EQ(form.mode(), QStringLiteral("xem")) << "no duplicate search for the name only";

        click(form.controls().Cmdsua);
        form.mname->setText(QStringLiteral("  "));
        click(form.controls().cmdUpdate);
        expected << QStringLiteral("Phải điền nội dung ở cả ô chữ tắt và ô ") + QString::fromUtf8(c.nameCaption) +
                        QStringLiteral(", không được để ô trắng !");
        EXPECT_EQ(form.mode(), QStringLiteral("sua"));
        form.mname->setText(QStringLiteral("Không lưu"));
        home.responder.answer(QStringLiteral("no")); // closing while editing: do not save
        click(form.controls().cmdclose);
        expected << QStringLiteral("Có lưu những nội dung vừa sửa không ?");
        EXPECT_FALSE(form.isVisible());
    });
    app::runListMenu(app::module1(), QString::fromUtf8(c.menu), &mainWindow);

    EXPECT_EQ(home.messages(), expected);
    const QStringList stored = rows(database(), QString::fromUtf8(c.table), name() + QStringLiteral(", chutat, matt"));
    EXPECT_TRUE(stored.contains(odd + QLatin1Char('|') + oddCode + QLatin1Char('|') + reference::listSortKey(odd)))
        << stored.join('\n').toStdString();
    EXPECT_TRUE(stored.contains(QStringLiteral("Khác|p'k*|") + reference::listSortKey(QStringLiteral("Khác"))));
    EXPECT_TRUE(stored.contains(QStringLiteral("Đổi tên|dup|") + reference::listSortKey(QStringLiteral("Đổi tên"))));
    EXPECT_FALSE(stored.join('\n').contains(QStringLiteral("Không lưu")));
    // The shared recordset the entry forms complete from shows the new rows at once.
    const QStringList shared = column(app::module1().*c.shared, name());
    EXPECT_TRUE(shared.contains(odd));
    EXPECT_TRUE(shared.contains(QStringLiteral("Đổi tên")));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ReferenceListFormTest,
    ::testing::Values(ListCase{"mnunapdonvi", "frmdonvi", "donvi", "tendonvi", &app::Module1::scheduleReference,
                               &app::Module1::units, "Xem tên đơn vị", "tên đơn vị", "", ""},
                      ListCase{"mnunapnoigui", "frmdonvi", "noigui", "tendonvi", &app::Module1::lettersReference,
                               &app::Module1::correspondents,
                               "Nạp sửa danh sách các cơ quan thường xuyên trao đổi công văn", "tên đơn vị", "", ""},
                      ListCase{"mnunaploaicv", "frmloaicv", "loaicv", "loai", &app::Module1::lettersReference,
                               &app::Module1::letterTypes, "Xem loại công văn", "loại công văn", "CV", "Công văn"},
                      ListCase{"mnunapchutat", "frmchutat", "chutat", "chudu", &app::Module1::reference,
                               &app::Module1::abbreviations, "Xem chữ tắt", "chữ đủ", "cv", "công văn"}));

TEST_F(ReferenceTest, ChangedListsShareAbbreviationsAcrossFilesAndShowInThePickListsWithoutRestart)
{
    registers::registerIncomingForms();
    registers::setMainWindow(&mainWindow);
    auto listed = [](ui::DataControl* data, const QString& field) { return column(data->recordset(), field); };
    auto* entry = registers::form<registers::IncomingEntryForm>(QStringLiteral("frmcvden"));
    entry->open(app::module1().incomingTable);
    EXPECT_FALSE(listed(entry->pickGrids()->dataControl(QStringLiteral("DBGridnoigui")), QStringLiteral("tendonvi"))
                     .contains(QStringLiteral("Sở Y tế")));
    entry->unload();

    // A unit and a correspondent may share an abbreviation.
    for (const auto& [menu, form, text] :
         {std::tuple{"mnunapdonvi", "frmdonvi", "Sở Y tế"}, std::tuple{"mnunapnoigui", "frmdonvi", "Sở Y tế"},
          std::tuple{"mnunaploaicv", "frmloaicv", "Tờ trình mới"}}) {
        home.responder.onModal(QString::fromLatin1(form), [text = text](ui::FormBase& f) {
            click(addEntry(f, QString::fromUtf8(text), QStringLiteral("moi")).controls().cmdclose);
        });
        app::runListMenu(app::module1(), QString::fromLatin1(menu), &mainWindow);
    }
    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_EQ(rows(app::module1().scheduleReference, QStringLiteral("donvi"), QStringLiteral("chutat")),
              QStringList{"moi"});
    EXPECT_EQ(rows(app::module1().lettersReference, QStringLiteral("noigui"), QStringLiteral("chutat")),
              QStringList{"moi"});
    entry->open(app::module1().incomingTable);
    EXPECT_TRUE(listed(entry->pickGrids()->dataControl(QStringLiteral("DBGridnoigui")), QStringLiteral("tendonvi"))
                    .contains(QStringLiteral("Sở Y tế")));
    EXPECT_TRUE(listed(entry->control<ui::DataControl>(QStringLiteral("Dataloai")), QStringLiteral("loai"))
                    .contains(QStringLiteral("Tờ trình mới")));
    entry->unload();
    registers::destroyForms();
}

TEST_F(ReferenceTest, NameLongerThanItsColumnIsRefusedWithTheEnginesTextAndKept)
{
    // An old file whose name column is narrower than the box.
    db::TableDef narrow = app::module1().lettersReference.tableDef(QStringLiteral("loaicv"));
    narrow.name = QStringLiteral("loaicvhep");
    narrow.indexes.clear();
    for (db::FieldDef& f : narrow.fields)
        f.size = f.name == QLatin1String("loai") ? 10 : f.size;
    app::module1().lettersReference.appendTableDef(narrow);
    app::FormRequest request;
    request.dataFile = app::DataFile::LettersReference;
    request.recordSource = QStringLiteral("select * from loaicvhep order by matt");
    reference::ReferenceListForm form(reference::letterTypesConfig());
    form.prepare(request);
    addEntry(form, QStringLiteral("Giấy mời họp dài"), QStringLiteral("gmh"));
    ASSERT_EQ(home.messages().size(), 1);
    EXPECT_TRUE(home.messages().first().startsWith(QStringLiteral("Lỗi dữ liệu:"))) << home.messageText();
    EXPECT_EQ(form.mode(), QStringLiteral("nap"));
    EXPECT_EQ(form.mname->text(), QStringLiteral("Giấy mời họp dài"));
    form.mname->setText(QStringLiteral("Giấy mời"));
    click(form.controls().cmdUpdate);
    EXPECT_EQ(rows(app::module1().lettersReference, QStringLiteral("loaicvhep"), QStringLiteral("loai, chutat")),
              QStringList{"Giấy mời|gmh"});
}

} // namespace
} // namespace reference_test
