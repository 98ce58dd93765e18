// Moving a data file to a server data set and back: identical tables, definitions, counters and
// stored queries; a failed move leaves nothing behind.
#include "../db_fixture.h"
#include "pg_server_fixture.h"
#include "template_file.h"

#include "platform/db/pg/data_set.h"
#include "platform/db/pg/data_set_copy.h"
#include "platform/db/row_reader.h"

#include <QDir>

namespace {

using namespace db::pg;
using pg_test::failureNumber;

class DataSetCopyTest : public pg_test::ServerTest
{
protected:
    // The template's text indexes are on the fold.
    static void SetUpTestSuite() { openSuite(); }

    void SetUp() override
    {
        ServerTest::SetUp();
        if (!server)
            return;
        dataset::drop(*server, u"vemocv"_s);
        db::Database& file = letters.db();
        // Five working years, with what a register holds: Vietnamese text, quotes, empty and
        // missing values, marks and numbers.
        file.beginTrans();
        for (int year = 2021; year <= 2025; ++year) {
            const QString table = u"cvden"_s + QString::number(year);
            file.execute(u"SELECT * INTO "_s + table + u" FROM cvdenmau"_s);
            for (int n = 1; n <= 40; ++n) {
                file.execute(u"INSERT INTO "_s + table +
                             u" (stt, ng_den, noigui, so_cv, tt_ndung, da_xuli, chonin, kieuupdate) VALUES ("_s +
                             QString::number(n) + u", '02/01/"_s + QString::number(year) + u"', 'Sở Nội vụ', '"_s +
                             QString::number(n) + u"/SNV', 'Về việc \"họp\" ''giao ban'' "_s + QString::number(n) +
                             u"', "_s + (n % 2 ? u"True"_s : u"False"_s) + u", "_s + (n % 3 ? u"Null"_s : u"'X'"_s) +
                             u", 1)"_s);
            }
        }
        file.commitTrans();
        // The last letter of 2025 deleted: its number is never given again, on either side.
        file.execute(u"DELETE FROM cvden2025 WHERE stt = 40"_s);
        file.createQueryDef(u"qrden2021"_s, u"SELECT * FROM cvden2021 WHERE noigui Like 'Sở*'"_s);
    }

    static QString rowsOf(const db::Database& file, const QString& sql)
    {
        db::RowReader reader(file, sql);
        QStringList rows;
        while (reader.next()) {
            QStringList cells;
            for (int i = 0; i < reader.fieldCount(); ++i)
                cells << reader.value(i).toString();
            rows << cells.join(u'|');
        }
        return rows.join(u'\n');
    }

    test::TemplateCopy letters{u"vemocv.mdb"_s};
};

// A move the server refuses a row of leaves nothing behind. The move that follows gives tables,
// definitions, counters and stored queries that come back identical; neither an existing data set
// nor an existing file is moved over.
TEST_F(DataSetCopyTest, AFailedMoveLeavesNothingAndAFileMovedThereAndBackIsIdentical)
{
    db::Database& file = letters.db();
    // A row the server refuses: a Date field that holds no date.
    file.execute(u"INSERT INTO tepdinhkem (idcv, tengoc, bam) VALUES (1, 'a.pdf', 'abc')"_s);
    QString dateField;
    for (const db::FieldDef& field : file.tableDef(u"tepdinhkem"_s).fields) {
        if (field.type == db::FieldType::Date)
            dateField = field.name;
    }
    ASSERT_FALSE(dateField.isEmpty());
    file.execute(u"UPDATE tepdinhkem SET "_s + dateField + u" = 'không phải ngày'"_s);
    try {
        copyFileToServer(file, *server, u"vemocv"_s);
        ADD_FAILURE() << "the move should have failed";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.description().startsWith(u"Máy chủ không nhận các dòng của bảng tepdinhkem: "_s))
            << e.description().toStdString();
    }
    EXPECT_FALSE(dataset::exists(*server, u"vemocv"_s));
    file.execute(u"DELETE FROM tepdinhkem"_s);

    QStringList progressed;
    const QList<TableCopied> there = copyFileToServer(file, *server, dataset::schemaFor(file.path()),
                                                      [&](const QString& table, qint64) { progressed << table; });
    ASSERT_EQ(there.size(), file.tableNames().size());
    EXPECT_TRUE(progressed.contains(u"cvden2023"_s));
    EXPECT_EQ(failureNumber([&] { copyFileToServer(file, *server, u"vemocv"_s); }), db::errc::DatabaseExists);
    EXPECT_EQ(failureNumber([&] { copyServerToFile(*server, u"vemocv"_s, file.path(), u"vorkelmadu"_s); }),
              db::errc::DatabaseExists);
    EXPECT_EQ(dataset::tableNames(*server, u"vemocv"_s), file.tableNames());

    const QString backPath = QDir(QFileInfo(file.path()).path()).filePath(u"trolai.mdb"_s);
    const QList<TableCopied> back = copyServerToFile(*server, u"vemocv"_s, backPath, u"vorkelmadu"_s);
    db::Database returned = db::Database::open(backPath, u";pwd=vorkelmadu"_s);
    ASSERT_EQ(returned.tableNames(), file.tableNames());
    for (qsizetype i = 0; i < there.size(); ++i) {
        const QString table = there[i].table;
        SCOPED_TRACE(table.toStdString());
        EXPECT_EQ(std::tie(back[i].table, back[i].checksum, back[i].rows),
                  std::tie(table, there[i].checksum, there[i].rows));
        const db::TableDef original = file.tableDef(table);
        const db::TableDef copy = returned.tableDef(table);
        EXPECT_EQ(fieldsText(copy), fieldsText(original));
        EXPECT_EQ(indexesText(copy), indexesText(original));
    }
    EXPECT_EQ(there[file.tableNames().indexOf(u"cvden2024"_s)].rows, 40);
    EXPECT_EQ(
        rowsOf(returned, u"SELECT id, stt, noigui, tt_ndung, da_xuli, chonin FROM cvden2022 WHERE stt IN (3, 4)"_s),
        rowsOf(file, u"SELECT id, stt, noigui, tt_ndung, da_xuli, chonin FROM cvden2022 WHERE stt IN (3, 4)"_s));
    EXPECT_EQ(returned.queryNames(), file.queryNames());
    EXPECT_EQ(returned.querySql(u"qrden2021"_s), file.querySql(u"qrden2021"_s));

    // The deleted letter's id is given again neither on the server nor in the file brought back.
    const qlonglong deletedId = file.openRecordset(u"SELECT max(id) FROM cvden2025"_s).value(0).toLongLong() + 1;
    EXPECT_EQ(server->query(u"insert into vemocv.cvden2025 (stt) values (41) returning id"_s).first().first(),
              deletedId + 1);
    returned.execute(u"INSERT INTO cvden2025 (stt) VALUES (41)"_s);
    EXPECT_EQ(returned.openRecordset(u"SELECT id FROM cvden2025 WHERE stt = 41"_s).value(0).toLongLong(),
              deletedId + 1);
}

} // namespace
