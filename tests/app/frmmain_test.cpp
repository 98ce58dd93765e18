#include "accessibility_check.h"
#include "app/core/last_error.h"
#include "app/core/module1.h"
#include "app/core/read_only_mode.h"
#include "app/gui/form_commands.h"
#include "app/gui/frmabout.h"
#include "app/gui/frmmain.h"
#include "app/gui/help.h"
#include "app/gui/register_catalog.h"
#include "app/gui/rights.h"
#include "platform/db/db_error.h"
#include "platform/sys/settings_store.h"
#include "startup_fixture.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

// The main window shows the registers it is given, in their order; one on each data file stands
// for all. Added before the window is made; their forms are provided by the tests.
struct TwoRegisters
{
    TwoRegisters()
    {
        // clang-format off
        app::addRegister({"Công văn đến", app::DataFile::Letters, {"cmdnapcvden", "Nạp, sửa, in CV đến", {}},
                          {"Cmdxemcvden", "Xem CV đến", {}}, {"cmdtracuucvden", "Tra cứu CV đến", {}}, {}, false});
        app::addRegister({"Lịch làm việc", app::DataFile::Schedule, {"cmdnaplich", "Nạp, sửa lịch tuần", {}},
                          {"Cmdxemlich", "Xem lịch tuần", {}}, {"cmdtracuulich", "Tra cứu lịch tuần", {}}, {}, false});
        // clang-format on
    }
    ~TwoRegisters() { app::forgetRegisters(); }
};

// A started program with the real main window; form openers record what they are given.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::MainWindow::setSettingsStoreFile(m_store.filePath(u"settings.ini"_s));
        ASSERT_EQ(home.start(main), app::StartupOutcome::Ready);
        home.responder.clear();
    }
    void TearDown() override
    {
        app::unregisterFormOpeners();
        app::MainWindow::setSettingsStoreFile(QString());
    }

    // Registers a recording opener for command.
    void provide(const QString& command)
    {
        app::registerFormOpener(command, [this](const app::FormRequest& r, QWidget* mainWindow) {
            opened << r;
            mainVisibleWhileOpen << mainWindow->isVisible();
        });
    }
    QPushButton* button(const QString& name) { return main.findChild<QPushButton*>(name); }
    QAction* action(const QString& name) { return main.findChild<QAction*>(name); }
    QString settingsFile() const { return m_store.filePath(u"settings.ini"_s); }

    TwoRegisters registers;
    QTemporaryDir m_store;
    ProgramFolder home;
    app::MainWindow main{app::module1()};
    QList<app::FormRequest> opened;
    QList<bool> mainVisibleWhileOpen;
};

