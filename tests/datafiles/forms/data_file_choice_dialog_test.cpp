#include "../data_files_fixture.h"

#include "accessibility_check.h"
#include "app/gui/form_commands.h"
#include "datafiles/forms/data_file_choice_dialog.h"
#include "datafiles/forms/data_file_commands.h"
#include "datafiles/forms/file_dialog.h"
#include "scripted_responder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>

namespace {

using datafiles::DataFileRole;
using testing_support::DataFilesTest;

class DataFileChoiceDialogTest : public DataFilesTest
{
protected:
    void TearDown() override
    {
        datafiles::setFileChooser({});
        app::unregisterFormOpeners();
        DataFilesTest::TearDown();
    }
};

TEST_F(DataFileChoiceDialogTest, RefusedFileKeepsTheDialogOpenAndAChosenOneSwitches)
{
    db::Database other = makeDataFile(u"năm 2010 'mới'"_s, u"vemocv.mdb"_s, {u"2009"_s});
    makeDataFile(u"năm 2010 'mới'"_s, u"vemotk.mdb"_s);
    QStringList titles;
    datafiles::setFileChooser([&](const datafiles::OpenFileRequest& r) {
        titles << r.title + u'|' + r.filters.join(u'|');
        return other.path();
    });
    int refreshed = 0;
    datafiles::ChoiceHooks hooks;
    hooks.refreshWindow = [&refreshed] { ++refreshed; };
    datafiles::DataFileChoiceDialog form(DataFileRole::Letters, hooks);
    form.showModeless();
    const app::Module1& m = app::module1();
    auto* filechon = form.control<QLineEdit>(u"filechon"_s);
    auto* cmdchapnhan = form.control<QPushButton>(u"cmdchapnhan"_s);
    EXPECT_EQ(form.control<QLabel>(u"lbltieude"_s)->text(), u"Chọn file dữ liệu công văn"_s);
    EXPECT_EQ(form.control<QLineEdit>(u"filedangdung"_s)->text(), m.lettersPath);
    EXPECT_EQ(form.control<QListWidget>(u"List1"_s)->item(0)->text(), m.lettersPath);
    EXPECT_FALSE(cmdchapnhan->isEnabled());
    EXPECT_TRUE(test::isAccessible(&form));

    // A name typed that is no file: told, the dialog stays with the name as typed.
    filechon->setText(u"  "_s);
    EXPECT_FALSE(cmdchapnhan->isEnabled());
    const QString typed = programFolder() + u"/không có.mdb"_s;
    filechon->setText(typed);
    cmdchapnhan->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(filechon->text(), typed);
    EXPECT_TRUE(messages().value(0).startsWith(u"Không tìm thấy file dữ liệu vừa chọn!"_s));

    // Browsing, then accepting: the dialog closes on the new file.
    form.control<QPushButton>(u"cmdchon"_s)->click();
    EXPECT_EQ(titles, QStringList{u"Chon file du lieu cong van|File *.MDB (*.MDB *.mdb)|All (*.*) (*)"_s});
    EXPECT_EQ(filechon->text(), QDir::toNativeSeparators(other.path()));
    cmdchapnhan->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(m.lettersPath, other.path());
    EXPECT_EQ(refreshed, 1);
}

TEST_F(DataFileChoiceDialogTest, MenuCommandsOpenTheDialogAndTheBackupOnlyInsideTheProgramFolder)
{
    datafiles::registerDataFileCommands();
    for (const char* command :
         {"mnuchondulieucongvan", "mnuchondulieulich", "mnunhapdulieucv", "mnunhapdulieulich", "mnunhapbangthamkhao"})
        EXPECT_TRUE(app::hasFormOpener(QString::fromLatin1(command))) << command;
    test::ScriptedResponder responder;
    QMainWindow main;
    main.show();
    bool hiddenWhileOpen = false;
    responder.onModal(u"frmchondulieu"_s, [&](ui::FormBase& form) {
        hiddenWhileOpen = !main.isVisible();
        EXPECT_EQ(form.control<QLabel>(u"lbltieude"_s)->text(), u"Chọn file dữ liệu backup"_s);
    });
    app::FormRequest request;
    request.command = u"mnubackup"_s;
    ASSERT_TRUE(app::openForm(request, &main));
    EXPECT_EQ(responder.modalForms(), QStringList{u"frmchondulieu"_s});
    EXPECT_TRUE(hiddenWhileOpen);
    EXPECT_TRUE(main.isVisible());

    // The schedule file: the real login dialog asks for a user of the new file; cancelled.
    db::Database schedule = makeDataFile(u"lịch 'mới'"_s, u"vemolich.mdb"_s);
    db::Database users = makeDataFile(u"lịch 'mới'"_s, u"vemotk.mdb"_s);
    insert(users, u"nguoidung"_s, {{u"hoten"_s, u"Người khác"_s}});
    responder.clear();
    responder.onModal(u"frmchondulieu"_s, [&](ui::FormBase& form) {
        form.control<QLineEdit>(u"filechon"_s)->setText(schedule.path());
        form.control<QPushButton>(u"cmdchapnhan"_s)->click();
        EXPECT_TRUE(form.isVisible());
    });
    request.command = u"mnuchondulieulich"_s;
    ASSERT_TRUE(app::openForm(request, &main));
    EXPECT_EQ(responder.modalForms(), (QStringList{u"frmchondulieu"_s, u"frmLogin"_s}));
    EXPECT_EQ(responder.messages(),
              QStringList{u"Phải hỏi người quản trị mạng để có quyền sử dụng file dữ liệu vừa chọn!"_s});
    EXPECT_EQ(app::module1().userFullName, u"Trần Thị Bình"_s);
    EXPECT_NE(app::module1().schedulePath, schedule.path());

    responder.clear();
    request.command = u"mnubackup"_s;
    app::module1().lettersPath = u"/mnt/máy chủ/vemocv.mdb"_s;
    ASSERT_TRUE(app::openForm(request, &main));
    EXPECT_TRUE(responder.modalForms().isEmpty());
}

} // namespace
