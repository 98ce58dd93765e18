// The reference forms driven from the keyboard as a fast typist does: the buttons' Alt letters,
// Esc, F4, the arrow and page keys, in each mode; what the form does after the key (its mode, the
// current row, the box under the key, the messages shown).
#include "reference_fixture.h"

#include "type_text.h"

#include "app/gui/list_menus.h"
#include "reference/departments_form.h"
#include "reference/organisation_name_form.h"
#include "reference/reference_list_form.h"
#include "reference/reference_rules.h"
#include "reference/users_form.h"

#include <QApplication>
#include <QTest>
#include <algorithm>

namespace reference_test {
namespace {

// Presses key where the focus is, after putting the focus on target. A button's Alt letter
// presses it as a click shown on screen, which ends after a moment: the test waits for it.
void pressAt(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    target->setFocus();
    test::pressKey(QApplication::focusWidget(), key, modifiers);
    const QList<QPushButton*> buttons = target->window()->findChildren<QPushButton*>();
    for (int i = 0; i < 100 && std::any_of(buttons.begin(), buttons.end(), [](auto* b) { return b->isDown(); }); ++i)
        QTest::qWait(10);
}
void typeInto(ui::TextBox* box, const QString& text)
{
    box->setFocus();
    box->setSelStart(box->text().size());
    test::typeText(box->editor(), text);
}
int currentRow(ui::DataControl* data)
{
    return data->hasCurrentRecord() ? data->recordset().absolutePosition() : -1;
}

// The four lists (units, correspondents, letter types, abbreviations), on three rows, at the last one.
struct ListKeyCase
{
    Qt::Key start;    // Alt+N adds, Alt+S edits, 0 stays in view
    const char* name; // typed at the end of the name box
    const char* code; // typed into the abbreviation box after F4 emptied it (nullptr: untouched)
    char focus;       // where the key is pressed: 'n' name box, 'c' abbreviation box, 'g' grid
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* answer; // the answer to the question ("" the default yes)
    const char* mode;   // mode after the key
    int row;
    const char* nameBox;
    const char* messages; // joined by "|": "new", "edit" the two questions, "del" the delete refusal,
                          // "dup:x" the duplicate message for the row using x
};

const ListKeyCase kListKeys[] = {
    {Qt::Key(0), "", nullptr, 'n', Qt::Key_Escape, {}, "", "xem", 2, "Cà Mau", ""},
    {Qt::Key(0), "", nullptr, 'n', Qt::Key_F4, {}, "", "xem", 2, "Cà Mau", ""}, // a locked box keeps its text
    {Qt::Key(0), "", nullptr, 'g', Qt::Key_Up, {}, "", "xem", 1, "Bình Định", ""},
    {Qt::Key_N, "Đà Nẵng", "dn", 'c', Qt::Key_Escape, {}, "", "xem", 3, "Đà Nẵng", "new"},
    {Qt::Key_N, "Đà Nẵng", "dn", 'c', Qt::Key_Escape, {}, "no", "xem", 2, "Cà Mau", "new"},
    {Qt::Key_N, "Đà Nẵng", nullptr, 'n', Qt::Key_Escape, {}, "", "xem", 2, "Cà Mau", ""}, // Esc drops a half entry
    {Qt::Key_N, "Đà Nẵng", nullptr, 'n', Qt::Key_Down, {}, "", "nap", 2, "Đà Nẵng", ""},  // an arrow never does
    {Qt::Key_N, "Đà Nẵng", "ag", 'n', Qt::Key_Up, {}, "", "nap", 2, "Đà Nẵng", "new|dup:ag"},
    {Qt::Key_N, "Đà Nẵng", "dn", 'n', Qt::Key_F4, {}, "", "nap", 2, "", ""},
    {Qt::Key_N, "Đà Nẵng", nullptr, 'n', Qt::Key_X, Qt::AltModifier, "", "nap", 2, "Đà Nẵng", "del"},
    {Qt::Key_N, "Đà Nẵng", "dn", 'n', Qt::Key_G, Qt::AltModifier, "", "xem", 3, "Đà Nẵng", ""},
    {Qt::Key_N, "Đà Nẵng", "dn", 'g', Qt::Key_Up, {}, "", "xem", 1, "Bình Định", "new"},
    {Qt::Key_S, " Mới", nullptr, 'n', Qt::Key_Escape, {}, "", "xem", 2, "Cà Mau Mới", "edit"},
    {Qt::Key_S, " Mới", nullptr, 'n', Qt::Key_Down, {}, "no", "xem", 2, "Cà Mau", "edit"},
    {Qt::Key_S, "", nullptr, 'n', Qt::Key_Up, {}, "", "xem", 2, "Cà Mau", ""},
    {Qt::Key_S, "", nullptr, 'g', Qt::Key_Up, {}, "", "xem", 1, "Bình Định", ""},
    {Qt::Key_S, " Mới", nullptr, 'g', Qt::Key_Up, {}, "no", "xem", 1, "Bình Định", "edit"},
    {Qt::Key_S, " Mới", nullptr, 'g', Qt::Key_Up, {}, "", "xem", 1, "Bình Định", "edit"},
    {Qt::Key_S, "", "bd", 'g', Qt::Key_Down, {}, "", "sua", 2, "Cà Mau", "edit|dup:bd"},
};

class ReferenceListFormKeys : public ReferenceTest,
                              public ::testing::WithParamInterface<std::tuple<ListCase, ListKeyCase>>
{
};

TEST_P(ReferenceListFormKeys, KeyDoesWhatTheModeSays)
{
    const auto& [kind, c] = GetParam();
    const app::FormRequest request = app::listMenuRequest(app::module1(), QString::fromLatin1(kind.menu));
    db::Database data = request.database();
    const QString table = QString::fromLatin1(kind.table);
    data.execute(u"DELETE * FROM "_s + table);
    for (const auto& [text, code] : {std::pair{"An Giang", "ag"}, {"Bình Định", "bd"}, {"Cà Mau", "cm"}})
        addListRow(data, table, QString::fromLatin1(kind.nameColumn), QString::fromUtf8(text), QString::fromUtf8(code));
    reference::ReferenceListForm form(kind.config());
    form.prepare(request);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form)); // the Alt letters reach the active window only
    if (c.start != 0)
        pressAt(form.mname, c.start, Qt::AltModifier);
    typeInto(form.mname, QString::fromUtf8(c.name));
    if (c.code) {
        pressAt(form.mchutat, Qt::Key_F4);
        typeInto(form.mchutat, QString::fromUtf8(c.code));
    }
    home.responder.clear();
    if (*c.answer)
        home.responder.answer(QString::fromLatin1(c.answer));
    QWidget* at = c.focus == 'g' ? static_cast<QWidget*>(form.DBGrid1) : c.focus == 'c' ? form.mchutat : form.mname;
    pressAt(at, c.key, c.modifiers);

