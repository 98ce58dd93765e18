#include "data_folder_fixture.h"

#include "app/core/drive_description.h"
#include "app/core/structure_check.h"
#include "app/core/template_restore.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

TEST_F(DataFolderTest, ScratchFileOfAMillionBytesIsReplacedAndOneByteLessStays)
{
    const QString scratch = dataPath(QStringLiteral("vemotemp.MDB"));
    writeFile(scratch, QByteArray(999'999, '\0'));
    EXPECT_FALSE(app::scratchFileNeedsReplacing(scratch));
    writeFile(scratch, QByteArray(1'000'000, '\0'));
    EXPECT_TRUE(app::scratchFileNeedsReplacing(scratch));
    writeFile(scratch, QByteArray(1'000'001, '\0'));
    EXPECT_TRUE(app::scratchFileNeedsReplacing(scratch));
    EXPECT_FALSE(app::scratchFileNeedsReplacing(dataPath(QStringLiteral("none.MDB"))));
}

TEST_F(DataFolderTest, MissingLocalFilesAreRestoredAsWorkingCopiesOfAReadOnlyTemplate)
{
    sys::setReadOnly(app::module1().templatePath, true);
    for (const QString& name : app::localDataFileNames()) {
        const QString path = dataPath(name);
        ASSERT_TRUE(app::restoreFromTemplate(app::module1().templatePath, path)) << qPrintable(name);
        EXPECT_FALSE(sys::isReadOnly(path));
    }
    EXPECT_TRUE(app::isSoundDataFile(dataPath(QStringLiteral("vemocv.MDB")), QStringLiteral("vemocv")));
    EXPECT_TRUE(app::isSoundDataFile(dataPath(QStringLiteral("vemolich.MDB")), QStringLiteral("vemolich")));
    EXPECT_TRUE(app::isSoundDataFile(dataPath(QStringLiteral("vemotk.MDB")), QStringLiteral("vemotk")));
    openFile(dataPath(QStringLiteral("vemocv.MDB")))
        .execute(QStringLiteral("INSERT INTO cvdimau (so_cv) VALUES ('1')"));
}

TEST_F(DataFolderTest, RestoringFailsAndLeavesTheTargetWhenTheTemplateIsGone)
{
    const QString target = dataPath(QStringLiteral("vemotk.MDB"));
    writeFile(target, "damaged");
    app::module1().templatePath = dataPath(QStringLiteral("nothing.mdb"));
    EXPECT_FALSE(app::restoreFromTemplate(app::module1().templatePath, target));
    EXPECT_EQ(readFile(target), "damaged");
    EXPECT_TRUE(messenger.shown.isEmpty());
}

TEST_F(DataFolderTest, DataFolderOnThisMachineIsALocalHardDisk)
{
    // Test folders live on a local disk or in memory, both "Local Hard Disk".
    EXPECT_EQ(app::driveTypeDescription(dataPath(QStringLiteral("vemocv.MDB"))), QStringLiteral("Local Hard Disk"));
    EXPECT_EQ(app::driveTypeDescription(QString()), QString());
}

} // namespace
