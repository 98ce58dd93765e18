// The close box of every window the main window opens, as a window manager sends it (a close
// event), and the end of the program.
#include "../app/startup_fixture.h"

#include "app/core/module1.h"
#include "app/gui/form_commands.h"
#include "app/gui/frmmain.h"
#include "app/gui/help.h"
#include "datafiles/forms/data_file_commands.h"
#include "datafiles/forms/file_dialog.h"
#include "platform/sys/settings_store.h"
#include "platform/ui/form_base.h"
#include "reference/reference_forms.h"
#include "registers/form_registry.h"
#include "registers/incoming/incoming_forms.h"
#include "registers/outgoing/outgoing_forms.h"
#include "registers/plans/plan_forms.h"
#include "registers/schedule/schedule_forms.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class CloseBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::MainWindow::setSettingsStoreFile(m_store.filePath(QStringLiteral("settings.ini")));
        registers::registerIncomingForms();
        registers::registerOutgoingForms();
        registers::registerPlanForms();
        registers::registerScheduleForms();
        datafiles::registerDataFileCommands();
        reference::registerReferenceForms();
        m_chooser = datafiles::setFileChooser([this](const datafiles::OpenFileRequest&) {
            ++fileDialogs;
            return QString(); // the open dialog closed by its close box
        });
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/huongdan.html"), home.data(QStringLiteral("huongdan.html")));
        ASSERT_EQ(home.start(main), app::StartupOutcome::Ready) << home.messageText();
        home.responder.clear();
    }
    void TearDown() override
    {
        registers::destroyForms();
        app::unregisterFormOpeners();
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

    QTemporaryDir m_store;
    ProgramFolder home;
    app::MainWindow main;
    datafiles::FileChooser m_chooser;
    int fileDialogs = 0;
};

// Every button and menu command of the main window; what it opens is closed by its close box
// (modal forms by the responder, as with their close box): the main window is back, and no other
// window is left.
TEST_F(CloseBoxTest, EveryFormTheMainWindowOpensGivesItBackWhenClosedByItsCloseBox)
{
    const QStringList buttons = {
        QStringLiteral("cmdnapcvden"), QStringLiteral("Cmdxemcvden"), QStringLiteral("cmdtracuucvden"),
        QStringLiteral("cmdnapcvdi"),  QStringLiteral("cmdxemcvdi"),  QStringLiteral("cmdtracuucvdi"),
        QStringLiteral("cmdnapkh"),    QStringLiteral("cmdxemkh"),    QStringLiteral("cmdtracuukh"),
        QStringLiteral("cmdnaplich"),  QStringLiteral("Cmdxemlich"),  QStringLiteral("cmdtracuulich")};
    const QStringList menus = {QStringLiteral("mnutendonvi"),         QStringLiteral("mnunapdonvi"),
                               QStringLiteral("mnunapbophan"),        QStringLiteral("mnunapnoigui"),
                               QStringLiteral("mnunguoidung"),        QStringLiteral("mnunapchutat"),
                               QStringLiteral("mnunaploaicv"),        QStringLiteral("mnuchondulieucongvan"),
                               QStringLiteral("mnuchondulieulich"),   QStringLiteral("mnubackup"),
                               QStringLiteral("mnunhapdulieucv"),     QStringLiteral("mnunhapdulieulich"),
                               QStringLiteral("mnunhapbangthamkhao"), QStringLiteral("mnuchonnamlamviec"),
                               QStringLiteral("mnuHelpContents"),     QStringLiteral("mnuHelpAbout")};
    for (const QString& name : buttons + menus) {
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
TEST_F(CloseBoxTest, TheProgramEndsWithTheMainWindowsClosingStepsOnly)
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
    sys::SettingsStore store = sys::SettingsStore::onFile(m_store.filePath(QStringLiteral("settings.ini")));
    EXPECT_TRUE(store.value(QStringLiteral("MainTop")).isValid());
    QGuiApplication::setQuitOnLastWindowClosed(true);
}

} // namespace
