#include "data_files_fixture.h"

#include "datafiles/attachments.h"
#include "datafiles/data_import.h"
#include "datafiles/import_source.h"
#include "datafiles/reference_merge.h"
#include "datafiles/year_table_import.h"
#include "platform/db/db_error.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using datafiles::ImportOutcome;
using testing_support::DataFilesTest;

// The folder of the old files: blanks, a quote and Vietnamese letters in its name.
const QString kOldFolder = QStringLiteral("dữ liệu cũ 'năm 2007'");

class ImportTest : public DataFilesTest
{
protected:
    // An old letters file: 2007 with two incoming and one outgoing letter, 2008 with one incoming
    // letter and an empty outgoing table, and a letter in the template cvdenmau (never imported).
    void makeOldLetters()
    {
        db::Database old =
            makeDataFile(kOldFolder, QStringLiteral("vemocv.mdb"), {QStringLiteral("2007"), QStringLiteral("2008")});
        oldPath = old.path();
        insert(old, QStringLiteral("cvden2007"), letter(QStringLiteral("1/UB"), QStringLiteral("Sở Tư pháp")));
        insert(old, QStringLiteral("cvden2007"), letter(QStringLiteral("2/UB"), QStringLiteral("Bộ Nội vụ")));
        insert(old, QStringLiteral("cvdi2007"),
               {{QStringLiteral("so_cv"), QStringLiteral("7/VP")},
                {QStringLiteral("tt_ndung"), QStringLiteral("Mời họp")}});
        insert(old, QStringLiteral("cvden2008"), letter(QStringLiteral("9/UB"), QString()));
        insert(old, QStringLiteral("cvdenmau"), letter(QStringLiteral("0/UB"), QStringLiteral("mẫu")));
    }

    static QVariantMap letter(const QString& number, const QString& sender)
    {
        return {{QStringLiteral("so_cv"), number},
                {QStringLiteral("noigui"), sender.isNull() ? QVariant() : QVariant(sender)},
                {QStringLiteral("tt_ndung"), QStringLiteral("Về việc ") + number},
                {QStringLiteral("ng_den"), QStringLiteral("2007-03-05")}};
    }

    ImportOutcome import(const QString& kind, QStringList chosen = {})
    {
        if (chosen.isEmpty())
            chosen << oldPath;
        datafiles::ImportHooks hooks;
        hooks.administrator = [] { return true; };
        hooks.chooseFile = [chosen, this](const datafiles::OpenFileRequest& r) mutable {
            requests << r.title;
            return chosen.isEmpty() ? QString() : chosen.takeFirst();
        };
        hooks.working = [this](bool on) { working << on; };
        hooks.progress = [this](const QString&, int, int) {
            ++steps;
            return true;
        };
        return datafiles::importOldData(kind, hooks);
    }

    QStringList numbers(const QString& table) { return column(app::module1().letters, table, QStringLiteral("so_cv")); }

    QString oldPath;
    QStringList requests;
    QList<bool> working; // the hourglass switched on and off
    int steps = 0;       // calls of the progress window
};