// The frames and captions of the real registers are the whole program's test. Long data paths are
// elided in the middle (the tip holds them whole) and the window stays within the screen.
TEST_F(MainWindowTest, ShowsCaptionLabelsFramesButtonsAndMenusToScreenReadersTooAndElidesLongPaths)
{
    const auto files = [] {
        return u"File công văn: "_s + app::module1().lettersPath + u"\nFile kế hoạch, lịch công tác: "_s +
               app::module1().schedulePath;
    };
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ((QStringList{main.windowTitle(), main.findChild<QLabel*>(u"Lblnamlamviec"_s)->text(),
                           main.findChild<QLabel*>(u"Lblfiledulieu"_s)->text(), button(u"Cmdclose"_s)->text()}),
              (QStringList{u"Selvaro V2010.5"_s, u"Dữ liệu năm 2009"_s, files(), u"&Kết thúc"_s}));
    EXPECT_EQ(main.findChildren<QGroupBox*>().size(), 2);
    EXPECT_TRUE(QApplication::focusWidget() == nullptr || QApplication::focusWidget() == button(u"Cmdxemcvden"_s));
    EXPECT_TRUE(test::isAccessible(&main));
    EXPECT_EQ(test::accessibleNames(&main).count(u"hệ thống Selvaro"_s), 1) << "the title read once";

    const QList<QPair<const char*, const char*>> items = {
        {"mnutendonvi", "Nạp sửa tên đơn vị dùng phần mềm"},
        {"mnunapdonvi", "Nạp sửa danh sách ban, đơn vị trực thuộc"},
        {"mnunapbophan", "Nạp sửa danh sách phòng, bộ phận"},
        {"mnunapnoigui", "Nạp sửa danh sách các đơn vị thường gửi, nhận công văn"},
        {"mnunguoidung", "Nạp sửa danh sách người dùng, mật khẩu, quyền hạn"},
        {"mnunapchutat", "Nạp sửa bảng chữ tắt"},
        {"mnunaploaicv", "Nạp sửa loại công văn"},
        {"mnunapkthuc", "&Kết thúc chương trình"},
        {"mnuchondulieucongvan", "Chọn file dữ liệu công văn"},
        {"mnuchondulieulich", "Chọn file dữ liệu kế hoạch và lịch công tác"},
        {"mnubackup", "Chọn file dữ liệu backup"},
        {"mnunhapdulieucv", "Nhập dữ liệu công văn cũ"},
        {"mnunhapdulieulich", "Nhập dữ liệu kế hoạch, lịch công tác cũ"},
        {"mnunhapbangthamkhao", "Nhập các danh sách tham khảo cũ"},
        {"mnuchonnamlamviec", "Chọn năm làm việc"},
        {"mnuHelpContents", "&Hướng dẫn sử dụng chương trình..."},
        {"mnuHelpAbout", "&Về chương trình này..."},
    };
    for (const auto& [name, caption] : items) {
        QAction* a = action(QString::fromLatin1(name));
        EXPECT_EQ(a ? a->text() : u"<none>"_s, QString::fromUtf8(caption)) << name;
    }
    QStringList menus;
    for (QAction* a : main.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Nạp sửa các danh sách", "&Quản lý các file dữ liệu, năm làm việc", "&Trợ giúp"}));

    const QString folder = u"/mnt/may-chu-van-phong/phong-hanh-chinh-tong-hop/van-thu-luu-tru/"
                           "so-cong-van-cac-nam/du-lieu-dung-chung-cua-co-quan/nam-2009/ban-chinh-thuc/data/"_s;
    app::module1().lettersPath = folder + u"vemocv.MDB"_s;
    app::module1().schedulePath = folder + u"vemolich.MDB"_s;
    ASSERT_GE(app::module1().lettersPath.size(), 150);
    main.hide();
    main.showDataLabels();
    main.showAtStart();
    QCoreApplication::processEvents();

    const QRect area = main.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(main.frameGeometry())) << main.frameGeometry().width() << " in " << area.width();
    auto* label = main.findChild<QLabel*>(u"Lblfiledulieu"_s);
    EXPECT_EQ(label->toolTip(), files());
    const QStringList lines = label->text().split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    for (const QString& line : lines) {
        EXPECT_TRUE(line.contains(QChar(0x2026))) << line.toStdString();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width());
    }
    EXPECT_TRUE(lines[0].startsWith(u"File công văn: /mnt/"_s));
    EXPECT_TRUE(lines[0].endsWith(u"/vemocv.MDB"_s));
}

