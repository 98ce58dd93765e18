#include "data_folder_fixture.h"

#include "app/core/reference_recordsets.h"
#include "app/core/table_pattern.h"
#include "app/core/year_tables.h"
#include "platform/db/db_error.h"
#include "table_rows.h"

namespace {

using testing_support::DataFolderTest;

class YearTablesTest : public DataFolderTest
{
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        openFreshFiles();
    }
    // Fresh copies of the template as the letters and schedule files, working year 2009.
    void openFreshFiles()
    {
        app::Module1& m = app::module1();
        m.lettersPath = copyTemplate(u"vemocv.MDB"_s);
        m.schedulePath = copyTemplate(u"vemolich.MDB"_s);
        m.letters = openFile(m.lettersPath);
        m.schedule = openFile(m.schedulePath);
        m.workingYear = u"2009"_s;
    }
};

// A missing template stops at its table with the message, the tables before it made; a file not
// open stops at the first table.
TEST_F(YearTablesTest, CreatesTheFourTablesOfTheWorkingYearBesideAnotherYearOrStopsWithTheMessage)
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
    EXPECT_EQ(m.letters.tableDef(u"cvden2009"_s).fields.size(), m.letters.tableDef(u"cvdenmau"_s).fields.size());
    EXPECT_TRUE(messenger.shown.isEmpty());

    // Made again, a year's tables keep their rows; another year's tables go beside them.
    m.letters.execute(u"INSERT INTO cvden2009 (noigui, kieuupdate) VALUES ('Bộ Tài chính', 1)"_s);
    ASSERT_TRUE(app::createYearTables(app::module1()));
    m.workingYear = u"2010"_s;
    ASSERT_TRUE(app::createYearTables(app::module1()));
    EXPECT_EQ(test::columnValues(m.letters, u"cvden2009"_s, u"noigui"_s), QStringList{"Bộ Tài chính"});
    EXPECT_TRUE(app::hasTableLike(u"cvden2010"_s, m.letters));
    EXPECT_EQ(m.outgoingTable, u"cvdi2010"_s);

    for (const bool templateGone : {true, false}) {
        SCOPED_TRACE(templateGone ? "template gone" : "schedule not open");
        openFreshFiles();
        messenger.shown.clear();
        app::Module1& m = app::module1();
        if (templateGone)
            m.letters.execute(u"DROP TABLE cvdimau"_s);
        else
            m.schedule = db::Database();
        EXPECT_FALSE(app::createYearTables(app::module1()));
        ASSERT_EQ(messenger.shown.size(), 1);
        EXPECT_EQ(messenger.shown.first().text, u"Gặp lỗi khi đang mở các bảng dữ liệu của chương trình!\r\n\r\n"
                                                "Cần kiểm tra khôi phục dữ liệu và chạy lại chương trình này!"_s);
        EXPECT_EQ(messenger.shown.first().kind, u"ok"_s);
        EXPECT_EQ(m.letters.hasTable(u"cvden2009"_s), templateGone);
    }
}

TEST_F(DataFolderTest, ReferenceRecordsetsAreSortedSnapshotsOrRaiseWhenAFileIsNotOpen)
{
    app::Module1& m = app::module1();
    m.reference = openFile(copyTemplate(u"vemotk.MDB"_s));
    EXPECT_THROW(app::openReferenceRecordsets(app::module1()), db::DbError);
    EXPECT_FALSE(m.abbreviations.isNull());
    m.lettersReference = m.reference;
    m.scheduleReference = m.reference;
    m.reference.execute(u"INSERT INTO chutat (chutat, matt) VALUES ('zz', 'zzz')"_s);
    m.reference.execute(u"INSERT INTO chutat (chutat, matt) VALUES ('aa', '000')"_s);
    app::openReferenceRecordsets(app::module1());
    for (db::Recordset* rs : {&m.abbreviations, &m.units, &m.correspondents, &m.letterTypes}) {
        ASSERT_FALSE(rs->isNull());
        EXPECT_EQ(rs->type(), db::RecordsetType::Snapshot);
        QString previous;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            const QString key = rs->value(u"matt"_s).toString();
            EXPECT_LE(previous.compare(key, Qt::CaseInsensitive), 0) << qPrintable(key);
            previous = key;
        }
    }
    QStringList order;
    for (m.abbreviations.moveFirst(); !m.abbreviations.eof(); m.abbreviations.moveNext())
        order << m.abbreviations.value(u"chutat"_s).toString();
    ASSERT_TRUE(order.contains(u"aa"_s) && order.contains(u"zz"_s));
    EXPECT_LT(order.indexOf(u"aa"_s), order.indexOf(u"zz"_s));
}

} // namespace
