// Runs start-up on the program folder given, the login answered, and prints what it did, one item
// a line: "outcome <StartupOutcome>", "chidoc 0|1", "letterEntry 0|1", "message <text>" (carriage
// returns as spaces). The read-only tests run it as an unprivileged user.
#include "app/core/module1.h"
#include "app/gui/sub_main.h"
#include "platform/ui/form_base.h"
#include "scripted_responder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

class ProbeWindow : public app::StartupWindow
{
public:
    void showAtStart() override {}
    void repaintNow() override {}
    void showDataLabels() override {}
    void setLetterEntryEnabled(bool enabled) override { letterEntry = enabled; }
    void focusViewIncoming() override {}
    bool letterEntry = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    test::ScriptedResponder responder;
    responder.onModal(u"frmLogin"_s, [](ui::FormBase& form) {
        form.control<QLineEdit>(u"txtUserName"_s)->setText(u"probe"_s);
        form.control<QPushButton>(u"cmdok"_s)->click();
    });
    ProbeWindow window;
    const app::StartupOutcome outcome = app::subMain(QString::fromLocal8Bit(argv[1]), window);
    std::printf("outcome %d\nchidoc %d\nletterEntry %d\n", static_cast<int>(outcome), app::module1().readOnly ? 1 : 0,
                window.letterEntry ? 1 : 0);
    for (QString text : responder.messages())
        std::printf("message %s\n", text.replace(QLatin1Char('\r'), QLatin1Char(' ')).toUtf8().constData());
    app::resetModule1();
    return 0;
}