TEST_F(ImportTest, TwoYearsImportThenAgainAnsweredNoAndYes)
{
    makeOldLetters();
    db::Database& cv = app::module1().letters;
    ASSERT_EQ(import(QStringLiteral("cv")), ImportOutcome::Done);
    EXPECT_EQ(requests, QStringList{QStringLiteral("Chon file cong van vemocv.mdb")});
    EXPECT_EQ(numbers(QStringLiteral("cvden2007")), (QStringList{QStringLiteral("1/UB"), QStringLiteral("2/UB")}));
    EXPECT_EQ(numbers(QStringLiteral("cvdi2007")), QStringList{QStringLiteral("7/VP")});
    EXPECT_EQ(numbers(QStringLiteral("cvden2008")), QStringList{QStringLiteral("9/UB")});
    EXPECT_FALSE(cv.hasTable(QStringLiteral("cvdi2008"))) << "an empty old table is skipped";
    EXPECT_TRUE(numbers(QStringLiteral("cvdenmau")).isEmpty()) << "the template is not imported";
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Đã nhập xong dữ liệu công văn cũ!")});
    EXPECT_EQ(working, (QList<bool>{true, false}));
    EXPECT_EQ(steps, 0) << "a data file of ours is copied without the progress window";

    // Again, answered "no": every table asked about once and kept.
    messenger.shown.clear();
    messenger.answers = {QStringLiteral("no"), QStringLiteral("no"), QStringLiteral("no")};
    ASSERT_EQ(import(QStringLiteral("cv")), ImportOutcome::Done);
    const datafiles::YearTableKind incoming = datafiles::yearTableKinds(QStringLiteral("cv")).at(0);
    EXPECT_EQ(messages().size(), 4);
    EXPECT_EQ(messages().value(0), datafiles::reimportQuestion(incoming, QStringLiteral("cvden2007")));
    EXPECT_EQ(numbers(QStringLiteral("cvden2007")).size(), 2);

    // And "yes": each table replaced, not doubled; the new rows keep their values.
    cv.execute(QStringLiteral("UPDATE cvden2007 SET tt_ndung = 'sửa' WHERE so_cv = '2/UB'"));
    messenger.shown.clear();
    ASSERT_EQ(import(QStringLiteral("cv")), ImportOutcome::Done);
    EXPECT_EQ(numbers(QStringLiteral("cvden2007")), (QStringList{QStringLiteral("1/UB"), QStringLiteral("2/UB")}));
    EXPECT_EQ(column(cv, QStringLiteral("cvden2007"), QStringLiteral("tt_ndung")).value(0),
              QStringLiteral("Về việc 1/UB"));
    EXPECT_EQ(numbers(QStringLiteral("cvdi2007")).size(), 1);
}

TEST_F(ImportTest, RefusedChoicesLeaveTheFilesAlone)
{
    makeOldLetters();
    const QString text = dataPath(QStringLiteral("ghi chú.mdb"));
    writeFile(text, "not a data file");
    const QString truncated = dataPath(QStringLiteral("cắt cụt.mdb"));
    writeFile(truncated, readFile(oldPath).left(3000));
    const QString otherPassword = dataPath(QStringLiteral("mật khẩu khác.mdb"));
    db::Database::create(otherPassword, QStringLiteral("khac")).close();
    // Files that are not data files of ours, the file in use itself, then cancel.
    EXPECT_EQ(import(QStringLiteral("cv"), {text, truncated, otherPassword, app::module1().lettersPath}),
              ImportOutcome::Cancelled);
    EXPECT_EQ(messages().mid(0, 3), QStringList(3, datafiles::importUnusableMessage()));
    EXPECT_TRUE(messages().value(3).startsWith(QStringLiteral("File dữ liệu vừa chọn chính là file đang dùng ! (")));
    EXPECT_EQ(requests.size(), 5);

    // The target outside the program folder: nothing is asked.
    messenger.shown.clear();
    requests.clear();
    app::module1().lettersPath = QStringLiteral("/elsewhere/vemocv.mdb");
    EXPECT_EQ(import(QStringLiteral("cv")), ImportOutcome::Outside);
    // The message names the real data folder as this platform writes it.
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Chỉ được phép nhập dữ liệu vào file dữ liệu đang dùng nằm trong "
                                                     "thư mục ") +
                                      QDir::toNativeSeparators(programFolder() + QStringLiteral("/data")) +
                                      QStringLiteral(" của máy tính này.")});
    EXPECT_TRUE(requests.isEmpty());
}

