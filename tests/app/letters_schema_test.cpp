#include "app/core/due_letters.h"
#include "app/core/letters_schema.h"
#include "app/core/table_copy.h"
#include "common/dates.h"
#include "files.h"
#include "platform/db/db_error.h"
#include "table_rows.h"
#include "template_file.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kOldColumns = u"id, stt, ng_den, noigui, tt_ndung, da_xuli, time_xl, cv_traloi, chonin"_s;

// A letters file as the template made it before the handling columns: the template's incoming
// tables less those columns and their index, version 0, with letters in two years.
class OldLettersFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        path = m_dir.filePath(u"vemocv.mdb"_s);
        db::Database current = db::Database::open(test::templatePath(), u";pwd=vorkelmadu"_s, db::OpenMode::ReadOnly);
        letters = db::Database::create(path, u"vorkelmadu"_s);
        for (const auto& [table, from] : {std::pair{"cvdenmau", "cvdenmau"},
                                          {"cvden2025", "cvdenmau"},
                                          {"cvden2026", "cvdenmau"},
                                          {"incvden", "incvden"}}) {
            db::TableDef def = current.tableDef(QString::fromLatin1(from));
            def.name = QString::fromLatin1(table);
            for (const db::FieldDef& f : app::handlingColumns())
                def.fields.removeIf([&f](const db::FieldDef& g) { return g.name == f.name; });
            def.indexes.removeIf([](const db::IndexDef& i) { return i.name == app::deadlineIndex().name; });
            letters.appendTableDef(def);
        }
        current.close();
        test::insertRow(letters, u"cvden2025"_s,
                        {{"stt", 1}, {"ng_den", "29/12/2025"}, {"noigui", "Sở Tài chính"}, {"tt_ndung", "Dự toán"}});
        test::insertRow(letters, u"cvden2026"_s,
                        {{"stt", 1},
                         {"ng_den", "02/01/2026"},
                         {"noigui", "Bộ Nội vụ"},
                         {"da_xuli", "1"},
                         {"time_xl", "05/01/2026 09:00"},
                         {"cv_traloi", "3/UBND"}});
        ASSERT_EQ(letters.schemaVersion(), 0);
    }

    QStringList oldRows()
    {
        return test::tableRows(letters, u"cvden2025"_s, kOldColumns) +
               test::tableRows(letters, u"cvden2026"_s, kOldColumns);
    }

    QTemporaryDir m_dir;
    QString path;
    db::Database letters;
};

// Read-only, the old form works: nothing to upgrade, no letter due.
TEST_F(OldLettersFile, UpgradeAddsTheColumnsOnceAndKeepsTheRowsButNotOnAReadOnlyFile)
{
    letters.close();
    letters = db::Database::open(path, u";pwd=vorkelmadu"_s, db::OpenMode::ReadOnly);
    EXPECT_FALSE(app::upgradeLettersSchema(letters));
    EXPECT_EQ(letters.schemaVersion(), 0);
    EXPECT_TRUE(app::dueYearTables(letters).isEmpty());
    EXPECT_FALSE(app::countDueLetters(letters, QDate(2026, 1, 10)).any());
    letters.close();
    letters = db::Database::open(path, u";pwd=vorkelmadu"_s);

    const QStringList before = oldRows();
    ASSERT_TRUE(app::upgradeLettersSchema(letters));

    EXPECT_EQ(letters.schemaVersion(), app::kLettersSchemaVersion);
    EXPECT_EQ(oldRows(), before);
    for (const QString table : {"cvdenmau", "cvden2025", "cvden2026", "incvden"}) {
        EXPECT_TRUE(app::hasHandlingColumns(letters, table)) << table.toStdString();
        bool indexed = false;
        for (const db::IndexDef& i : letters.tableDef(table).indexes)
            indexed = indexed || i.name == app::deadlineIndex().name;
        EXPECT_EQ(indexed, table != u"incvden"_s) << table.toStdString();
    }
    EXPECT_EQ(test::tableRows(letters, u"cvden2025"_s, u"hanxl, hanxlchuan, nguoixl"_s), QStringList{"||"});
    // The new columns are checked as the others are: a deadline longer than a date is refused.
    EXPECT_THROW(letters.execute(u"UPDATE cvden2025 SET hanxl = '31/12/2025 và thêm'"_s), db::DbError);
    // The print table still takes the year table's rows column for column.
    letters.execute(u"INSERT INTO incvden SELECT * FROM cvden2026"_s);
    // A year table made later from the upgraded template has them too.
    ASSERT_TRUE(app::copyTableStructure(letters, letters, u"cvdenmau"_s, u"cvden2027"_s, true));
    EXPECT_TRUE(app::hasHandlingColumns(letters, u"cvden2027"_s));

    // Opening again changes nothing, not a byte.
    letters.close();
    const QByteArray bytes = test::readFile(path);
    letters = db::Database::open(path, u";pwd=vorkelmadu"_s);
    EXPECT_FALSE(app::upgradeLettersSchema(letters));
    letters.close();
    EXPECT_EQ(test::readFile(path), bytes);
}

