// The main window as main.cpp puts it together, with every register and list: the registers' frames,
// what their buttons prepare, the close box of every window the main window opens (as a window
// manager sends it, a close event) and the end of the program.
#include "../app/startup_fixture.h"

#include "app/core/module1.h"
#include "app/gui/form_commands.h"
#include "app/gui/frmmain.h"
#include "app/gui/help.h"
#include "app/gui/register_catalog.h"
#include "datafiles/forms/data_file_commands.h"
#include "datafiles/forms/file_dialog.h"
#include "platform/sys/settings_store.h"
#include "platform/ui/form_base.h"
#include "platform/ui/grid.h"
#include "platform/ui/text_box.h"
#include "reference/reference_forms.h"
#include "registers/form_registry.h"
#include "registers/incoming/incoming_forms.h"
#include "registers/outgoing/outgoing_forms.h"
#include "registers/plans/plan_forms.h"
#include "registers/schedule/frmgridtuan.h"
#include "registers/schedule/schedule_forms.h"
#include "registers/search_form.h"
#include "ui_frmgridtuan.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Every form the main window opens, made known before the window is made (it shows the registers
// it finds then).
struct AllForms
{
    AllForms()
    {
        registers::registerIncomingForms();
        registers::registerOutgoingForms();
        registers::registerPlanForms();
        registers::registerScheduleForms();
        datafiles::registerDataFileCommands();
        reference::registerReferenceForms();
    }
    ~AllForms()
    {
        registers::destroyForms();
        app::forgetRegisters();
    }
};

class WholeProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::MainWindow::setSettingsStoreFile(m_store.filePath(u"settings.ini"_s));
        m_chooser = datafiles::setFileChooser([this](const datafiles::OpenFileRequest&) {
            ++fileDialogs;
            return QString(); // the open dialog closed by its close box
        });
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/huongdan.html"), home.data(u"huongdan.html"_s));
        ASSERT_EQ(home.start(main), app::StartupOutcome::Ready) << home.messageText();
        home.responder.clear();
    }
    void TearDown() override
    {
        registers::destroyForms();
        datafiles::setFileChooser(m_chooser);
        app::MainWindow::setSettingsStoreFile(QString());
    }

    // The visible windows besides the main window.
    QWidgetList othersVisible() const
    {
        QWidgetList list;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != &main && w->isVisible())
                list << w;
        }
        return list;
    }

    AllForms forms;
    QTemporaryDir m_store;
    ProgramFolder home;
    app::MainWindow main{app::module1()};
    datafiles::FileChooser m_chooser;
    int fileDialogs = 0;
};

TEST_F(WholeProgramTest, FourRegisterFramesAndTheirButtons)
{
    QStringList frames;
    for (QGroupBox* frame : main.findChildren<QGroupBox*>()) {
        QStringList buttons;
        for (QPushButton* b : frame->findChildren<QPushButton*>())
            buttons << b->objectName() + QLatin1Char(':') + b->text();
        frames << frame->title() + QLatin1Char('=') + buttons.join(QLatin1Char('|'));
    }
    EXPECT_EQ(frames, (QStringList{u"Công văn đến=cmdnapcvden:Nạp, sửa, in CV đến|Cmdxemcvden:Xem CV đến|"
                                   "cmdtracuucvden:Tra cứu CV đến|cmdcvdenhan:Công văn đến hạn, quá hạn"_s,
                                   u"Công văn đi =cmdnapcvdi:Nạp, sửa, in CV đi|cmdxemcvdi:Xem CV đi|"
                                   "cmdtracuucvdi:Tra cứu CV đi"_s,
                                   u"kế hoạch công tác=cmdnapkh:Nạp, sửa kế hoạch|cmdxemkh:Xem kế hoạch|"
                                   "cmdtracuukh:Tra cứu kế hoạch"_s,
                                   u"Lịch làm việc=cmdnaplich:Nạp, sửa lịch tuần|Cmdxemlich:Xem lịch tuần|"
                                   "cmdtracuulich:Tra cứu lịch tuần"_s}));
    main.setLetterEntryEnabled(false); // the letters file on a network drive
    const auto enabled = [this](const char* name) {
        return main.findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled();
    };
    EXPECT_FALSE(enabled("cmdnapcvden") || enabled("cmdnapcvdi"));
    EXPECT_TRUE(enabled("Cmdxemcvden") && enabled("cmdnapkh") && enabled("cmdnaplich"));
}

