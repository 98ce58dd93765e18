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
        letters = openFile(copyTemplate(u"vemocv.MDB"_s));
    }

    db::Database letters;
};

// Tables are found by their lower-cased name against the lower-cased pattern; Jet's wildcards
// ('?' one character, '#' one digit, '*' any run) apply. The program's connection sees a table and
// a query another connection to the file made; the query test ignores letter case.
TEST_F(TableProceduresTest, TablePatternAndQueryTestsFindByLowerCasedNameWhoeverMadeThem)
{
    const std::tuple<const char*, const char*, bool> before[] = {
        {"four wildcards skip the template", "cvden????", false},
        {"star finds the template", "cvden*", true},
        {"template by name", "KehoachMau", true}};
    for (const auto& [what, pattern, expected] : before)
        EXPECT_EQ(app::hasTableLike(QString::fromLatin1(pattern), letters), expected) << what;
    ASSERT_TRUE(app::copyTableStructure(letters, letters, u"cvdenmau"_s, u"cvden2009"_s, false));
    const std::tuple<const char*, const char*, bool> after[] = {
        {"four wildcards find the year table", "cvden????", true},
        {"digits find the year table", "cvden####", true},
        {"exact name in capitals", "CVDEN2009", true},
        {"exact name of another year", "cvden2010", false},
        {"no such stem", "congvan*", false}};
    for (const auto& [what, pattern, expected] : after)
        EXPECT_EQ(app::hasTableLike(QString::fromLatin1(pattern), letters), expected) << what;

    db::Database other = openFile(letters.path());
    EXPECT_FALSE(app::hasTableLike(u"cvdi2011"_s, letters));
    EXPECT_FALSE(app::KiemtraQuery(u"qrdata1"_s, letters));
    ASSERT_TRUE(app::copyTableStructure(other, other, u"cvdimau"_s, u"cvdi2011"_s, false));
    other.createQueryDef(u"qrdata1"_s, u"select * from cvdimau"_s);
    EXPECT_TRUE(app::hasTableLike(u"cvdi2011"_s, letters));
    EXPECT_TRUE(app::KiemtraQuery(u"qrdata1"_s, letters));
    EXPECT_TRUE(app::KiemtraQuery(u"QRDATA1"_s, letters));
    EXPECT_FALSE(app::KiemtraQuery(u"qrdata"_s, letters));
    EXPECT_FALSE(app::KiemtraQuery(u"qrdata12"_s, letters));
    // A closed connection raises.
    db::Database closed;
    EXPECT_THROW(app::hasTableLike(u"*"_s, closed), db::DbError);
    EXPECT_THROW(app::KiemtraQuery(u"q"_s, closed), db::DbError);
}

// A copy has the same fields and indexes and no rows; across files its counter works.
TEST_F(TableProceduresTest, TableCopyGivesTheSameFieldsIndexesAndAWorkingCounterButNoRowsOrFalse)
{
    letters.execute(u"INSERT INTO cvdenmau (noigui) VALUES ('Sở Nội vụ')"_s);
    ASSERT_TRUE(app::copyTableStructure(letters, letters, u"cvdenmau"_s, u"cvden2009"_s, false));
    const db::TableDef source = letters.tableDef(u"cvdenmau"_s);
    const db::TableDef copy = letters.tableDef(u"cvden2009"_s);
    EXPECT_EQ(copy.name, u"cvden2009"_s);
    const auto describe = [](const db::TableDef& def) {
        QStringList lines;
        for (const db::FieldDef& f : def.fields)
            lines << u"%1 %2 %3 %4 %5"_s.arg(f.name)
                         .arg(int(f.type))
                         .arg(f.size)
                         .arg(f.attributes)
                         .arg(f.allowZeroLength);
        for (const db::IndexDef& i : def.indexes)
            lines << i.name + i.fields.join(u',') + QString::number(i.unique) + QString::number(i.primary);
        return lines;
    };
    EXPECT_EQ(describe(copy), describe(source));
    EXPECT_EQ(letters.openRecordset(u"cvden2009"_s).recordCount(), 0);
    EXPECT_EQ(letters.openRecordset(u"cvdenmau"_s).recordCount(), 1);

    // With the check, an existing table of any letter case is left alone; without it, or from a
    // table that is not there, or on a read-only connection, the copy fails with false.
    letters.execute(u"INSERT INTO cvden2009 (noigui) VALUES ('A')"_s);
    EXPECT_TRUE(app::copyTableStructure(letters, letters, u"cvdimau"_s, u"CVDEN2009"_s, true));
    EXPECT_EQ(letters.openRecordset(u"cvden2009"_s).recordCount(), 1);
    EXPECT_TRUE(letters.tableDef(u"cvden2009"_s).field(u"noigui"_s));
    EXPECT_FALSE(app::copyTableStructure(letters, letters, u"cvdenmau"_s, u"cvden2009"_s, false));
    EXPECT_FALSE(app::copyTableStructure(letters, letters, u"nosuchtable"_s, u"x2009"_s, true));
    EXPECT_FALSE(app::hasTableLike(u"x2009"_s, letters));
    db::Database readOnly = db::Database::open(letters.path(), app::kConnect, db::OpenMode::ReadOnly);
    EXPECT_FALSE(app::copyTableStructure(readOnly, readOnly, u"cvdimau"_s, u"cvdi2010"_s, false));

    const QString path = dataPath(u"empty.mdb"_s);
    db::Database target = db::Database::create(path, u"vorkelmadu"_s);
    ASSERT_TRUE(app::copyTableStructure(letters, target, u"cvdimau"_s, u"cvdi2009"_s, false));
    db::Recordset rows = target.openRecordset(u"cvdi2009"_s);
    for (int i = 0; i < 2; ++i) {
        rows.addNew();
        rows.setValue(u"so_cv"_s, QString::number(i));
        rows.update();
    }
    db::Recordset ids = target.openRecordset(u"select id from cvdi2009 order by id"_s, db::RecordsetType::Snapshot);
    ASSERT_EQ(ids.recordCount(), 2);
    const qlonglong first = ids.value(0).toLongLong();
    ids.moveNext();
    EXPECT_GT(ids.value(0).toLongLong(), first);
}

} // namespace
