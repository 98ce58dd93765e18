#include "app/core/letters_schema.h"
#include "common/sortkey.h"
#include "files.h"
#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_quote.h"
#include "template_builder.h"
#include "template_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString Connect = u";pwd=vorkelmadu"_s;

db::Database openTemplate(const QString& path = test::templatePath())
{
    return db::Database::open(path, Connect, db::OpenMode::ReadOnly);
}

QList<QVariantList> rowsOf(db::Database& database, const QString& table)
{
    const db::TableDef def = database.tableDef(table);
    db::Recordset rs = database.openRecordset(u"select * from "_s + db::quoteJetName(table) + u" order by "_s +
                                                  db::quoteJetName(def.fields.first().name),
                                              db::RecordsetType::Snapshot);
    QList<QVariantList> rows;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QVariantList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row << rs.value(i);
        rows << row;
    }
    return rows;
}

QString describeField(const db::FieldDef& f)
{
    return u"%1 type=%2 size=%3 attributes=%4 zeroLength=%5 required=%6"_s.arg(f.name)
        .arg(static_cast<int>(f.type))
        .arg(f.size)
        .arg(f.attributes)
        .arg(f.allowZeroLength)
        .arg(f.required);
}

// Everything a copy of the file carries: tables, columns, indexes and rows, as text.
QStringList describe(db::Database& database)
{
    QStringList lines;
    QStringList names = database.tableNames();
    names.sort(Qt::CaseInsensitive);
    for (const QString& name : names) {
        const db::TableDef def = database.tableDef(name);
        lines << u"table "_s + def.name;
        for (const db::FieldDef& f : def.fields)
            lines << u"  field "_s + describeField(f);
        for (const db::IndexDef& i : def.indexes) {
            lines << u"  index %1 (%2) unique=%3 primary=%4"_s.arg(i.name, i.fields.join(u','))
                         .arg(i.unique)
                         .arg(i.primary);
        }
        for (const QVariantList& row : rowsOf(database, name)) {
            QStringList values;
            for (const QVariant& v : row)
                values << (v.isNull() ? u"<null>"_s : v.toString());
            lines << u"  row "_s + values.join(u" | "_s);
        }
    }
    return lines;
}

const QStringList YearTemplates = {"cvdenmau", "cvdimau", "kehoachmau", "lichmau"};
const QStringList PrintTables = {"incvden", "incvdi", "inlich"};
const QStringList ReferenceTables = {"donvi", "bophan", "noigui", "loaicv", "chutat", "tendonvi", "nguoidung"};

} // namespace

TEST(Template, HoldsEveryTableTheOtherDataFilesAreCopiedForInItsShape)
{
    db::Database database = openTemplate();
    QStringList names;
    for (const QString& n : database.tableNames())
        names << n.toLower();
    names.sort();
    QStringList expected = YearTemplates + PrintTables + ReferenceTables + QStringList{"tepdinhkem"};
    expected.sort();
    EXPECT_EQ(names, expected);
    // One organisation row, no user: the first start logs in as an administrator.
    const QList<QVariantList> organisation = rowsOf(database, u"tendonvi"_s);
    ASSERT_EQ(organisation.size(), 1);
    for (const QVariant& v : organisation.first())
        EXPECT_FALSE(v.toString().trimmed().isEmpty());
    EXPECT_TRUE(rowsOf(database, u"nguoidung"_s).isEmpty());
    // The register and print tables are empty and counted by a primary counter.
    for (const QString& name : YearTemplates + PrintTables) {
        const db::TableDef def = database.tableDef(name);
        ASSERT_FALSE(def.fields.isEmpty()) << name.toStdString();
        const db::FieldDef& first = def.fields.first();
        EXPECT_EQ(std::tuple(first.name.toLower(), first.type, bool(first.attributes & db::fieldattr::AutoIncrField)),
                  std::tuple(u"id"_s, db::FieldType::Long, true))
            << name.toStdString();
        bool primaryOnId = false;
        for (const db::IndexDef& i : def.indexes)
            primaryOnId = primaryOnId || (i.primary && i.fields == QStringList{first.name});
        EXPECT_TRUE(primaryOnId) << name.toStdString();
        EXPECT_TRUE(rowsOf(database, name).isEmpty()) << name.toStdString();
    }
    // "INSERT INTO <print table> Select * from <year table>" needs the same columns in the same order
    // (the print statements themselves run in the Jet dialect's cases).
    for (const auto& [print, year] : {std::pair{"incvden", "cvdenmau"}, {"incvdi", "cvdimau"}, {"inlich", "lichmau"}}) {
        QStringList printFields, yearFields;
        for (const db::FieldDef& f : database.tableDef(QString::fromLatin1(print)).fields)
            printFields << describeField(f);
        for (const db::FieldDef& f : database.tableDef(QString::fromLatin1(year)).fields)
            yearFields << describeField(f);
        EXPECT_EQ(printFields, yearFields) << print;
    }
    // Every text column accepts empty text and none is required.
    for (const QString& name : database.tableNames()) {
        for (const db::FieldDef& f : database.tableDef(name).fields) {
            if (f.type == db::FieldType::Text || f.type == db::FieldType::Memo) {
                EXPECT_TRUE(f.allowZeroLength) << name.toStdString() << "." << f.name.toStdString();
            }
            EXPECT_FALSE(f.required) << name.toStdString() << "." << f.name.toStdString();
        }
    }
}

