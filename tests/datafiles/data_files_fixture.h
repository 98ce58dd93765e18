#pragma once

// A program folder whose data folder holds the letters, schedule and reference files in use (the
// working year 2009, its tables made), open in the shared state as start-up leaves them, and
// helpers that make other data files in folders named with blanks, quotes and Vietnamese letters.

#include "../app/data_folder_fixture.h"

#include "app/core/recent_files.h"
#include "app/core/settings_files.h"
#include "app/core/table_copy.h"
#include "app/core/year_tables.h"
#include "table_rows.h"
#include "template_file.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace testing_support {

class DataFilesTest : public DataFolderTest
{
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        app::Module1& m = app::module1();
        m.lettersPath = copyTemplate(u"vemocv.MDB"_s);
        m.schedulePath = copyTemplate(u"vemolich.MDB"_s);
        m.lettersReferencePath = m.scheduleReferencePath = copyTemplate(u"vemotk.mdb"_s);
        m.referencePath = m.lettersReferencePath;
        m.letters = openFile(m.lettersPath);
        m.schedule = openFile(m.schedulePath);
        m.reference = openFile(m.referencePath);
        m.lettersReference = openFile(m.lettersReferencePath);
        m.scheduleReference = openFile(m.scheduleReferencePath);
        m.workingYear = u"2009"_s;
        m.userFullName = u"Trần Thị Bình"_s;
        m.userRights = u"QT"_s;
        ASSERT_TRUE(app::createYearTables(app::module1()));
        app::writeSysmem(app::module1());
        app::updateRecentFiles(app::module1().programFolder, u"sysmem2"_s, m.lettersPath);
        app::updateRecentFiles(app::module1().programFolder, u"sysmem3"_s, m.schedulePath);
    }

    // A copy of the template at folder/name under the program folder (folders made), writable and
    // open; with years, the four year tables of each year made from their templates.
    db::Database makeDataFile(const QString& folder, const QString& name, const QStringList& years = {})
    {
        const QDir dir(programFolder());
        EXPECT_TRUE(dir.mkpath(folder));
        db::Database db = test::copyTemplate(dir.filePath(folder + u'/' + name));
        for (const QString& year : years) {
            for (const char* stem : {"cvden", "cvdi", "kehoach", "lich"}) {
                const QString s = QString::fromLatin1(stem);
                EXPECT_TRUE(app::copyTableStructure(db, db, s + u"mau"_s, s + year, false));
            }
        }
        return db;
    }

    static constexpr auto insert = test::insertRow;
    static constexpr auto column = test::columnValues;

    QStringList messages() const
    {
        QStringList texts;
        for (const RecordingMessenger::Shown& s : messenger.shown)
            texts << s.text;
        return texts;
    }
};

} // namespace testing_support
