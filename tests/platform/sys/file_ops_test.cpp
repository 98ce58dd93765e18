#include "files.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FileOpsTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) { ASSERT_TRUE(test::writeFile(path(name), bytes)); }
    QByteArray read(const QString& name) const { return test::readFile(path(name)); }

    QTemporaryDir m_dir;
};

TEST_F(FileOpsTest, SizeAndPresenceTellFilesFromFoldersAndNothing)
{
    write(u"a.bin"_s, QByteArray(999'999, 'x'));
    const QString file = path(u"a.bin"_s);
    EXPECT_EQ(sys::fileSize(file), 999'999);
    EXPECT_TRUE(sys::exists(file) && sys::isFile(file) && !sys::isDirectory(file));
    EXPECT_TRUE(sys::exists(m_dir.path()) && sys::isDirectory(m_dir.path()) && !sys::isFile(m_dir.path()));
    EXPECT_EQ(sys::fileSize(m_dir.path()), -1);
    for (const QString& none : {path(u"none.bin"_s), QString()}) {
        EXPECT_EQ(sys::fileSize(none), -1);
        EXPECT_FALSE(sys::exists(none));
    }
}

TEST_F(FileOpsTest, ReadOnlyAttributeIsTheOwnersWritePermission)
{
    write(u"f"_s, "1");
    const QString f = path(u"f"_s);
    EXPECT_FALSE(sys::isReadOnly(f));
    sys::setReadOnly(f, true);
    EXPECT_TRUE(sys::isReadOnly(f));
    EXPECT_FALSE(QFile::permissions(f) & QFileDevice::WriteOwner);
    EXPECT_TRUE(QFile::permissions(f) & QFileDevice::ReadOwner); // other bits kept
    sys::copyFile(f, path(u"copy"_s));                           // the copy of a read-only file is writable
    EXPECT_EQ(read(u"copy"_s), "1");
    EXPECT_FALSE(sys::isReadOnly(path(u"copy"_s)));
    EXPECT_TRUE(sys::isReadOnly(f));
    sys::setReadOnly(f, false);
    EXPECT_FALSE(sys::isReadOnly(f));
}

TEST_F(FileOpsTest, ClearingAnAttributeTheSystemRefusesRaises)
{
    // Files under /proc/self refuse permission changes, even for the superuser.
    const QString locked = u"/proc/self/status"_s;
    if (!sys::isReadOnly(locked))
        GTEST_SKIP() << "no read-only /proc file on this system";
    EXPECT_THROW(sys::setReadOnly(locked, false), sys::FileError);
}

TEST_F(FileOpsTest, CopyReplacesAnExistingTargetWithTheWholeSource)
{
    write(u"src"_s, QByteArray(3 * 1024 * 1024 + 7, 's'));
    write(u"dst"_s, "old contents that are longer than nothing");
    sys::copyFile(path(u"src"_s), path(u"dst"_s));
    EXPECT_EQ(read(u"dst"_s), read(u"src"_s));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// What the system refuses raises FileError and leaves the files as they were.
TEST_F(FileOpsTest, RefusedOperationsRaiseAndChangeNothing)
{
    write(u"src"_s, "new");
    write(u"dst"_s, "old");
    sys::setReadOnly(path(u"dst"_s), true);
    const QString none = path(u"none"_s);
    const std::function<void()> refused[] = {
        [&] { sys::copyFile(path(u"src"_s), path(u"dst"_s)); }, // read-only target
        [&] { sys::copyFile(none, path(u"dst2"_s)); },
        [&] { sys::copyFile(path(u"src"_s), path(u"no/such/folder/dst"_s)); },
        [&] { sys::copyFile(path(u"src"_s), m_dir.path()); },
        [&] { sys::setReadOnly(none, false); },
        [&] { sys::removeFile(none); },
        [&] { sys::removeFile(m_dir.path()); },
    };
    for (const auto& operation : refused)
        EXPECT_THROW(operation(), sys::FileError);
    EXPECT_EQ(read(u"dst"_s), "old");
    EXPECT_FALSE(sys::exists(path(u"dst2"_s)));
    EXPECT_FALSE(sys::isReadOnly(none));
    sys::removeFile(path(u"src"_s));
    EXPECT_FALSE(sys::exists(path(u"src"_s)));
}

} // namespace