// Columns other parts of the program read or write by name, with the kind they rely on (L Long,
// T Text, M Memo, B Boolean). Replication copies the letters' columns by name and keys them on
// idcu and kieuupdate; plans sort on Tgianbdauchuan+Tgiankthucchuan and print left(ketqua,250);
// the schedule sorts on ngaychuan, giochuan.
TEST(Template, ColumnsTheProgramUsesByNameHaveTheirTypesAndDatesTheirKeys)
{
    const QList<QPair<const char*, const char*>> tables = {
        {"cvdenmau", "stt:L ng_den:T noigui:T so_cv:T ng_cv:T loai:T dv_nhan:M cd_dang:T mat:T time_xl:T "
                     "cv_traloi:T da_xuli:B tt_ndung:M ng_denchuan:T ng_cvchuan:T idcu:L kieuupdate:L chonin:T hanxl:T "
                     "hanxlchuan:T nguoixl:T"},
        {"cvdimau", "stt:L so_cv:T ng_cv:T loai:T dv_nhan:M noiluu:M nguoiky:T tt_ndung:M ng_cvchuan:T idcu:L "
                    "kieuupdate:L chonin:T"},
        {"kehoachmau", "Tendonvi:T iddonvi:T bophan:T idbophan:T ndungtt:M ndungct:M Tgianbdauchuan:T "
                       "Tgiankthucchuan:T ketqua:M khan:B ketthuc:B nguoicapnhat:T"},
        {"lichmau", "ngaychuan:T giochuan:T thu:T ndung:M thanhphan:M chonin:T ngaycapnhatchuan:T"},
        {"donvi", "ID:L tendonvi:T chutat:T matt:M"},
        {"bophan", "donvi:T donviid:T phong:T matt:M"},
        {"noigui", "tendonvi:T chutat:T"},
        {"loaicv", "loai:T chutat:T"},
        {"chutat", "chudu:T chutat:T"},
        {"tendonvi", "tendonvi:T tencaptren:T"},
        {"nguoidung", "hoten:T tentrenmang:T quyenhan:T matkhau:T cothesua:T"},
    };
    const QMap<QChar, db::FieldType> types = {{u'L', db::FieldType::Long},
                                              {u'T', db::FieldType::Text},
                                              {u'M', db::FieldType::Memo},
                                              {u'B', db::FieldType::Boolean}};
    db::Database database = openTemplate();
    // A file copied from the template has the letters schema of this version: it needs no upgrade.
    EXPECT_EQ(database.schemaVersion(), app::kLettersSchemaVersion);
    for (const auto& [table, columns] : tables) {
        const db::TableDef def = database.tableDef(QString::fromLatin1(table));
        for (const QString& column : QString::fromLatin1(columns).split(u' ')) {
            const db::FieldDef* f = def.field(column.chopped(2));
            ASSERT_NE(f, nullptr) << table << "." << column.toStdString();
            EXPECT_EQ(f->type, types.value(column.back())) << table << "." << column.toStdString();
        }
    }
    // Every date column has its normalised key beside it.
    int dates = 0;
    for (const QString& name : database.tableNames()) {
        const db::TableDef def = database.tableDef(name);
        for (const db::FieldDef& f : def.fields) {
            if (!f.name.endsWith(u"chuan"_s, Qt::CaseInsensitive) || f.name == u"giochuan"_s)
                continue;
            ++dates;
            const db::FieldDef* shown = def.field(f.name.chopped(5));
            ASSERT_NE(shown, nullptr) << name.toStdString() << "." << f.name.toStdString();
            EXPECT_EQ(std::pair(shown->type, f.type), std::pair(db::FieldType::Text, db::FieldType::Text));
            EXPECT_GE(shown->size, 10) << "dd/mm/yyyy in " << shown->name.toStdString();
            EXPECT_GE(f.size, 8) << "yyyymmdd in " << f.name.toStdString();
        }
    }
    EXPECT_GT(dates, 10);
}

