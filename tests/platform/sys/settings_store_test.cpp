#include "platform/sys/logon_name.h"
#include "platform/sys/settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Values survive into a new store on the same file, in its [Settings] section.
TEST(SettingsStore, ValuesSurviveIntoANewStoreOnTheSameFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"selvaro.ini"_s);
    {
        sys::SettingsStore store = sys::SettingsStore::onFile(file);
        store.setValue(u"MainLeft"_s, 120);
        store.setValue(u"MainTop"_s, u"-8"_s);
        ASSERT_TRUE(store.sync());
    }
    sys::SettingsStore again = sys::SettingsStore::onFile(file);
    EXPECT_EQ(again.intValue(u"MainLeft"_s, 0), 120);
    EXPECT_EQ(again.intValue(u"MainTop"_s, 0), -8);
    EXPECT_TRUE(again.contains(u"MainTop"_s));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[Settings]")) << text.constData();
    EXPECT_TRUE(text.contains("MainLeft=120")) << text.constData();
}

TEST(SettingsStore, MissingOrNonNumericValuesGiveTheFallback)
{
    QTemporaryDir dir;
    sys::SettingsStore store = sys::SettingsStore::onFile(dir.filePath(u"s.ini"_s));
    EXPECT_EQ(store.intValue(u"MainHeight"_s, 480), 480);
    store.setValue(u"MainHeight"_s, u"tall"_s);
    EXPECT_EQ(store.intValue(u"MainHeight"_s, 480), 480);
    EXPECT_EQ(store.value(u"Nothing"_s, u"x"_s).toString(), u"x"_s);
    store.remove(u"MainHeight"_s);
    EXPECT_FALSE(store.contains(u"MainHeight"_s));
}

TEST(LogonName, IsTheNameOfTheUserRunningTheProgram)
{
    const QString name = sys::logonName();
    ASSERT_FALSE(name.isEmpty());
    if (geteuid() == 0)
        EXPECT_EQ(name, u"root"_s);
    else
        EXPECT_NE(name, u"root"_s);
}

} // namespace
