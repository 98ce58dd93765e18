#include "data_folder_fixture.h"

#include "app/core/drive_description.h"
#include "app/core/structure_check.h"
#include "app/core/template_restore.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::DataFolderTest;

TEST_F(DataFolderTest, ScratchFileOfAMillionBytesIsReplacedAndOneByteLessStays)
{
    const QString scratch = dataPath(u"vemotemp.MDB"_s);
    for (const auto& [size, replaced] : {std::pair{999'999, false}, {1'000'000, true}, {1'000'001, true}}) {
        writeFile(scratch, QByteArray(size, '\0'));
        EXPECT_EQ(app::scratchFileNeedsReplacing(scratch), replaced) << size;
    }
    EXPECT_FALSE(app::scratchFileNeedsReplacing(dataPath(u"none.MDB"_s)));
}

TEST_F(DataFolderTest, MissingLocalFilesAreRestoredAsWorkingCopiesOfAReadOnlyTemplateButNotOfAMissingOne)
{
    sys::setReadOnly(app::module1().templatePath, true);
    for (const QString& name : app::localDataFileNames()) {
        const QString path = dataPath(name);
        ASSERT_TRUE(app::restoreFromTemplate(app::module1().templatePath, path)) << qPrintable(name);
        EXPECT_FALSE(sys::isReadOnly(path));
    }
    for (const QString kind : {"vemocv", "vemolich", "vemotk"})
        EXPECT_TRUE(app::isSoundDataFile(dataPath(kind + u".MDB"_s), kind)) << kind.toStdString();
    openFile(dataPath(u"vemocv.MDB"_s)).execute(u"INSERT INTO cvdimau (so_cv) VALUES ('1')"_s);

    // With the template gone, restoring fails quietly and leaves the target as it was.
    const QString target = dataPath(u"vemotk.MDB"_s);
    writeFile(target, "damaged");
    app::module1().templatePath = dataPath(u"nothing.mdb"_s);
    EXPECT_FALSE(app::restoreFromTemplate(app::module1().templatePath, target));
    EXPECT_EQ(readFile(target), "damaged");
    EXPECT_TRUE(messenger.shown.isEmpty());
}

TEST_F(DataFolderTest, DataFolderOnThisMachineIsALocalHardDisk)
{
    // Test folders live on a local disk or in memory, both "Local Hard Disk".
    EXPECT_EQ(app::driveTypeDescription(dataPath(u"vemocv.MDB"_s)), u"Local Hard Disk"_s);
    EXPECT_EQ(app::driveTypeDescription(QString()), QString());
}

} // namespace
