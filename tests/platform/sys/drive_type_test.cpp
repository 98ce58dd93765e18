#include "platform/sys/drive_type.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A mount table in the kernel's format, with the kinds of file system the program meets.
const QString kMountInfo = u"27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                           "40 27 0:40 / /tmp rw,nosuid shared:5 - tmpfs tmpfs rw\n"
                           "41 27 0:41 / /mnt/share rw - cifs //server/letters rw,vers=3.0\n"
                           "42 27 0:42 / /mnt/nfs rw - nfs4 server:/export rw\n"
                           "43 27 0:43 / /home/vy/remote rw,nosuid - fuse.sshfs vy@host:/data rw\n"
                           "44 27 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
                           "45 27 8:17 / /media/usb\\040stick rw master:7 - vfat /dev/sdb1 rw\n"
                           "46 27 8:1 / /srv rw - ext4 /dev/sda1 rw\n"
                           "47 27 0:44 / /var/lib/docker/x rw - overlay overlay rw\n"
                           "48 27 11:1 / /media/dvd ro - udf /dev/sr1 ro\n"
                           "garbage line without the separator\n"_s;

// Only the USB stick (8:16, partition 8:17) is removable.
bool removable(const QString& device)
{
    return device == QLatin1String("8:17");
}

struct DriveCase
{
    const char* name;
    const char* path;
    sys::DriveType expected;
};

using DriveTypeTable = testing::TestWithParam<DriveCase>;

TEST_P(DriveTypeTable, PathIsClassifiedByTheMountHoldingIt)
{
    const QList<sys::MountEntry> mounts = sys::parseMountInfo(kMountInfo);
    const sys::MountEntry* mount = sys::mountFor(QString::fromUtf8(GetParam().path), mounts);
    ASSERT_NE(mount, nullptr);
    EXPECT_EQ(sys::classifyMount(*mount, removable), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Mounts, DriveTypeTable,
    ::testing::Values(DriveCase{"RootDiskIsLocal", "/opt/selvaro/data/vemocv.MDB", sys::DriveType::Fixed},
                      DriveCase{"TmpfsIsLocal", "/tmp/data/vemocv.MDB", sys::DriveType::Fixed},
                      DriveCase{"OverlayIsLocal", "/var/lib/docker/x/data/a.mdb", sys::DriveType::Fixed},
                      DriveCase{"SecondDiskIsLocal", "/srv/vemocv.mdb", sys::DriveType::Fixed},
                      DriveCase{"CifsShareIsNetwork", "/mnt/share/vemocv.mdb", sys::DriveType::Remote},
                      DriveCase{"NfsIsNetwork", "/mnt/nfs/a/b.mdb", sys::DriveType::Remote},
                      DriveCase{"SshfsIsNetwork", "/home/vy/remote/vemocv.mdb", sys::DriveType::Remote},
                      DriveCase{"Iso9660IsCdrom", "/media/cdrom/vemocv.mdb", sys::DriveType::CdRom},
                      DriveCase{"UdfIsCdrom", "/media/dvd", sys::DriveType::CdRom},
                      DriveCase{"EscapedSpaceMountOnUsbIsRemovable", "/media/usb stick/vemocv.mdb",
                                sys::DriveType::Removable},
                      DriveCase{"SiblingNameIsNotInsideTheMount", "/mnt/sharedfolder/x.mdb", sys::DriveType::Fixed},
                      DriveCase{"TheMountPointItselfBelongsToTheMount", "/mnt/share", sys::DriveType::Remote}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriveType, ParserSkipsMalformedLinesAndDecodesEscapes)
{
    const QList<sys::MountEntry> mounts = sys::parseMountInfo(kMountInfo);
    ASSERT_EQ(mounts.size(), 10);
    const sys::MountEntry& usb = mounts.at(6);
    EXPECT_EQ(QStringList({usb.mountPoint, usb.fsType, usb.device}), QStringList({"/media/usb stick", "vfat", "8:17"}));
    EXPECT_EQ(mounts.at(2).source, u"//server/letters"_s);
    const QList<sys::MountEntry> twice = sys::parseMountInfo(u"1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                                             "2 1 8:2 / /data rw - ext4 /dev/sda2 rw\n"
                                                             "3 1 0:50 / /data rw - nfs srv:/x rw\n"_s);
    const sys::MountEntry* mount = sys::mountFor(u"/data/f.mdb"_s, twice);
    ASSERT_NE(mount, nullptr);
    EXPECT_EQ(mount->fsType, u"nfs"_s); // a later mount on the same point hides the earlier
}

TEST(DriveType, NothingToJudgeGivesNoAnswer)
{
    EXPECT_EQ(sys::mountFor(u"/x"_s, {}), nullptr);
    EXPECT_EQ(sys::driveType(QString()), sys::DriveType::Unknown);
    EXPECT_EQ(sys::driveType(u"  "_s), sys::DriveType::Unknown);
    for (const char* device : {"0:40", "999:999", ""}) // no block device behind it
        EXPECT_FALSE(sys::isRemovableDevice(QString::fromUtf8(device))) << device;
    QTemporaryDir dir; // a missing file is judged by its nearest existing folder
    const sys::DriveType folder = sys::driveType(dir.path());
    EXPECT_NE(folder, sys::DriveType::Unknown);
    EXPECT_EQ(sys::driveType(dir.filePath(u"not/yet/there.mdb"_s)), folder);
}

} // namespace