// What the buttons prepare: a letters list opens with no mark left in the year (a read-only run
// leaves them), a search offers the values the year holds, the week view shows today's week.
TEST_F(WholeProgramTest, ButtonsPrepareTheirForms)
{
    db::Database& cv = app::module1().letters;
    for (const char* place : {"Phòng Hành chính", "Phòng Hành chính", "", "Văn phòng"})
        cv.execute(u"INSERT INTO cvdi2009 (chonin, noiluu) VALUES ('X', '"_s + QString::fromUtf8(place) + u"')"_s);
    const auto marked = [&cv] {
        return cv.openRecordset(u"select * from cvdi2009 where chonin = 'X'"_s, db::RecordsetType::Snapshot)
            .recordCount();
    };
    app::module1().readOnly = true;
    main.findChild<QPushButton*>(u"cmdxemcvdi"_s)->click();
    EXPECT_EQ(marked(), 4);
    registers::destroyForms();
    app::module1().readOnly = false;
    main.findChild<QPushButton*>(u"cmdxemcvdi"_s)->click();
    EXPECT_EQ(marked(), 0);
    registers::destroyForms();

    main.findChild<QPushButton*>(u"cmdtracuucvdi"_s)->click();
    auto* search = registers::form<registers::SearchForm>(u"frmtracuucvdi"_s);
    EXPECT_EQ(search->yearValueLists().value(0), u"select distinct noiluu from cvdi2009 where noiluu<>''"_s);
    EXPECT_EQ(search->control<ui::Grid>(u"DBGridnoiluu"_s)->model()->rowCount(), 2);
    registers::destroyForms();

    home.setToday(QDate(2009, 6, 17));
    main.findChild<QPushButton*>(u"Cmdxemlich"_s)->click();
    auto* week = registers::form<registers::WeekViewForm>(u"frmgridtuan"_s);
    EXPECT_EQ(week->ui().txtdautuan->text(), u"15/06/2009"_s);
    EXPECT_EQ(week->ui().txtcuoituan->text(), u"21/06/2009"_s);
}

// Every button and menu command of the main window; what it opens is closed by its close box
// (modal forms by the responder, as with their close box): the main window is back, and no other
// window is left.
TEST_F(WholeProgramTest, EveryFormTheMainWindowOpensGivesItBackWhenClosedByItsCloseBox)
{
    // The register buttons, then the menu commands.
    const QStringList commands =
        u"cmdnapcvden Cmdxemcvden cmdtracuucvden cmdnapcvdi cmdxemcvdi cmdtracuucvdi cmdnapkh cmdxemkh "
        "cmdtracuukh cmdnaplich Cmdxemlich cmdtracuulich mnutendonvi mnunapdonvi mnunapbophan "
        "mnunapnoigui mnunguoidung mnunapchutat mnunaploaicv mnuchondulieucongvan mnuchondulieulich "
        "mnubackup mnunhapdulieucv mnunhapdulieulich mnunhapbangthamkhao mnuchonnamlamviec "
        "mnuHelpContents mnuHelpAbout"_s.split(u' ');
    for (const QString& name : commands) {
        SCOPED_TRACE(name.toStdString());
        home.responder.clear();
        fileDialogs = 0;
        if (auto* button = main.findChild<QPushButton*>(name)) {
            button->click();
        } else {
            auto* action = main.findChild<QAction*>(name);
            ASSERT_NE(action, nullptr);
            action->trigger();
        }
        const QWidgetList opened = othersVisible();
        ASSERT_TRUE(opened.size() == 1 || !home.responder.modalForms().isEmpty() || fileDialogs > 0)
            << "nothing opened; messages: " << home.messageText();
        for (QWidget* w : opened)
            w->close();
        EXPECT_TRUE(main.isVisible());
        EXPECT_TRUE(othersVisible().isEmpty());
        EXPECT_TRUE(home.messages().isEmpty() && home.responder.messageBoxes().isEmpty()) << home.messageText();
    }
}

// The program ends when the main window closes by its closing steps, not when the last visible
// window closes: a window that closes while the main window is hidden brings it back.
TEST_F(WholeProgramTest, TheProgramEndsWithTheMainWindowsClosingStepsOnly)
{
    QCoreApplication::sendPostedEvents(); // nothing left over from before
    ui::FormBase stray;
    main.endProgramOnClose();
    QTimer::singleShot(0, &main, [&] {
        stray.showModeless();
        main.hide();
        stray.close(); // the last visible window
        QTimer::singleShot(0, &main, [&] {
            EXPECT_TRUE(main.isVisible()) << "the main window came back";
            main.close();
        });
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(3); });
    watchdog.start(20000);
    EXPECT_EQ(QApplication::exec(), 0);
    // The closing steps ran: the window's place is in the settings store.
    sys::SettingsStore store = sys::SettingsStore::onFile(m_store.filePath(u"settings.ini"_s));
    EXPECT_TRUE(store.value(u"MainTop"_s).isValid());
    QGuiApplication::setQuitOnLastWindowClosed(true);
}

} // namespace