// A register form or a list that fails to open is told by its name; an unreachable letters file
// stops the letter buttons with its message but not the schedule's. The main window stays.
TEST_F(MainWindowTest, FormThatFailsOrAnUnreachableLettersFileIsToldAndTheMainWindowStays)
{
    app::module1().userRights = u"QT"_s;
    const std::pair<const char*, const char*> cases[] = {{"Cmdxemcvden", "Xem CV đến"},
                                                         {"mnunapdonvi", "danh sách tham khảo"}};
    for (const auto& [command, told] : cases) {
        SCOPED_TRACE(command);
        home.responder.clear();
        app::clearLastError();
        app::registerFormOpener(QString::fromLatin1(command), [](const app::FormRequest&, QWidget*) {
            throw db::DbError(db::errc::TableNotFound, u"no such table"_s);
        });
        if (QPushButton* b = button(QString::fromLatin1(command)))
            b->click();
        else
            action(QString::fromLatin1(command))->trigger();
        EXPECT_EQ(home.messages(), QStringList{u"Gặp lỗi khi đang mở "_s + QString::fromUtf8(told) + u" !"_s});
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(app::lastError().number, db::errc::TableNotFound);
    }

    for (const app::RegisterDescriptor& d : app::registerDescriptors()) {
        for (const app::RegisterCommand* c : d.commands())
            provide(c->name);
    }
    const QString gone = home.home() + u"/gone/vemocv.mdb"_s;
    app::module1().lettersPath = gone;

    for (const app::RegisterCommand* c : app::registerDescriptors().first().commands()) {
        home.responder.clear();
        button(c->name)->setEnabled(true);
        button(c->name)->click();
        EXPECT_EQ(home.messages(), QStringList{app::dataFileMissingMessage(gone)}) << c->name.toStdString();
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(main.isVisible());

    home.responder.clear();
    button(u"cmdnaplich"_s)->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(std::pair(opened.first().command, opened.first().dataFile),
              std::pair(u"cmdnaplich"_s, app::DataFile::Schedule));
    EXPECT_FALSE(main.isVisible()) << "the register form hides the main window";
    EXPECT_TRUE(home.messages().isEmpty());
}

// A command without its form says so; the import menus hand their kind to the import form; the
// year label and its menu open the working-year dialog.
TEST_F(MainWindowTest, CommandsWithoutAFormSayNotAvailableOthersHandTheirFormWhatItNeeds)
{
    button(u"cmdtracuulich"_s)->click();
    EXPECT_EQ(home.messages(), QStringList{app::kNotAvailable});
    EXPECT_TRUE(main.isVisible());
    action(u"mnubackup"_s)->trigger();
    action(u"mnunapchutat"_s)->trigger();
    action(u"mnunguoidung"_s)->trigger(); // asks for no login first
    EXPECT_EQ(home.messages(), QStringList(4, app::kNotAvailable));
    EXPECT_TRUE(home.responder.modalForms().isEmpty());

    for (const auto& [menu, kind] : {std::pair{"mnunhapdulieucv", "cv"}, std::pair{"mnunhapdulieulich", "lich"},
                                     std::pair{"mnunhapbangthamkhao", "tk"}}) {
        provide(QString::fromLatin1(menu));
        action(QString::fromLatin1(menu))->trigger();
        ASSERT_FALSE(opened.isEmpty()) << menu;
        EXPECT_EQ(opened.takeLast().kind, QString::fromLatin1(kind)) << menu;
    }

    QLabel* year = main.findChild<QLabel*>(u"Lblnamlamviec"_s);
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), year->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(year, &click);
    EXPECT_EQ(home.responder.modalForms(), QStringList{"frmnamlamviec"});
    action(u"mnuchonnamlamviec"_s)->trigger();
    EXPECT_EQ(home.responder.modalForms().size(), 2);
}

// An administrator opens the units and every user (with an empty users table anyone is one; a
// cancelled rights check opens nothing and says nothing); others are refused the units and
// lists and open only their own password.
TEST_F(MainWindowTest, AdministratorOpensUnitsAndAllUsersOthersOnlyTheirOwnPassword)
{
    for (const char* menu : {"mnunapdonvi", "mnunapbophan", "mnunguoidung"})
        provide(QString::fromLatin1(menu));
    app::module1().userRights = u"QT - LĐ"_s;
    action(u"mnunapdonvi"_s)->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(std::pair(opened.first().recordSource, opened.first().dataFile),
              std::pair(u"select * from donvi order by matt"_s, app::DataFile::ScheduleReference));
    EXPECT_TRUE(opened.first().database() == app::module1().scheduleReference) << "the program's own connection";

    home.queueLogin();
    action(u"mnunguoidung"_s)->trigger(); // empty users table: anyone is an administrator
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.last().recordSource + u'|' + opened.last().title, u"select * from nguoidung|"_s);
    EXPECT_TRUE(home.messages().isEmpty());

    home.cancelLogin = true;
    home.queueLogin();
    action(u"mnunguoidung"_s)->trigger();
    EXPECT_EQ(opened.size(), 2);
    EXPECT_TRUE(home.messages().isEmpty());

    opened.clear();
    mainVisibleWhileOpen.clear();
    home.cancelLogin = false;
    app::module1().scheduleReference.execute(
        u"INSERT INTO nguoidung (hoten, tentrenmang, matkhau, quyenhan) VALUES ('Đỗ Văn O''Hà', 'oha', 'pw', 'CB')"_s);
    app::module1().userRights = u"CB"_s;
    action(u"mnunapdonvi"_s)->trigger();
    action(u"mnunapbophan"_s)->trigger();
    EXPECT_EQ(home.messages(), (QStringList{app::kNeedAdministrator, app::kNeedAdministrator}));
    EXPECT_TRUE(opened.isEmpty());

    home.loginName = u"oha"_s;
    home.loginPassword = u"pw"_s;
    home.queueLogin();
    action(u"mnunguoidung"_s)->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().title, u"Đổi mật khẩu"_s);
    EXPECT_EQ(opened.first().recordSource, u"select * from nguoidung where hoten='Đỗ Văn O''Hà' or "
                                           "tentrenmang ='Đỗ Văn O''Hà'"_s);
    db::Recordset own =
        app::module1().scheduleReference.openRecordset(opened.first().recordSource, db::RecordsetType::Snapshot);
    EXPECT_EQ(own.recordCount(), 1);
    EXPECT_FALSE(mainVisibleWhileOpen.first()) << "the users list hides the main window while open";
    EXPECT_TRUE(main.isVisible());
}

