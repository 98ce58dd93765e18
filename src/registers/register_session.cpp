#include "register_session.h"

#include "form_registry.h"

namespace registers {

FormRole nextAfter(Start start, FormRole finished)
{
    switch (finished) {
    case FormRole::List:
        if (start == Start::Search)
            return FormRole::Search;
        return start == Start::Entry ? FormRole::Entry : FormRole::MainWindow;
    case FormRole::Search:
    case FormRole::Week:
        return start == Start::Entry ? FormRole::Entry : FormRole::MainWindow;
    case FormRole::Entry:
    case FormRole::MainWindow:
        break;
    }
    return FormRole::MainWindow;
}

RegisterSession::RegisterSession(Register which, Start start, db::Database database, QString yearTable,
                                 ProgramContext context)
    : m_which(which), m_start(start), m_database(std::move(database)), m_yearTable(std::move(yearTable)),
      m_context(std::move(context))
{}

void RegisterSession::setReturn(FormRole role, QObject* form, std::function<void(long long)> comeBack)
{
    m_returns.insert(role, Return{form, std::move(comeBack)});
}

void RegisterSession::finished(FormRole role)
{
    emit formFinished(role);
    const FormRole next = nextAfter(m_start, role);
    const Return r = m_returns.value(next);
    if (next != FormRole::MainWindow && r.form && r.comeBack) {
        r.comeBack(m_currentId);
        return;
    }
    showMainWindow();
}

void SessionMember::setSession(SessionPtr session)
{
    m_session = std::move(session);
    if (m_session)
        joined(*m_session);
}

const SessionPtr& SessionMember::sharedSession() const
{
    if (!m_session) {
        m_session = makeOwnSession();
        const_cast<SessionMember*>(this)->joined(*m_session);
    }
    return m_session;
}

} // namespace registers