TEST(Template, ReferenceRowsCarryTheSortKeyOfTheirNameAndUniqueAbbreviations)
{
    db::Database database = openTemplate();
    const QList<QPair<QString, QString>> lists = {
        {"donvi", "tendonvi"}, {"bophan", "phong"}, {"noigui", "tendonvi"}, {"loaicv", "loai"}, {"chutat", "chudu"}};
    int rows = 0;
    for (const auto& [table, nameColumn] : lists) {
        db::Recordset rs = database.openRecordset(table, db::RecordsetType::Snapshot);
        QSet<QString> abbreviations;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            ++rows;
            const QString name = rs.value(nameColumn).toString();
            EXPECT_FALSE(name.isEmpty()) << table.toStdString();
            EXPECT_EQ(rs.value(u"matt"_s).toString(), common::sortKey(name)) << name.toStdString();
            if (rs.hasField(u"chutat"_s)) {
                const QString abbreviation = rs.value(u"chutat"_s).toString().toLower();
                EXPECT_FALSE(abbreviation.isEmpty()) << name.toStdString();
                EXPECT_FALSE(abbreviations.contains(abbreviation)) << table.toStdString() << ": " << name.toStdString();
                abbreviations.insert(abbreviation);
            }
        }
    }
    EXPECT_GE(rows, 20); // the letter types and the abbreviations come filled in
}

TEST(TemplateBuilder, BuildingTwiceGivesTheSameTablesAndRows)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString first = dir.filePath(u"first.mdb"_s);
    const QString second = dir.filePath(u"second.mdb"_s);
    tmpl::buildTemplate(first);
    tmpl::buildTemplate(second);
    db::Database a = openTemplate(first);
    db::Database b = openTemplate(second);
    db::Database installed = openTemplate();
    const QStringList described = describe(a);
    EXPECT_GT(described.size(), 100);
    EXPECT_EQ(described, describe(b));
    EXPECT_EQ(described, describe(installed));
}

// A rebuild replaces the file and leaves no temporary file; a folder where the file should go
// (built, but cannot replace it) keeps what was there; a missing folder is not created.
TEST(TemplateBuilder, RebuildReplacesTheFileAndAFailedBuildKeepsWhatWasThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"vemogoc.mdb"_s);
    ASSERT_TRUE(test::writeFile(path, "not a data file"));
    tmpl::buildTemplate(path);
    tmpl::buildTemplate(path);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"vemogoc.mdb"_s});
    db::Database database = openTemplate(path);
    EXPECT_EQ(rowsOf(database, u"tendonvi"_s).size(), 1);
    database.close();

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"vemogoc.mdb/keep"_s));
    EXPECT_THROW(tmpl::buildTemplate(path), std::exception);
    EXPECT_TRUE(QFile::exists(path + u"/keep"_s));
    EXPECT_THROW(tmpl::buildTemplate(dir.filePath(u"missing/vemogoc.mdb"_s)), std::exception);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"missing"_s)));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(TemplateBuilder, FillStoppedByATakenNameLeavesNoTableBehind)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    db::Database database = db::Database::create(dir.filePath(u"taken.mdb"_s), tmpl::TemplatePassword);
    // lichmau comes fourth: three tables are made before the fill fails.
    db::TableDef taken;
    taken.name = u"lichmau"_s;
    taken.fields << db::FieldDef{u"x"_s};
    database.appendTableDef(taken);
    try {
        tmpl::fillTemplate(database);
        FAIL() << "the fill accepted a taken table name";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number(), db::errc::TableExists);
    }
    database.refreshTableDefs();
    EXPECT_EQ(database.tableNames().join(u',').toStdString(), "lichmau");
}