// The old program's Jet files are told by their content whatever their name, and imported through
// the same command. The sample Jet files hold none of the registers or lists: the import says so
// and writes nothing.
TEST_F(ImportTest, AnOldJetFileIsRecognisedByContentAndGoesThroughTheLegacyImport)
{
    makeOldLetters();
    // Beside the old letters file, under names that tell nothing.
    const QDir old = QFileInfo(oldPath).dir();
    const QString jet3 = old.filePath(QStringLiteral("số liệu cũ.txt"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/nwind-jet3.mdb"), jet3));
    const QString jet4 = old.filePath(QStringLiteral("vemolich.mdb"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/dates-jet4.mdb"), jet4));
    const QString text = old.filePath(QStringLiteral("vemotk.mdb"));
    writeFile(text, "Standard Jet DB, but only in words");

    using datafiles::SourceKind;
    EXPECT_EQ(datafiles::recogniseSource(jet3), SourceKind::JetFile);
    EXPECT_EQ(datafiles::recogniseSource(jet4), SourceKind::JetFile);
    EXPECT_EQ(datafiles::recogniseSource(oldPath), SourceKind::DataFile);
    EXPECT_EQ(datafiles::recogniseSource(text), SourceKind::NotADataFile);
    EXPECT_EQ(datafiles::recogniseSource(old.filePath(QStringLiteral("không có.mdb"))), SourceKind::Unreadable);

    app::Module1& m = app::module1();
    const QStringList tablesBefore =
        m.letters.tableNames() + m.schedule.tableNames() + m.scheduleReference.tableNames();
    const struct
    {
        const char* kind;
        QString file;
    } cases[] = {{"cv", jet3}, {"lich", jet4}, {"tk", jet3}};
    for (const auto& c : cases) {
        messenger.shown.clear();
        working.clear();
        EXPECT_EQ(import(QString::fromLatin1(c.kind), {c.file}), ImportOutcome::Failed) << c.kind;
        EXPECT_EQ(messages(), QStringList{QStringLiteral("File vừa chọn không có bảng dữ liệu nào cần nhập.")})
            << c.kind;
        EXPECT_EQ(working, (QList<bool>{true, false})) << c.kind;
    }
    EXPECT_EQ(m.letters.tableNames() + m.schedule.tableNames() + m.scheduleReference.tableNames(), tablesBefore);
}

TEST_F(ImportTest, EngineErrorLeavesTheTableBeingCopiedAsItWasAndTheDatabaseOpen)
{
    makeOldLetters();
    ASSERT_EQ(import(QStringLiteral("cv")), ImportOutcome::Done);
    db::Database& cv = app::module1().letters;
    cv.setStatementHook([](const QString& sql) {
        if (sql.contains(QLatin1String("INSERT INTO"), Qt::CaseInsensitive))
            throw db::DbError(db::errc::FileLocked, QStringLiteral("held"));
    });
    messenger.shown.clear();
    EXPECT_EQ(import(QStringLiteral("cv")), ImportOutcome::Failed); // "yes": drop, remake, copy fails
    cv.setStatementHook({});
    EXPECT_EQ(messages().last(), datafiles::importFailedMessage());
    ASSERT_TRUE(cv.isOpen());
    EXPECT_EQ(numbers(QStringLiteral("cvden2007")), (QStringList{QStringLiteral("1/UB"), QStringLiteral("2/UB")}));
}

// A year's letters bring their attachments: the files into this file's store (a content once),
// the rows naming the letters' new ids; importing the year again does not double them, and a file
// missing from the old store stops that table's import with the table as it was.
TEST_F(ImportTest, AYearBringsItsAttachmentsUnderTheLettersNewIds)
{
    makeOldLetters();
    db::Database old = db::Database::open(oldPath, app::kConnect);
    const datafiles::AttachmentStore oldStore = datafiles::AttachmentStore::besideLettersFile(oldPath);
    const auto oldFile = [&](const QString& name, const QByteArray& content) {
        const QString path = QFileInfo(oldPath).dir().filePath(name);
        writeFile(path, content);
        return path;
    };
    const QString scan = oldFile(QStringLiteral("công văn \"2\".pdf"), "%PDF-1.4\nCông văn số 2\n%%EOF\n");
    const QString invitation = oldFile(QStringLiteral("giấy mời.pdf"), "%PDF-1.4\nGiấy mời họp\n%%EOF\n");
    const QDateTime at(QDate(2007, 3, 5), QTime(8, 0));
    const QString who = QStringLiteral("Lê Thị Hoa");
    const QStringList oldIds = column(old, QStringLiteral("cvden2007"), QStringLiteral("id"));
    // The same content on both incoming letters, another on the outgoing one.
    for (const QString& id : oldIds)
        datafiles::attachFile(old, oldStore, QStringLiteral("cvden2007"), id.toLongLong(), scan, who, at);
    const datafiles::Attachment outgoing = datafiles::attachFile(
        old, oldStore, QStringLiteral("cvdi2007"),
        column(old, QStringLiteral("cvdi2007"), QStringLiteral("id")).value(0).toLongLong(), invitation, who, at);
    old.close();

    // A letter already in 2007 here, so the imported ones get other ids than they had.
    db::Database& cv = app::module1().letters;
    ASSERT_TRUE(app::copyTableStructure(cv, cv, QStringLiteral("cvdenmau"), QStringLiteral("cvden2007"), false));
    insert(cv, QStringLiteral("cvden2007"), letter(QStringLiteral("5/UB"), QStringLiteral("Sở Y tế")));
    ASSERT_EQ(import(QStringLiteral("cv")), ImportOutcome::Done) << messages().join(u'|').toStdString();

    const datafiles::AttachmentStore store = datafiles::AttachmentStore::besideLettersFile(cv.path());
    const auto attachedTo = [&](const QString& table, const QString& number) {
        QStringList found;
        const QStringList ids = column(cv, table, QStringLiteral("id"));
        const QStringList numbers = column(cv, table, QStringLiteral("so_cv"));
        for (const datafiles::Attachment& a :
             datafiles::attachmentsOf(cv, table, ids.value(numbers.indexOf(number)).toLongLong())) {
            found << a.name + QLatin1Char('|') + a.addedBy + QLatin1Char('|') +
                         (store.holds(a.hash) ? QStringLiteral("stored") : QStringLiteral("missing"));
        }
        return found;
    };
    const QString scanRow = QStringLiteral("công văn \"2\".pdf|Lê Thị Hoa|stored");
    EXPECT_EQ(attachedTo(QStringLiteral("cvden2007"), QStringLiteral("5/UB")), QStringList());
    EXPECT_EQ(attachedTo(QStringLiteral("cvden2007"), QStringLiteral("1/UB")), QStringList{scanRow});
    EXPECT_EQ(attachedTo(QStringLiteral("cvden2007"), QStringLiteral("2/UB")), QStringList{scanRow});
    EXPECT_EQ(attachedTo(QStringLiteral("cvdi2007"), QStringLiteral("7/VP")),
              QStringList{QStringLiteral("giấy mời.pdf|Lê Thị Hoa|stored")});
    EXPECT_EQ(QDir(store.folder()).entryList(QDir::Files).size(), 2) << "the same content is kept once";

    // Again, "yes" to each table: replaced, the attachments not doubled.
    messenger.shown.clear();
    ASSERT_EQ(import(QStringLiteral("cv")), ImportOutcome::Done);
    EXPECT_EQ(attachedTo(QStringLiteral("cvden2007"), QStringLiteral("2/UB")), QStringList{scanRow});
    EXPECT_EQ(datafiles::attachmentsOfTable(cv, QStringLiteral("cvden2007")).size(), 2);

    // The outgoing letter's file gone from the old store: told, that table as it was.
    ASSERT_TRUE(QFile::remove(oldStore.pathOf(outgoing.hash)));
    messenger.shown.clear();
    cv.execute(QStringLiteral("UPDATE cvdi2007 SET tt_ndung = 'sửa' WHERE so_cv = '7/VP'"));
    EXPECT_EQ(import(QStringLiteral("cv")), ImportOutcome::Failed);
    EXPECT_TRUE(
        messages().last().startsWith(QStringLiteral("Không tìm thấy tệp đính kèm \"giấy mời.pdf\" của bảng "
                                                    "cvdi2007 trong kho tệp đính kèm của file dữ liệu vừa chọn")))
        << messages().join(u'|').toStdString();
    EXPECT_TRUE(messages().last().endsWith(datafiles::importFailedMessage()));
    EXPECT_EQ(column(cv, QStringLiteral("cvdi2007"), QStringLiteral("tt_ndung")), QStringList{QStringLiteral("sửa")});
    EXPECT_EQ(attachedTo(QStringLiteral("cvdi2007"), QStringLiteral("7/VP")),
              QStringList{QStringLiteral("giấy mời.pdf|Lê Thị Hoa|stored")});
}

TEST_F(ImportTest, BlankFirstRowCountsAsImportedOnlyWhenTheTableInUseHoldsRows)
{
    db::Database old = makeDataFile(kOldFolder, QStringLiteral("vemolich.mdb"), {QStringLiteral("2007")});
    insert(old, QStringLiteral("lich2007"), {{QStringLiteral("gio"), QStringLiteral("8h")}});
    std::unique_ptr<datafiles::ImportSource> source = datafiles::openImportSource(old.path());
    ASSERT_TRUE(source);
    const datafiles::YearTableKind schedule = datafiles::yearTableKinds(QStringLiteral("lich")).at(1);
    int asked = 0;
    const auto no = [&asked](const QString&) {
        ++asked;
        return false;
    };
    db::Database& lich = app::module1().schedule;
    // The table in use missing, then empty: copied without a question.
    EXPECT_EQ(datafiles::importYearTable(*source, lich, QStringLiteral("lich2007"), schedule, no),
              datafiles::YearTableOutcome::Copied);
    lich.execute(QStringLiteral("DELETE * FROM lich2007"));
    EXPECT_EQ(datafiles::importYearTable(*source, lich, QStringLiteral("lich2007"), schedule, no),
              datafiles::YearTableOutcome::Copied);
    EXPECT_EQ(asked, 0);
    // Holding a row: asked.
    EXPECT_EQ(datafiles::importYearTable(*source, lich, QStringLiteral("lich2007"), schedule, no),
              datafiles::YearTableOutcome::Kept);
    EXPECT_EQ(asked, 1);
}

TEST(YearTableNames, OnlyYearTablesOfTheKindAreImported)
{
    const QList<datafiles::YearTableKind> cv = datafiles::yearTableKinds(QStringLiteral("cv"));
    const QList<datafiles::YearTableKind> lich = datafiles::yearTableKinds(QStringLiteral("lich"));
    struct Case
    {
        const char* table;
        const QList<datafiles::YearTableKind>* kinds;
        const char* pattern; // "" when not imported
    };
    const Case cases[] = {
        {"cvden2009", &cv, "cvden????"},
        {"CVDI2007", &cv, "cvdi????"},
        {"cvdenmau", &cv, ""},
        {"cvdimau", &cv, ""},
        {"cvden1900", &cv, ""},
        {"cvden2500", &cv, ""},
        {"cvden2499", &cv, "cvden????"},
        {"cvden20a9", &cv, ""},
        {"cvden20099", &cv, ""},
        {"lich2009", &lich, "lich????"},
        {"kehoach2009", &lich, "kehoach????"},
        {"lichmau", &lich, ""},
        {"lich2009", &cv, ""},
    };
    for (const Case& c : cases) {
        const datafiles::YearTableKind* kind = datafiles::yearTableKindOf(QString::fromLatin1(c.table), *c.kinds);
        EXPECT_EQ(kind ? kind->pattern : QString(), QString::fromLatin1(c.pattern)) << c.table;
    }
}

TEST(ImportedCriterion, BlankValuesAreLeftOutAndValuesQuoted)
{
    const QStringList columns = {QStringLiteral("noigui"), QStringLiteral("so_cv"), QStringLiteral("tt_ndung")};
    struct Case
    {
        QVariantList values;
        QString criterion;
    };
    const Case cases[] = {
        {{QStringLiteral("Sở A"), QStringLiteral("1/UB"), QStringLiteral("Về")},
         QStringLiteral("[noigui]='Sở A' and [so_cv]='1/UB' and [tt_ndung]='Về'")},
        {{QVariant(), QStringLiteral("1/UB"), QStringLiteral("Về")},
         QStringLiteral("[so_cv]='1/UB' and [tt_ndung]='Về'")},
        {{QStringLiteral("  "), QStringLiteral("O'Neil"), QString()}, QStringLiteral("[so_cv]='O''Neil'")},
        {{QVariant(), QString(), QStringLiteral(" ")}, QString()},
        {{QDate(2009, 3, 4), 7, true}, QStringLiteral("[noigui]='2009-03-04' and [so_cv]=7 and [tt_ndung]=True")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(datafiles::importedCriterion(columns, c.values), c.criterion);
}

class MergeTest : public ImportTest
{
protected:
    db::Database makeOldReference()
    {
        db::Database old = makeDataFile(kOldFolder, QStringLiteral("vemotk.mdb"));
        old.execute(QStringLiteral("DELETE * FROM loaicv"));
        old.execute(QStringLiteral("DELETE * FROM chutat"));
        oldPath = old.path();
        return old;
    }
    static QVariantMap unit(const QString& name) { return {{QStringLiteral("tendonvi"), name}}; }
    static QVariantMap department(const QString& phong, const QString& donvi)
    {
        return {{QStringLiteral("phong"), phong}, {QStringLiteral("donvi"), donvi}};
    }
};

TEST_F(MergeTest, MergeAddsMissingKeysOnceAndNullKeysDoNotStopIt)
{
    db::Database old = makeOldReference();
    insert(old, QStringLiteral("donvi"), unit(QStringLiteral("Phòng Tư pháp")));
    insert(old, QStringLiteral("donvi"), unit(QStringLiteral("Văn phòng")));
    insert(old, QStringLiteral("bophan"), department(QStringLiteral("Tổ văn thư"), QStringLiteral("Văn phòng")));
    insert(old, QStringLiteral("bophan"), department(QStringLiteral("Tổ văn thư"), QStringLiteral("Phòng Tư pháp")));
    db::Database& tk = app::module1().scheduleReference;
    insert(tk, QStringLiteral("donvi"), unit(QStringLiteral("Văn phòng")));
    insert(tk, QStringLiteral("donvi"), {{QStringLiteral("chutat"), QStringLiteral("x")}}); // tendonvi Null
    insert(tk, QStringLiteral("bophan"), department(QStringLiteral("Tổ văn thư"), QStringLiteral("Văn phòng")));

    ASSERT_EQ(import(QStringLiteral("tk")), ImportOutcome::Done);
    // The closing message says how many rows each list received.
    const QStringList lines = messages().value(0).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.value(0), QStringLiteral("(căn trái)Đã nhập xong các bảng tham khảo!"));
    for (const char* line : {"- donvi: thêm 1 dòng.", "- bophan: thêm 1 dòng.", "- chutat: thêm 0 dòng."})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(column(tk, QStringLiteral("donvi"), QStringLiteral("tendonvi")),
              (QStringList{QStringLiteral("Văn phòng"), QStringLiteral("<null>"), QStringLiteral("Phòng Tư pháp")}));
    // The same department under another unit is another department.
    EXPECT_EQ(column(tk, QStringLiteral("bophan"), QStringLiteral("donvi")),
              (QStringList{QStringLiteral("Văn phòng"), QStringLiteral("Phòng Tư pháp")}));
    EXPECT_FALSE(tk.hasTable(QStringLiteral("temp")));

    // A second merge adds nothing.
    ASSERT_EQ(import(QStringLiteral("tk")), ImportOutcome::Done);
    EXPECT_EQ(column(tk, QStringLiteral("donvi"), QStringLiteral("tendonvi")).size(), 3);
    EXPECT_EQ(column(tk, QStringLiteral("bophan"), QStringLiteral("donvi")).size(), 2);
}

TEST_F(MergeTest, AFailingListChangesNothingAndTheNextIsMerged)
{
    db::Database old = makeOldReference();
    // The old list has a column the list in use lacks.
    db::TableDef def = old.tableDef(QStringLiteral("noigui"));
    def.fields << db::FieldDef{QStringLiteral("khac"), db::FieldType::Text, 20};
    old.execute(QStringLiteral("drop table noigui"));
    old.appendTableDef(def);
    insert(old, QStringLiteral("noigui"), {{QStringLiteral("tendonvi"), QStringLiteral("Sở A")}});
    insert(old, QStringLiteral("loaicv"), {{QStringLiteral("loai"), QStringLiteral("Công điện khẩn")}});
    db::Database& tk = app::module1().scheduleReference;
    const int types = column(tk, QStringLiteral("loaicv"), QStringLiteral("loai")).size();

    ASSERT_EQ(import(QStringLiteral("tk")), ImportOutcome::Done);
    EXPECT_TRUE(messages().value(0).contains(QStringLiteral("- noigui: không nhập được, bảng giữ nguyên như trước.")))
        << messages().value(0).toStdString();
    EXPECT_TRUE(column(tk, QStringLiteral("noigui"), QStringLiteral("tendonvi")).isEmpty());
    EXPECT_FALSE(tk.hasTable(QStringLiteral("temp")));
    EXPECT_EQ(column(tk, QStringLiteral("loaicv"), QStringLiteral("loai")).size(), types + 1);
}

} // namespace
