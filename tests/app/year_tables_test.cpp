#include "data_folder_fixture.h"

#include "app/core/reference_recordsets.h"
#include "app/core/table_pattern.h"
#include "app/core/year_tables.h"
#include "platform/db/db_error.h"

namespace {

using testing_support::DataFolderTest;

class YearTablesTest : public DataFolderTest
{
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        app::Module1& m = app::module1();
        m.lettersPath = copyTemplate(QStringLiteral("vemocv.MDB"));
        m.schedulePath = copyTemplate(QStringLiteral("vemolich.MDB"));
        m.letters = openFile(m.lettersPath);
        m.schedule = openFile(m.schedulePath);
        m.workingYear = QStringLiteral("2009");
    }
};

TEST_F(YearTablesTest, CreatesTheFourTablesOfTheWorkingYearAndKeepsThemBesideAnotherYear)
{
    app::Module1& m = app::module1();
    ASSERT_TRUE(app::createYearTables(app::module1()));
    EXPECT_EQ((QStringList{m.incomingTable, m.outgoingTable, m.plansTable, m.scheduleTable}),
              (QStringList{"cvden2009", "cvdi2009", "kehoach2009", "lich2009"}));
    // Each in its own file only.
    for (const char* table : {"cvden2009", "cvdi2009", "kehoach2009", "lich2009"}) {
        const bool letters = table[0] == 'c';
        EXPECT_EQ(m.letters.hasTable(QString::fromLatin1(table)), letters) << table;
        EXPECT_EQ(m.schedule.hasTable(QString::fromLatin1(table)), !letters) << table;
    }
    EXPECT_EQ(m.letters.tableDef(QStringLiteral("cvden2009")).fields.size(),
              m.letters.tableDef(QStringLiteral("cvdenmau")).fields.size());
    EXPECT_TRUE(messenger.shown.isEmpty());

    // Made again, a year's tables keep their rows; another year's tables go beside them.
    m.letters.execute(QStringLiteral("INSERT INTO cvden2009 (noigui, kieuupdate) VALUES ('Bộ Tài chính', 1)"));
    ASSERT_TRUE(app::createYearTables(app::module1()));
    m.workingYear = QStringLiteral("2010");
    ASSERT_TRUE(app::createYearTables(app::module1()));
    db::Recordset rows = m.letters.openRecordset(QStringLiteral("cvden2009"), db::RecordsetType::Snapshot);
    ASSERT_EQ(rows.recordCount(), 1);
    EXPECT_EQ(rows.value(QStringLiteral("noigui")).toString(), QStringLiteral("Bộ Tài chính"));
    EXPECT_TRUE(app::hasTableLike(QStringLiteral("cvden2010"), m.letters));
    EXPECT_EQ(m.outgoingTable, QStringLiteral("cvdi2010"));
}

TEST_F(YearTablesTest, MissingTemplateStopsWithTheMessage)
{
    app::Module1& m = app::module1();
    m.letters.execute(QStringLiteral("DROP TABLE cvdimau"));
    EXPECT_FALSE(app::createYearTables(app::module1()));
    ASSERT_EQ(messenger.shown.size(), 1);
    EXPECT_EQ(messenger.shown.first().text,
              QStringLiteral("Gặp lỗi khi đang mở các bảng dữ liệu của chương trình!\r\n\r\n"
                             "Cần kiểm tra khôi phục dữ liệu và chạy lại chương trình này!"));
    EXPECT_EQ(messenger.shown.first().kind, QStringLiteral("ok"));
    // The tables before the failure were made.
    EXPECT_TRUE(m.letters.hasTable(QStringLiteral("cvden2009")));
}

TEST_F(YearTablesTest, DatabaseNotOpenStopsAtTheFirstTable)
{
    app::Module1& m = app::module1();
    m.schedule = db::Database();
    EXPECT_FALSE(app::createYearTables(app::module1()));
    EXPECT_EQ(messenger.shown.size(), 1);
    EXPECT_FALSE(m.letters.hasTable(QStringLiteral("cvden2009")));
}

TEST_F(DataFolderTest, ReferenceRecordsetsAreSortedSnapshotsOfTheirFiles)
{
    app::Module1& m = app::module1();
    m.reference = openFile(copyTemplate(QStringLiteral("vemotk.MDB")));
    m.lettersReference = m.reference;
    m.scheduleReference = m.reference;
    m.reference.execute(QStringLiteral("INSERT INTO chutat (chutat, matt) VALUES ('zz', 'zzz')"));
    m.reference.execute(QStringLiteral("INSERT INTO chutat (chutat, matt) VALUES ('aa', '000')"));
    app::openReferenceRecordsets(app::module1());
    for (db::Recordset* rs : {&m.abbreviations, &m.units, &m.correspondents, &m.letterTypes}) {
        ASSERT_FALSE(rs->isNull());
        EXPECT_EQ(rs->type(), db::RecordsetType::Snapshot);
        QString previous;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            const QString key = rs->value(QStringLiteral("matt")).toString();
            EXPECT_LE(previous.compare(key, Qt::CaseInsensitive), 0) << qPrintable(key);
            previous = key;
        }
    }
    QStringList order;
    for (m.abbreviations.moveFirst(); !m.abbreviations.eof(); m.abbreviations.moveNext())
        order << m.abbreviations.value(QStringLiteral("chutat")).toString();
    ASSERT_TRUE(order.contains(QStringLiteral("aa")) && order.contains(QStringLiteral("zz")));
    EXPECT_LT(order.indexOf(QStringLiteral("aa")), order.indexOf(QStringLiteral("zz")));
}

TEST_F(DataFolderTest, ReferenceRecordsetsRaiseWhenAFileIsNotOpen)
{
    app::Module1& m = app::module1();
    m.reference = openFile(copyTemplate(QStringLiteral("vemotk.MDB")));
    EXPECT_THROW(app::openReferenceRecordsets(app::module1()), db::DbError);
    EXPECT_FALSE(m.abbreviations.isNull());
}

} // namespace