    QStringList expected = QString::fromUtf8(c.messages).split(u'|', Qt::SkipEmptyParts);
    for (QString& m : expected) {
        if (m.startsWith(u"dup:"_s))
            m = reference::duplicateAbbreviationMessage(m.mid(4), m == u"dup:ag"_s ? u"An Giang"_s : u"Bình Định"_s);
        else
            m = m == u"new"_s    ? u"Có lưu nội dung đang nạp không ?"_s
                : m == u"edit"_s ? u"Có lưu những nội dung vừa sửa không ?"_s
                                 : u"Bạn phải nạp hoặc sửa xong mới xoá được !"_s;
    }
    EXPECT_EQ(home.messages().join(u'|').toStdString(), expected.join(u'|').toStdString());
    EXPECT_EQ(form.mode().toStdString(), c.mode);
    EXPECT_EQ(currentRow(form.Data1), c.row);
    EXPECT_EQ(form.mname->text().toStdString(), c.nameBox);
    form.hide();
}

INSTANTIATE_TEST_SUITE_P(Lists, ReferenceListFormKeys,
                         ::testing::Combine(::testing::ValuesIn(kLists), ::testing::ValuesIn(kListKeys)));

// The control M of the generated Ui of the form f.
template <class Form, auto M> QWidget* at(ui::FormBase& f)
{
    return static_cast<Form&>(f).ui().*M;
}
using B = Ui::frmbophan;
using U = Ui::frmloaitien;
using O = Ui::frmtendonvi;
template <auto M> constexpr auto dep = &at<reference::DepartmentsForm, M>;
template <auto M> constexpr auto usr = &at<reference::UsersForm, M>;
template <auto M> constexpr auto org = &at<reference::OrganisationNameForm, M>;

// The departments (twenty under one unit, at the last), the users (three, at the first, seen by an
// administrator) and the organisation's names. None of these keys shows a message.
struct FormKeyCase
{
    char form;                      // 'b' departments, 'u' users, 'o' organisation name
    Qt::Key start;                  // Alt+N adds, Alt+S edits, 0 stays in view
    QWidget* (*box)(ui::FormBase&); // where the key is pressed (a box or a grid)
    const char* typed;              // typed at the end of that box first
    Qt::Key key;
    const char* status;  // the status label after the key
    int row;             // kGrid: the grid moved, the form added no move of its own
    const char* boxText; // that box's text after the key ("" for a grid)
};

const int kGrid = -2; // the row where the grid's own handling of the key put it
const char* const kViewDepartments = "Xem danh sách phòng, bộ phận";
const char* const kViewUsers = "Xem danh sách người dùng";
const char* const kEditUser = "Sửa tên, quyền hạn người dùng";
const char* const kNames = "Nhập, sửa tên đơn vị sử dụng phần mềm";

