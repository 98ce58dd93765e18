#pragma once

#include "app/core/messenger.h"
#include "platform/ui/form_base.h"
#include "platform/ui/msg_box.h"

#include <QList>
#include <QMap>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>

namespace test {

using namespace Qt::StringLiterals;

// Answers every window that would wait for the user, so no test blocks: the message dialog
// (as app::Messenger), the platform message box and any form shown modally. It records what
// was shown. While it lives it is installed; the destructor restores what was there before.
//
// Answers are consumed in order. With no queued answer: an "ok" message answers "ok", a
// "yesno" question the default answer (yes unless setDefaultAnswer() says otherwise), a message
// box its first button (Ok or Yes), and a modal form is closed as with its close box.
class ScriptedResponder : public app::Messenger
{
public:
    enum class Kind
    {
        Message,
        Notice,
        MessageBox,
        ModalForm
    };
    struct Shown
    {
        Kind kind;
        QString text;   // message text, or the form's objectName
        QString mode;   // mode word of a message; the title of a message box
        QString answer; // "ok"/"yes"/"no", a message box answer as a number, "" for notices and forms
    };

    ScriptedResponder();
    ~ScriptedResponder() override;
    ScriptedResponder(const ScriptedResponder&) = delete;
    ScriptedResponder& operator=(const ScriptedResponder&) = delete;

    // Next answers of the message dialog: "yes", "no" or "ok".
    void answer(const QString& traloi);
    void setDefaultAnswer(const QString& traloi) { m_defaultAnswer = traloi; }
    // Next answer of the platform message box (ui::msgbox::Yes ...).
    void answerMessageBox(int answer);
    // Runs script the next time the form named formName is shown modally (scripts for one form
    // run in the order given, one per showing). The script plays the user: it fills boxes and
    // presses buttons; if it leaves the form open, the form is closed after it.
    void onModal(const QString& formName, std::function<void(ui::FormBase& form)> script);

    // app::Messenger
    QString show(const QString& thongbao, const QString& kieuthongbao) override;
    void closeNotice() override;

    const QList<Shown>& shown() const { return m_shown; }
    // Texts of the message dialog's messages and questions (notices not included).
    QStringList messages() const { return textsOf(Kind::Message); }
    QString lastMessage() const;
    QStringList messageBoxes() const { return textsOf(Kind::MessageBox); }
    // The objectNames of the forms shown modally, in order.
    QStringList modalForms() const { return textsOf(Kind::ModalForm); }
    bool noticeOpen() const { return m_noticeOpen; }
    int unusedAnswers() const { return static_cast<int>(m_answers.size() + m_boxAnswers.size()); }
    void clear() { m_shown.clear(); }

private:
    QStringList textsOf(Kind kind) const;
    int answerBox(const QString& prompt, int buttons, const QString& title);
    void answerForm(ui::FormBase& form);

    app::Messenger* m_previousMessenger;
    ui::MsgBoxHandler m_previousBox;
    ui::FormBase::ModalHandler m_previousModal;
    QQueue<QString> m_answers;
    QQueue<int> m_boxAnswers;
    QMap<QString, QQueue<std::function<void(ui::FormBase&)>>> m_scripts;
    QString m_defaultAnswer = u"yes"_s;
    QList<Shown> m_shown;
    bool m_noticeOpen = false;
};

} // namespace test