// The upgrade is one transaction: failing at its last table (as a kill would stop it) leaves
// every table and the version as they were, and the next open upgrades the whole file. The due
// list of every year, on 2 January 2026: last year's letters count as this year's do, handled
// letters never, and the list runs by deadline.
TEST_F(OldLettersFile, UpgradeStoppedHalfWayLeavesTheOldFormWholeThenTheDueListReadsEveryYear)
{
    const QStringList before = oldRows();
    letters.setStatementHook([](const QString& sql) {
        if (sql.contains(u"cvden2026"_s, Qt::CaseInsensitive) && sql.startsWith(u"CREATE"_s))
            throw db::DbError(db::errc::FileLocked, u"stopped on purpose"_s);
    });
    EXPECT_THROW(app::upgradeLettersSchema(letters), db::DbError);
    EXPECT_FALSE(app::upgradeLettersSchemaOrRecord(letters));
    EXPECT_EQ(letters.schemaVersion(), 0);
    for (const QString table : {"cvdenmau", "cvden2025", "cvden2026"})
        EXPECT_FALSE(app::hasHandlingColumns(letters, table)) << table.toStdString();
    EXPECT_EQ(oldRows(), before);

    letters.setStatementHook({});
    ASSERT_TRUE(app::upgradeLettersSchema(letters));
    EXPECT_TRUE(app::hasHandlingColumns(letters, u"cvden2026"_s));

    const auto letter = [this](const char* table, int stt, const char* deadline, const QVariant& handled) {
        test::insertRow(letters, QString::fromLatin1(table),
                        {{"stt", stt},
                         {"ng_den", "20/12/2025"},
                         {"noigui", "Sở Nội vụ"},
                         {"hanxl", QString::fromLatin1(deadline)},
                         {"hanxlchuan", common::normaliseDate(QString::fromLatin1(deadline))},
                         {"da_xuli", handled}});
    };
    letter("cvden2025", 10, "31/12/2025", 0);         // overdue across New Year
    letter("cvden2025", 11, "30/12/2025", 1);         // handled: never due
    letter("cvden2026", 2, "05/01/2026", 0);          // third day ahead: due soon
    letter("cvden2026", 3, "02/01/2026", QVariant()); // today, handled flag never written: due soon
    letter("cvden2026", 4, "06/01/2026", 0);          // fourth day ahead: not yet

    const QDate today(2026, 1, 2);
    const app::DueCounts counts = app::countDueLetters(letters, today);
    EXPECT_EQ(std::pair(counts.overdue, counts.dueSoon), std::pair(1, 2));
    db::Recordset rs =
        letters.openRecordset(app::dueListSql(app::dueYearTables(letters), today), db::RecordsetType::Snapshot);
    QStringList listed;
    for (; !rs.eof(); rs.moveNext())
        listed << rs.value(u"tinhtrang"_s).toString() + u" "_s + rs.value(u"bang"_s).toString() + u"/"_s +
                      rs.value(u"stt"_s).toString();
    EXPECT_EQ(listed, (QStringList{"Quá hạn cvden2025/10", "Sắp đến hạn cvden2026/3", "Sắp đến hạn cvden2026/2"}));
    EXPECT_EQ(app::dueCountsText(counts), u"Quá hạn xử lý: 1 công văn; sắp đến hạn (3 ngày): 2 công văn"_s);
    EXPECT_TRUE(app::overdueLoginMessage(counts).startsWith(u"Có 1 công văn đến đã quá hạn xử lý"_s));
    EXPECT_TRUE(app::overdueLoginMessage(app::DueCounts{0, 2}).isEmpty());
}

} // namespace
