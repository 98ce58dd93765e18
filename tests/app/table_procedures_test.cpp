#include "data_folder_fixture.h"

#include "app/core/kiemtra_query.h"
#include "app/core/table_copy.h"
#include "app/core/table_pattern.h"
#include "platform/db/db_error.h"

namespace {

using testing_support::DataFolderTest;

class TableProceduresTest : public DataFolderTest
{
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        letters = openFile(copyTemplate(QStringLiteral("vemocv.MDB")));
    }

    db::Database letters;
};

// Tables are found by their lower-cased name against the lower-cased pattern; Jet's wildcards
// ('?' one character, '#' one digit, '*' any run) apply.
TEST_F(TableProceduresTest, TablePatternFindsTablesByLowerCasedPattern)
{
    const std::tuple<const char*, const char*, bool> before[] = {
        {"four wildcards skip the template", "cvden????", false},
        {"star finds the template", "cvden*", true},
        {"template by name", "KehoachMau", true}};
    for (const auto& [what, pattern, expected] : before)
        EXPECT_EQ(app::hasTableLike(QString::fromLatin1(pattern), letters), expected) << what;
    ASSERT_TRUE(
        app::copyTableStructure(letters, letters, QStringLiteral("cvdenmau"), QStringLiteral("cvden2009"), false));
    const std::tuple<const char*, const char*, bool> after[] = {
        {"four wildcards find the year table", "cvden????", true},
        {"digits find the year table", "cvden####", true},
        {"exact name in capitals", "CVDEN2009", true},
        {"exact name of another year", "cvden2010", false},
        {"no such stem", "congvan*", false}};
    for (const auto& [what, pattern, expected] : after)
        EXPECT_EQ(app::hasTableLike(QString::fromLatin1(pattern), letters), expected) << what;
}

TEST_F(TableProceduresTest, TableCopyGivesTheSameFieldsAndIndexesAndNoRowsOrFalse)
{
    db::Recordset rows = letters.openRecordset(QStringLiteral("cvdenmau"));
    rows.addNew();
    rows.setValue(QStringLiteral("noigui"), QStringLiteral("Sở Nội vụ"));
    rows.update();
    rows.close();

    ASSERT_TRUE(
        app::copyTableStructure(letters, letters, QStringLiteral("cvdenmau"), QStringLiteral("cvden2009"), false));
    const db::TableDef source = letters.tableDef(QStringLiteral("cvdenmau"));
    const db::TableDef copy = letters.tableDef(QStringLiteral("cvden2009"));
    EXPECT_EQ(copy.name, QStringLiteral("cvden2009"));
    const auto describe = [](const db::TableDef& def) {
        QStringList lines;
        for (const db::FieldDef& f : def.fields)
            lines << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(f.name)
                         .arg(int(f.type))
                         .arg(f.size)
                         .arg(f.attributes)
                         .arg(f.allowZeroLength);
        for (const db::IndexDef& i : def.indexes)
            lines << i.name + i.fields.join(u',') + QString::number(i.unique) + QString::number(i.primary);
        return lines;
    };
    EXPECT_EQ(describe(copy), describe(source));
    EXPECT_EQ(letters.openRecordset(QStringLiteral("cvden2009")).recordCount(), 0);
    EXPECT_EQ(letters.openRecordset(QStringLiteral("cvdenmau")).recordCount(), 1);

    // With the check, an existing table of any letter case is left alone; without it, or from a
    // table that is not there, or on a read-only connection, the copy fails with false.
    letters.execute(QStringLiteral("INSERT INTO cvden2009 (noigui) VALUES ('A')"));
    EXPECT_TRUE(
        app::copyTableStructure(letters, letters, QStringLiteral("cvdimau"), QStringLiteral("CVDEN2009"), true));
    EXPECT_EQ(letters.openRecordset(QStringLiteral("cvden2009")).recordCount(), 1);
    EXPECT_TRUE(letters.tableDef(QStringLiteral("cvden2009")).field(QStringLiteral("noigui")));
    EXPECT_FALSE(
        app::copyTableStructure(letters, letters, QStringLiteral("cvdenmau"), QStringLiteral("cvden2009"), false));
    EXPECT_FALSE(
        app::copyTableStructure(letters, letters, QStringLiteral("nosuchtable"), QStringLiteral("x2009"), true));
    EXPECT_FALSE(app::hasTableLike(QStringLiteral("x2009"), letters));
    db::Database readOnly = db::Database::open(letters.path(), app::kConnect, db::OpenMode::ReadOnly);
    EXPECT_FALSE(
        app::copyTableStructure(readOnly, readOnly, QStringLiteral("cvdimau"), QStringLiteral("cvdi2010"), false));
}

TEST_F(TableProceduresTest, TableCopyAcrossFilesMakesAWorkingCounter)
{
    const QString path = dataPath(QStringLiteral("empty.mdb"));
    db::Database target = db::Database::create(path, QStringLiteral("vorkelmadu"));
    ASSERT_TRUE(app::copyTableStructure(letters, target, QStringLiteral("cvdimau"), QStringLiteral("cvdi2009"), false));
    db::Recordset rows = target.openRecordset(QStringLiteral("cvdi2009"));
    for (int i = 0; i < 2; ++i) {
        rows.addNew();
        rows.setValue(QStringLiteral("so_cv"), QString::number(i));
        rows.update();
    }
    db::Recordset ids =
        target.openRecordset(QStringLiteral("select id from cvdi2009 order by id"), db::RecordsetType::Snapshot);
    ASSERT_EQ(ids.recordCount(), 2);
    const qlonglong first = ids.value(0).toLongLong();
    ids.moveNext();
    EXPECT_GT(ids.value(0).toLongLong(), first);
}

// The program's connection sees a table and a query another connection to the file made; the
// query test ignores letter case.
TEST_F(TableProceduresTest, PatternAndQueryTestsSeeWhatAnotherConnectionMade)
{
    db::Database other = openFile(letters.path());
    EXPECT_FALSE(app::hasTableLike(QStringLiteral("cvdi2011"), letters));
    EXPECT_FALSE(app::KiemtraQuery(QStringLiteral("qrdata1"), letters));
    ASSERT_TRUE(app::copyTableStructure(other, other, QStringLiteral("cvdimau"), QStringLiteral("cvdi2011"), false));
    other.createQueryDef(QStringLiteral("qrdata1"), QStringLiteral("select * from cvdimau"));
    EXPECT_TRUE(app::hasTableLike(QStringLiteral("cvdi2011"), letters));
    EXPECT_TRUE(app::KiemtraQuery(QStringLiteral("qrdata1"), letters));
    EXPECT_TRUE(app::KiemtraQuery(QStringLiteral("QRDATA1"), letters));
    EXPECT_FALSE(app::KiemtraQuery(QStringLiteral("qrdata"), letters));
    EXPECT_FALSE(app::KiemtraQuery(QStringLiteral("qrdata12"), letters));
}

TEST(TablePatternTest, ClosedDatabaseRaises)
{
    db::Database closed;
    EXPECT_THROW(app::hasTableLike(QStringLiteral("*"), closed), db::DbError);
    EXPECT_THROW(app::KiemtraQuery(QStringLiteral("q"), closed), db::DbError);
}

} // namespace
