#pragma once

#include "app/core/data_paths.h"
#include "app/core/module1.h"
#include "app/gui/sub_main.h"
#include "common/clock.h"
#include "files.h"
#include "platform/db/database.h"
#include "platform/ui/form_base.h"
#include "scripted_responder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// True when the data file at path holds table (opened read-only, on its own connection).
inline bool hasTable(const QString& path, const QString& table)
{
    db::Database db = db::Database::open(path, app::kConnect, db::OpenMode::ReadOnly);
    db.refreshTableDefs();
    return db.hasTable(table);
}

// Stands in for the main window during start-up.
class FakeStartupWindow : public app::StartupWindow
{
public:
    void showAtStart() override { shown = true; }
    void repaintNow() override {}
    void showDataLabels() override
    {
        yearLabel = app::workingYearCaption(app::module1());
        filesLabel = app::dataFilesCaption(app::module1());
    }
    void setLetterEntryEnabled(bool enabled) override { letterEntry = enabled; }
    void focusViewIncoming() override { focused = true; }

    bool shown = false;
    QString yearLabel;
    QString filesLabel;
    int letterEntry = -1; // -1: never set
    bool focused = false;
};

// A program folder in a temporary directory with a data folder holding the build's template
// file, the clock standing at 15 June 2009, and a scripted responder answering every message,
// message box and modal form. start() answers the login dialog with loginName and
// loginPassword (the empty users table lets anyone in); queueLogin() does the same for a
// later login (the rights check).
class ProgramFolder
{
public:
    ProgramFolder() : m_clock(QDateTime(QDate(2009, 6, 15), QTime(9, 0)))
    {
        app::resetModule1();
        m_previousClock = common::setClock(&m_clock);
        QDir().mkpath(dataDir());
        const QString from = QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb");
        EXPECT_TRUE(QFile::copy(from, data(u"vemogoc.mdb"_s))) << from.toStdString();
    }
    ~ProgramFolder()
    {
        common::setClock(m_previousClock);
        app::resetModule1();
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    QString home() const { return m_dir.path(); }
    QString dataDir() const { return m_dir.filePath(u"data"_s); }
    QString data(const QString& name) const { return QDir(dataDir()).filePath(name); }
    bool exists(const QString& name) const { return QFile::exists(app::dataFilePath(home(), name)); }

    void setToday(const QDate& day) { m_clock.set(QDateTime(day, QTime(9, 0))); }

    // The settings file's items; an empty data file path stands for the file in the data folder.
    struct Settings
    {
        QString schedule = {}, letters = {}, backup = u" "_s, year = u"2009"_s;
    };
    // Writes data/sysmem with the four items, as the program writes it.
    void writeSysmem(const Settings& s)
    {
        const QString lich = s.schedule.isEmpty() ? data(u"vemolich.MDB"_s) : s.schedule;
        const QString congvan = s.letters.isEmpty() ? data(u"vemocv.MDB"_s) : s.letters;
        const QString line = u"\"%1\",\"%2\",\"%3\",\"%4\"\r\n"_s.arg(lich, congvan, s.backup, s.year);
        ASSERT_TRUE(test::writeFile(data(u"sysmem"_s), line.toUtf8()));
    }
    // The four items of data/sysmem, or an empty list when there is no such file.
    QStringList readSysmem() const
    {
        QFile f(data(u"sysmem"_s));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList items = QString::fromUtf8(f.readAll()).trimmed().split(u"\",\""_s);
        for (QString& item : items)
            item.remove(QLatin1Char('"'));
        return items;
    }

    // The next showing of the login dialog types loginName and loginPassword and presses
    // "&Tiếp tục" loginAttempts times while it stays open (or presses "&Kết thúc" when
    // cancelLogin is set). The title label it showed is left in loginTitle.
    void queueLogin()
    {
        responder.onModal(u"frmLogin"_s, [this](ui::FormBase& form) {
            ++logins;
            loginTitle = form.control<QLabel>(u"Label1"_s)->text();
            if (cancelLogin) {
                form.control<QPushButton>(u"cmdCancel"_s)->click();
                return;
            }
            form.control<QLineEdit>(u"txtUserName"_s)->setText(loginName);
            form.control<QLineEdit>(u"txtPassword"_s)->setText(loginPassword);
            for (int i = 0; i < loginAttempts && form.isVisible(); ++i)
                form.control<QPushButton>(u"cmdok"_s)->click();
        });
    }

    app::StartupOutcome start(app::StartupWindow& shown, const app::StartupServices& services = {})
    {
        queueLogin();
        return app::subMain(home(), shown, services);
    }
    // Starts with the folder's own stand-in window.
    app::StartupOutcome start(const app::StartupServices& services = {}) { return start(window, services); }
    // A first start, after which the shared state and the responder are cleared for the next.
    void startOnce()
    {
        FakeStartupWindow first;
        ASSERT_EQ(start(first), app::StartupOutcome::Ready) << messageText();
        app::resetModule1();
        responder.clear();
    }

    // The message dialog's texts and their mode words, in the order shown.
    QStringList messages() const { return responder.messages(); }
    QStringList modes() const
    {
        return shownAs(test::ScriptedResponder::Kind::Message, [](const auto& s) { return s.mode.toLower(); });
    }
    std::string messageText() const { return messages().join(QLatin1Char('\n')).toStdString(); }
    // The platform message boxes shown, as "title: prompt".
    QStringList boxes() const
    {
        return shownAs(test::ScriptedResponder::Kind::MessageBox,
                       [](const auto& s) { return s.mode + u": "_s + s.text; });
    }

    test::ScriptedResponder responder;
    FakeStartupWindow window;
    QString loginName;
    QString loginPassword;
    bool cancelLogin = false;
    int loginAttempts = 1;
    QString loginTitle;
    int logins = 0;

private:
    // What describe makes of each shown window of the kind, in the order shown.
    template <typename Describe> QStringList shownAs(test::ScriptedResponder::Kind kind, Describe describe) const
    {
        QStringList result;
        for (const test::ScriptedResponder::Shown& s : responder.shown()) {
            if (s.kind == kind)
                result << describe(s);
        }
        return result;
    }

    QTemporaryDir m_dir;
    common::FixedClock m_clock;
    const common::Clock* m_previousClock = nullptr;
};
