#include "files.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

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
    write(QStringLiteral("a.bin"), QByteArray(999'999, 'x'));
    const QString file = path(QStringLiteral("a.bin"));
    EXPECT_EQ(sys::fileSize(file), 999'999);
    EXPECT_TRUE(sys::exists(file) && sys::isFile(file) && !sys::isDirectory(file));
    EXPECT_TRUE(sys::exists(m_dir.path()) && sys::isDirectory(m_dir.path()) && !sys::isFile(m_dir.path()));
    EXPECT_EQ(sys::fileSize(m_dir.path()), -1);
    for (const QString& none : {path(QStringLiteral("none.bin")), QString()}) {
        EXPECT_EQ(sys::fileSize(none), -1);
        EXPECT_FALSE(sys::exists(none));
    }
}

TEST_F(FileOpsTest, ReadOnlyAttributeIsTheOwnersWritePermission)
{
    write(QStringLiteral("f"), "1");
    const QString f = path(QStringLiteral("f"));
    EXPECT_FALSE(sys::isReadOnly(f));
    sys::setReadOnly(f, true);
    EXPECT_TRUE(sys::isReadOnly(f));
    EXPECT_FALSE(QFile::permissions(f) & QFileDevice::WriteOwner);
    EXPECT_TRUE(QFile::permissions(f) & QFileDevice::ReadOwner); // other bits kept
    sys::copyFile(f, path(QStringLiteral("copy")));              // the copy of a read-only file is writable
    EXPECT_EQ(read(QStringLiteral("copy")), "1");
    EXPECT_FALSE(sys::isReadOnly(path(QStringLiteral("copy"))));
    EXPECT_TRUE(sys::isReadOnly(f));
    sys::setReadOnly(f, false);
    EXPECT_FALSE(sys::isReadOnly(f));
}

TEST_F(FileOpsTest, ClearingAnAttributeTheSystemRefusesRaises)
{
    // Files under /proc/self refuse permission changes, even for the superuser.
    const QString locked = QStringLiteral("/proc/self/status");
    if (!sys::isReadOnly(locked))
        GTEST_SKIP() << "no read-only /proc file on this system";
    EXPECT_THROW(sys::setReadOnly(locked, false), sys::FileError);
}

TEST_F(FileOpsTest, CopyReplacesAnExistingTargetWithTheWholeSource)
{
    write(QStringLiteral("src"), QByteArray(3 * 1024 * 1024 + 7, 's'));
    write(QStringLiteral("dst"), "old contents that are longer than nothing");
    sys::copyFile(path(QStringLiteral("src")), path(QStringLiteral("dst")));
    EXPECT_EQ(read(QStringLiteral("dst")), read(QStringLiteral("src")));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// What the system refuses raises FileError and leaves the files as they were.
TEST_F(FileOpsTest, RefusedOperationsRaiseAndChangeNothing)
{
    write(QStringLiteral("src"), "new");
    write(QStringLiteral("dst"), "old");
    sys::setReadOnly(path(QStringLiteral("dst")), true);
    const QString none = path(QStringLiteral("none"));
    const std::function<void()> refused[] = {
        [&] { sys::copyFile(path(QStringLiteral("src")), path(QStringLiteral("dst"))); }, // read-only target
        [&] { sys::copyFile(none, path(QStringLiteral("dst2"))); },
        [&] { sys::copyFile(path(QStringLiteral("src")), path(QStringLiteral("no/such/folder/dst"))); },
        [&] { sys::copyFile(path(QStringLiteral("src")), m_dir.path()); },
        [&] { sys::setReadOnly(none, false); },
        [&] { sys::removeFile(none); },
        [&] { sys::removeFile(m_dir.path()); },
    };
    for (const auto& operation : refused)
        EXPECT_THROW(operation(), sys::FileError);
    EXPECT_EQ(read(QStringLiteral("dst")), "old");
    EXPECT_FALSE(sys::exists(path(QStringLiteral("dst2"))));
    EXPECT_FALSE(sys::isReadOnly(none));
    sys::removeFile(path(QStringLiteral("src")));
    EXPECT_FALSE(sys::exists(path(QStringLiteral("src"))));
}

} // namespace
