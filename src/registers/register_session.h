#pragma once

// One visit to a register: made by the opener of the main window's button, handed from form to
// form as the user moves on (entry form -> search form -> list form ...). It holds what the forms
// of the visit share: which register, its data file, the year table, the current record and the
// last search, and what they read of the program (ProgramContext). When a form has finished, the session decides which
// form shows next, from the button the visit began with.

#include "program_context.h"

#include "platform/db/database.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

namespace registers {

enum class Register
{
    Incoming,
    Outgoing,
    Plans,
    Schedule,
};

// The main-window button a visit began with: enter/correct, view the list, search, the week view.
enum class Start
{
    Entry,
    List,
    Search,
    Week,
};

// The forms a visit passes through; MainWindow is where every visit ends.
enum class FormRole
{
    MainWindow,
    Entry,
    List,
    Search,
    Week,
};

// The condition of the last search: the Jet condition without "WHERE" ("" for a search with no
// criterion) and the year table it was run on.
struct SearchCondition
{
    QString table;
    QString where;
    bool isEmpty() const { return where.isEmpty(); }
};

// The form that shows when `finished` has finished, for a visit begun with `start`: a list goes
// back to the search that filled it, or to the entry form when the visit began there; a search
// or the week view goes back to the entry form when the visit began there; everything else ends
// the visit.
FormRole nextAfter(Start start, FormRole finished);

class RegisterSession : public QObject
{
    Q_OBJECT

public:
    RegisterSession(Register which, Start start, db::Database database, QString yearTable, ProgramContext context);

    Register which() const { return m_which; }
    Start start() const { return m_start; }
    db::Database& database() { return m_database; }
    const QString& yearTable() const { return m_yearTable; }
    ProgramContext& context() { return m_context; }
    const ProgramContext& context() const { return m_context; }

    // The record the forms hand each other (0 for none).
    long long currentId() const { return m_currentId; }
    void setCurrentId(long long id) { m_currentId = id; }

    const SearchCondition& lastSearch() const { return m_lastSearch; }
    void setLastSearch(SearchCondition condition) { m_lastSearch = std::move(condition); }

    // How form `role` comes back when it shows next (it is given the current record). A form
    // sets this when it joins the visit; the main window needs none.
    void setReturn(FormRole role, QObject* form, std::function<void(long long id)> comeBack);

    // Form `role` has finished: the next form comes back (the main window when the next form
    // has not joined the visit, as when it has been destroyed).
    void finished(FormRole role);

signals:
    // Told before the next form comes back.
    void formFinished(registers::FormRole role);

private:
    struct Return
    {
        QPointer<QObject> form;
        std::function<void(long long)> comeBack;
    };

    Register m_which;
    Start m_start;
    db::Database m_database;
    QString m_yearTable;
    ProgramContext m_context;
    long long m_currentId = 0;
    SearchCondition m_lastSearch;
    QHash<FormRole, Return> m_returns;
};

using SessionPtr = std::shared_ptr<RegisterSession>;

// What a register form holds: the visit it belongs to. A form used without an opener (tests)
// makes its own visit on first use, begun at the form's own button.
class SessionMember
{
public:
    virtual ~SessionMember() = default;

    void setSession(SessionPtr session);
    const SessionPtr& sharedSession() const;
    RegisterSession& session() const { return *sharedSession(); }

protected:
    // The visit a form used alone makes; called once, on first use.
    virtual SessionPtr makeOwnSession() const = 0;
    // Called when the form joins a visit: it tells the session how it comes back.
    virtual void joined(RegisterSession& session) { Q_UNUSED(session) }

private:
    mutable SessionPtr m_session;
};

} // namespace registers