// A minimised window keeps its last saved position; closing writes the settings file either way.
TEST_F(MainWindowTest, ClosingWritesSettingsFileAndWindowPositionButNotAMinimisedOne)
{
    main.showMinimized();
    main.close();
    EXPECT_FALSE(sys::SettingsStore::onFile(settingsFile()).contains(u"MainLeft"_s));
    EXPECT_EQ(home.readSysmem().size(), 4);

    main.showNormal();
    main.setGeometry(120, 90, 700, 500);
    app::module1().backupPath = u"/srv/backup/vemocv.mdb"_s;
    main.close();
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(home.readSysmem().value(2), u"/srv/backup/vemocv.mdb"_s);

    sys::SettingsStore store = sys::SettingsStore::onFile(settingsFile());
    EXPECT_EQ(QRect(store.intValue(u"MainLeft"_s, -1), store.intValue(u"MainTop"_s, -1),
                    store.intValue(u"MainWidth"_s, -1), store.intValue(u"MainHeight"_s, -1)),
              main.frameGeometry());
}

// The guide opens, or a box says there is none. One about box: a second choice raises it; its
// button closes it and shows the main window again; closing the main window unloads it when it
// is only hidden.
TEST_F(MainWindowTest, HelpOpensTheGuideOrSaysThereIsNoneAndOneAboutBoxThatGoesWithTheMainWindow)
{
    QFile::remove(home.data(u"huongdan.html"_s));
    action(u"mnuHelpContents"_s)->trigger();
    EXPECT_EQ(home.boxes(), QStringList{u"Selvaro V2010.5: "_s + app::kNoHelp});
    EXPECT_EQ(app::HelpWindow::current(), nullptr);

    home.responder.clear();
    ASSERT_TRUE(QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/huongdan.html"), home.data(u"huongdan.html"_s)));
    action(u"mnuHelpContents"_s)->trigger();
    app::HelpWindow* help = app::HelpWindow::current();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(std::tuple(help->isVisible(), test::isAccessible(help), home.boxes()),
              std::tuple(true, true, QStringList()));
    EXPECT_TRUE(help->browser()->toPlainText().contains(u"Hướng dẫn sử dụng chương trình Selvaro"_s));
    help->close();

    main.hide();
    action(u"mnuHelpAbout"_s)->trigger();
    action(u"mnuHelpAbout"_s)->trigger();
    const QList<app::AboutDialog*> boxes = main.findChildren<app::AboutDialog*>();
    ASSERT_EQ(boxes.size(), 1);
    app::AboutDialog* about = boxes.first();
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(test::isAccessible(about));
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(about->windowTitle(), u"chương trình quản lý Selvaro"_s);
    about->control<QPushButton>(u"cmdok"_s)->click();
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(about->isVisible());

    about = app::AboutDialog::showAbout(&main);
    about->hide();
    ASSERT_TRUE(about->isLoaded());
    main.close();
    EXPECT_FALSE(about->isLoaded());
}

TEST_F(MainWindowTest, ReadOnlyRunRefusesWritingCommandsAndWritesNothing)
{
    provide(u"Cmdxemcvden"_s);
    provide(u"mnunhapdulieucv"_s);
    const QStringList sysmem = home.readSysmem();
    app::module1().readOnly = true;
    app::module1().backupPath = u"/srv/backup/vemocv.mdb"_s;

    action(u"mnunhapdulieucv"_s)->trigger();
    action(u"mnunapchutat"_s)->trigger();
    EXPECT_EQ(home.messages(), (QStringList{app::readOnlyRefusal(), app::readOnlyRefusal()}));
    button(u"Cmdxemcvden"_s)->click();
    ASSERT_EQ(opened.size(), 1) << "viewing stays";
    main.close();
    EXPECT_EQ(home.readSysmem(), sysmem);
}

} // namespace
