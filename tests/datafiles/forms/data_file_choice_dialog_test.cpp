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
    db::Database other =
        makeDataFile(QStringLiteral("năm 2010 'mới'"), QStringLiteral("vemocv.mdb"), {QStringLiteral("2009")});
    makeDataFile(QStringLiteral("năm 2010 'mới'"), QStringLiteral("vemotk.mdb"));
    QStringList titles;
    datafiles::setFileChooser([&](const datafiles::OpenFileRequest& r) {
        titles << r.title + QLatin1Char('|') + r.filters.join(QLatin1Char('|'));
        return other.path();
    });
    int refreshed = 0;
    datafiles::ChoiceHooks hooks;
    hooks.refreshWindow = [&refreshed] { ++refreshed; };
    datafiles::DataFileChoiceDialog form(DataFileRole::Letters, hooks);
    form.showModeless();
    const app::Module1& m = app::module1();
    auto* filechon = form.control<QLineEdit>(QStringLiteral("filechon"));
    auto* cmdchapnhan = form.control<QPushButton>(QStringLiteral("cmdchapnhan"));
    EXPECT_EQ(form.control<QLabel>(QStringLiteral("lbltieude"))->text(), QStringLiteral("Chọn file dữ liệu công văn"));
    EXPECT_EQ(form.control<QLineEdit>(QStringLiteral("filedangdung"))->text(), m.lettersPath);
    EXPECT_EQ(form.control<QListWidget>(QStringLiteral("List1"))->item(0)->text(), m.lettersPath);
    EXPECT_FALSE(cmdchapnhan->isEnabled());
    EXPECT_TRUE(test::isAccessible(&form));

    // A name typed that is no file: told, the dialog stays with the name as typed.
    filechon->setText(QStringLiteral("  "));
    EXPECT_FALSE(cmdchapnhan->isEnabled());
    const QString typed = programFolder() + QStringLiteral("/không có.mdb");
    filechon->setText(typed);
    cmdchapnhan->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(filechon->text(), typed);
    EXPECT_TRUE(messages().value(0).startsWith(QStringLiteral("Không tìm thấy file dữ liệu vừa chọn!")));

    // Browsing, then accepting: the dialog closes on the new file.
    form.control<QPushButton>(QStringLiteral("cmdchon"))->click();
    EXPECT_EQ(titles, QStringList{QStringLiteral("Chon file du lieu cong van|File *.MDB (*.MDB *.mdb)|All (*.*) (*)")});
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
    responder.onModal(QStringLiteral("frmchondulieu"), [&](ui::FormBase& form) {
        hiddenWhileOpen = !main.isVisible();
        EXPECT_EQ(form.control<QLabel>(QStringLiteral("lbltieude"))->text(),
                  QStringLiteral("Chọn file dữ liệu backup"));
    });
    app::FormRequest request;
    request.command = QStringLiteral("mnubackup");
    ASSERT_TRUE(app::openForm(request, &main));
    EXPECT_EQ(responder.modalForms(), QStringList{QStringLiteral("frmchondulieu")});
    EXPECT_TRUE(hiddenWhileOpen);
    EXPECT_TRUE(main.isVisible());

    // The schedule file: the real login dialog asks for a user of the new file; cancelled.
    db::Database schedule = makeDataFile(QStringLiteral("lịch 'mới'"), QStringLiteral("vemolich.mdb"));
    db::Database users = makeDataFile(QStringLiteral("lịch 'mới'"), QStringLiteral("vemotk.mdb"));
    insert(users, QStringLiteral("nguoidung"), {{QStringLiteral("hoten"), QStringLiteral("Người khác")}});
    responder.clear();
    responder.onModal(QStringLiteral("frmchondulieu"), [&](ui::FormBase& form) {
        form.control<QLineEdit>(QStringLiteral("filechon"))->setText(schedule.path());
        form.control<QPushButton>(QStringLiteral("cmdchapnhan"))->click();
        EXPECT_TRUE(form.isVisible());
    });
    request.command = QStringLiteral("mnuchondulieulich");
    ASSERT_TRUE(app::openForm(request, &main));
    EXPECT_EQ(responder.modalForms(), (QStringList{QStringLiteral("frmchondulieu"), QStringLiteral("frmLogin")}));
    EXPECT_EQ(responder.messages(),
              QStringList{QStringLiteral("Phải hỏi người quản trị mạng để có quyền sử dụng file dữ liệu vừa chọn!")});
    EXPECT_EQ(app::module1().userFullName, QStringLiteral("Trần Thị Bình"));
    EXPECT_NE(app::module1().schedulePath, schedule.path());

    responder.clear();
    request.command = QStringLiteral("mnubackup");
    app::module1().lettersPath = QStringLiteral("/mnt/máy chủ/vemocv.mdb");
    ASSERT_TRUE(app::openForm(request, &main));
    EXPECT_TRUE(responder.modalForms().isEmpty());
}

} // namespace