const FormKeyCase kFormKeys[] = {
    {'b', Qt::Key(0), dep<&B::txtphong>, "", Qt::Key_PageUp, kViewDepartments, 18, "Phòng 19"},
    {'b', Qt::Key(0), dep<&B::txtphong>, "", Qt::Key_PageDown, kViewDepartments, 19, "Phòng 20"},
    {'b', Qt::Key(0), dep<&B::DBGrid1>, "", Qt::Key_PageUp, kViewDepartments, kGrid, ""},
    {'b', Qt::Key(0), dep<&B::txtdonvi>, "", Qt::Key_F4, kViewDepartments, 19, "Ban Tổ chức"}, // locked: kept
    {'b', Qt::Key_N, dep<&B::txtphong>, "Phòng D", Qt::Key_PageUp, "Nạp tên phòng, bộ phận mới", 19, "Phòng D"},
    {'b', Qt::Key_S, dep<&B::txtphong>, " mới", Qt::Key_PageDown, "sửa tên phòng, bộ phận", 19, "Phòng 20 mới"},
    {'b', Qt::Key_S, dep<&B::txtphong>, "", Qt::Key_F4, "sửa tên phòng, bộ phận", 19, ""},
    {'u', Qt::Key(0), usr<&U::Mloaitien>, "", Qt::Key_Down, kViewUsers, 1, "Bình"},
    {'u', Qt::Key(0), usr<&U::Mloaitien>, "", Qt::Key_Up, kViewUsers, 0, "An"},
    {'u', Qt::Key(0), usr<&U::DBGrid2>, "", Qt::Key_Down, kViewUsers, kGrid, ""},
    {'u', Qt::Key_S, usr<&U::Mstygia>, "abc", Qt::Key_Down, kEditUser, 0, "abc"},
    {'u', Qt::Key_S, usr<&U::Mstygia>, "abc", Qt::Key_F4, kEditUser, 0, ""},
    {'o', Qt::Key(0), org<&O::Txttendonvi>, "", Qt::Key_F4, kNames, -1, ""},
    {'o', Qt::Key(0), org<&O::Txttencaptren>, " X", Qt::Key_Escape, kNames, -1, "Tên cấp trên X"},
};

class FormKeys : public ReferenceTest, public ::testing::WithParamInterface<FormKeyCase>
{
};

TEST_P(FormKeys, KeyDoesWhatTheModeSays)
{
    const FormKeyCase& c = GetParam();
    app::Module1& m = app::module1();
    std::unique_ptr<ui::FormBase> form;
    ui::DataControl* data = nullptr;
    QLabel* status = nullptr;
    if (c.form == 'b') {
        m.scheduleReference.execute(u"INSERT INTO donvi (tendonvi, chutat, matt) VALUES ('Ban Tổ chức', 'btc', 'B')"_s);
        for (int i = 1; i <= 20; ++i) // more than the grid shows at once
            m.scheduleReference.execute(u"INSERT INTO bophan (donvi, phong) VALUES ('Ban Tổ chức', '"_s +
                                        u"Phòng %1')"_s.arg(i, 2, 10, QLatin1Char('0')));
        auto f = std::make_unique<reference::DepartmentsForm>();
        f->prepare(app::listMenuRequest(app::module1(), u"mnunapbophan"_s));
        data = f->Data1;
        status = f->ui().lbltrangthai;
        form = std::move(f);
    } else if (c.form == 'u') {
        for (const char* name : {"An", "Bình", "Cường"})
            m.scheduleReference.execute(u"INSERT INTO nguoidung (hoten, quyenhan) VALUES ('"_s +
                                        QString::fromUtf8(name) + u"', 'QT')"_s);
        auto f = std::make_unique<reference::UsersForm>();
        f->prepare(app::listMenuRequest(app::module1(), u"mnunguoidung"_s, u"QT"_s), {m.userFullName, u"QT"_s});
        data = f->Data1;
        status = f->ui().lbltrangthai;
        form = std::move(f);
    } else {
        m.lettersReference.execute(u"UPDATE tendonvi SET tencaptren = 'Tên cấp trên'"_s);
        auto f = std::make_unique<reference::OrganisationNameForm>();
        f->prepare(app::listMenuRequest(app::module1(), u"mnutendonvi"_s));
        status = f->ui().lbltrangthai;
        form = std::move(f);
    }
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QWidget* target = c.box(*form);
    if (c.start != 0)
        pressAt(target, c.start, Qt::AltModifier);
    auto* box = qobject_cast<ui::TextBox*>(target);
    if (box)
        typeInto(box, QString::fromUtf8(c.typed));
    home.responder.clear();
    target->setFocus();
    QTest::keyPress(QApplication::focusWidget(), c.key);
    const int pressed = data ? currentRow(data) : -1; // where a grid's own key took it
    QTest::keyRelease(QApplication::focusWidget(), c.key);

    EXPECT_TRUE(home.messages().isEmpty()) << home.messageText();
    EXPECT_EQ(status->text().toStdString(), c.status);
    EXPECT_EQ(data ? currentRow(data) : -1, c.row == kGrid ? pressed : c.row);
    EXPECT_EQ(box ? box->text().toStdString() : std::string(), c.boxText);
    EXPECT_TRUE(form->isVisible());
    form->hide();
}

INSTANTIATE_TEST_SUITE_P(Forms, FormKeys, ::testing::ValuesIn(kFormKeys));

} // namespace
} // namespace reference_test
