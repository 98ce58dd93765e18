#include "scripted_responder.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace test {

ScriptedResponder::ScriptedResponder()
    : m_previousMessenger(app::setMessenger(this)),
      m_previousBox(ui::setMsgBoxHandler([this](const QString& prompt, int buttons, const QString& title) {
          return answerBox(prompt, buttons, title);
      })),
      m_previousModal(ui::FormBase::setModalHandler([this](ui::FormBase& form) { answerForm(form); }))
{}

ScriptedResponder::~ScriptedResponder()
{
    app::setMessenger(m_previousMessenger);
    ui::setMsgBoxHandler(std::move(m_previousBox));
    ui::FormBase::setModalHandler(std::move(m_previousModal));
}

void ScriptedResponder::answer(const QString& traloi)
{
    m_answers.enqueue(traloi);
}

void ScriptedResponder::answerMessageBox(int answer)
{
    m_boxAnswers.enqueue(answer);
}

void ScriptedResponder::onModal(const QString& formName, std::function<void(ui::FormBase&)> script)
{
    m_scripts[formName].enqueue(std::move(script));
}

QString ScriptedResponder::show(const QString& thongbao, const QString& kieuthongbao)
{
    const QString mode = kieuthongbao.toLower();
    QString reply;
    if (mode == u"ok"_s) {
        reply = m_answers.isEmpty() ? u"ok"_s : m_answers.dequeue();
        m_shown.append({Kind::Message, thongbao, kieuthongbao, reply});
    } else if (mode == u"yesno"_s) {
        reply = m_answers.isEmpty() ? m_defaultAnswer : m_answers.dequeue();
        m_shown.append({Kind::Message, thongbao, kieuthongbao, reply});
    } else {
        m_noticeOpen = true;
        m_shown.append({Kind::Notice, thongbao, kieuthongbao, QString()});
    }
    return reply;
}

void ScriptedResponder::closeNotice()
{
    m_noticeOpen = false;
}

int ScriptedResponder::answerBox(const QString& prompt, int buttons, const QString& title)
{
    int reply = ui::msgbox::Ok;
    if (!m_boxAnswers.isEmpty()) {
        reply = m_boxAnswers.dequeue();
    } else {
        const int set = buttons & 0x07;
        if (set == ui::msgbox::YesNo || set == ui::msgbox::YesNoCancel)
            reply = ui::msgbox::Yes;
    }
    m_shown.append({Kind::MessageBox, prompt, title, QString::number(reply)});
    return reply;
}

void ScriptedResponder::answerForm(ui::FormBase& form)
{
    m_shown.append({Kind::ModalForm, form.objectName(), QString(), QString()});
    auto found = m_scripts.find(form.objectName());
    if (found == m_scripts.end() || found->isEmpty())
        return; // FormBase::showModal closes the form
    const std::function<void(ui::FormBase&)> script = found->dequeue();
    script(form);
}

QStringList ScriptedResponder::textsOf(Kind kind) const
{
    QStringList texts;
    for (const Shown& s : m_shown) {
        if (s.kind == kind)
            texts << s.text;
    }
    return texts;
}

QString ScriptedResponder::lastMessage() const
{
    const QStringList texts = messages();
    return texts.isEmpty() ? QString() : texts.last();
}

} // namespace test
