#include "platform/sys/logon_name.h"
#include "platform/sys/settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Values survive into a new store on the same file, in its [Settings] section.
TEST(SettingsStore, ValuesSurviveIntoANewStoreOnTheSameFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("selvaro.ini"));
    {
        sys::SettingsStore store = sys::SettingsStore::onFile(file);
        store.setValue(QStringLiteral("MainLeft"), 120);
        store.setValue(QStringLiteral("MainTop"), QStringLiteral("-8"));
        ASSERT_TRUE(store.sync());
    }
    sys::SettingsStore again = sys::SettingsStore::onFile(file);
    EXPECT_EQ(again.intValue(QStringLiteral("MainLeft"), 0), 120);
    EXPECT_EQ(again.intValue(QStringLiteral("MainTop"), 0), -8);
    EXPECT_TRUE(again.contains(QStringLiteral("MainTop")));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[Settings]")) << text.constData();
    EXPECT_TRUE(text.contains("MainLeft=120")) << text.constData();
}

TEST(SettingsStore, MissingOrNonNumericValuesGiveTheFallback)
{
    QTemporaryDir dir;
    sys::SettingsStore store = sys::SettingsStore::onFile(dir.filePath(QStringLiteral("s.ini")));
    EXPECT_EQ(store.intValue(QStringLiteral("MainHeight"), 480), 480);
    store.setValue(QStringLiteral("MainHeight"), QStringLiteral("tall"));
    EXPECT_EQ(store.intValue(QStringLiteral("MainHeight"), 480), 480);
    EXPECT_EQ(store.value(QStringLiteral("Nothing"), QStringLiteral("x")).toString(), QStringLiteral("x"));
    store.remove(QStringLiteral("MainHeight"));
    EXPECT_FALSE(store.contains(QStringLiteral("MainHeight")));
}

TEST(LogonName, IsTheNameOfTheUserRunningTheProgram)
{
    const QString name = sys::logonName();
    ASSERT_FALSE(name.isEmpty());
    if (geteuid() == 0)
        EXPECT_EQ(name, QStringLiteral("root"));
    else
        EXPECT_NE(name, QStringLiteral("root"));
}

} // namespace
