#pragma once

// A program folder in a temporary folder, with the template file in its data folder, the clock
// standing at 4 March 2012, and a messenger that records what the code under test tells the user.

#include "app/core/data_paths.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "common/clock.h"
#include "files.h"
#include "platform/db/database.h"
#include "template_file.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace testing_support {

// Answers "ok" to "ok" messages and the next scripted answer (default "yes") to questions.
class RecordingMessenger : public app::Messenger
{
public:
    struct Shown
    {
        QString text;
        QString kind;
    };

    QString show(const QString& thongbao, const QString& kieuthongbao) override
    {
        shown.append({thongbao, kieuthongbao});
        const QString mode = kieuthongbao.toLower();
        if (mode == u"ok"_s)
            return u"ok"_s;
        if (mode == u"yesno"_s)
            return answers.isEmpty() ? u"yes"_s : answers.takeFirst();
        ++noticesOpen;
        return QString();
    }
    void closeNotice() override
    {
        if (noticesOpen > 0)
            --noticesOpen;
    }

    QList<Shown> shown;
    QStringList answers;
    int noticesOpen = 0;
};

class DataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"data"_s));
        app::resetModule1();
        m_previous = app::setMessenger(&messenger);
        m_previousClock = common::setClock(&m_clock);
        ASSERT_TRUE(QFile::copy(test::templatePath(), dataPath(u"vemogoc.mdb"_s)));
        app::setProgramFolder(app::module1(), programFolder());
    }

    void TearDown() override
    {
        app::setMessenger(m_previous);
        common::setClock(m_previousClock);
        app::resetModule1();
    }

    QString programFolder() const { return m_dir.path(); }
    QString dataPath(const QString& name) const { return QDir(m_dir.path()).filePath(u"data/"_s + name); }

    // A copy of the template under name in the data folder, writable.
    QString copyTemplate(const QString& name) const
    {
        const QString path = dataPath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(test::templatePath(), path));
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        return path;
    }

    static void writeFile(const QString& path, const QByteArray& bytes) { ASSERT_TRUE(test::writeFile(path, bytes)); }
    static QByteArray readFile(const QString& path) { return test::readFile(path); }

    static db::Database openFile(const QString& path) { return db::Database::open(path, app::kConnect); }

    RecordingMessenger messenger;

private:
    QTemporaryDir m_dir;
    app::Messenger* m_previous = nullptr;
    common::FixedClock m_clock{QDateTime(QDate(2012, 3, 4), QTime(8, 0))};
    const common::Clock* m_previousClock = nullptr;
};

} // namespace testing_support
