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
const QString kOldFolder = u"dữ liệu cũ 'năm 2007'"_s;

class ImportTest : public DataFilesTest
{
protected:
    // An old letters file: 2007 with two incoming and one outgoing letter, 2008 with one incoming
    // letter and an empty outgoing table, and a letter in the template cvdenmau (never imported).
    void makeOldLetters()
    {
        db::Database old = makeDataFile(kOldFolder, u"vemocv.mdb"_s, {u"2007"_s, u"2008"_s});
        oldPath = old.path();
        insert(old, u"cvden2007"_s, letter(u"1/UB"_s, u"Sở Tư pháp"_s));
        insert(old, u"cvden2007"_s, letter(u"2/UB"_s, u"Bộ Nội vụ"_s));
        insert(old, u"cvdi2007"_s, {{u"so_cv"_s, u"7/VP"_s}, {u"tt_ndung"_s, u"Mời họp"_s}});
        insert(old, u"cvden2008"_s, letter(u"9/UB"_s, QString()));
        insert(old, u"cvdenmau"_s, letter(u"0/UB"_s, u"mẫu"_s));
    }

    static QVariantMap letter(const QString& number, const QString& sender)
    {
        return {{u"so_cv"_s, number},
                {u"noigui"_s, sender.isNull() ? QVariant() : QVariant(sender)},
                {u"tt_ndung"_s, u"Về việc "_s + number},
                {u"ng_den"_s, u"2007-03-05"_s}};
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

    QStringList numbers(const QString& table) { return column(app::module1().letters, table, u"so_cv"_s); }

    QString oldPath;
    QStringList requests;
    QList<bool> working; // the hourglass switched on and off
    int steps = 0;       // calls of the progress window
};

TEST_F(ImportTest, TwoYearsImportThenAgainAnsweredNoAndYes)
{
    makeOldLetters();
    db::Database& cv = app::module1().letters;
    ASSERT_EQ(import(u"cv"_s), ImportOutcome::Done);
    EXPECT_EQ(requests, QStringList{u"Chon file cong van vemocv.mdb"_s});
    EXPECT_EQ(numbers(u"cvden2007"_s), (QStringList{u"1/UB"_s, u"2/UB"_s}));
    EXPECT_EQ(numbers(u"cvdi2007"_s), QStringList{u"7/VP"_s});
    EXPECT_EQ(numbers(u"cvden2008"_s), QStringList{u"9/UB"_s});
    EXPECT_FALSE(cv.hasTable(u"cvdi2008"_s)) << "an empty old table is skipped";
    EXPECT_TRUE(numbers(u"cvdenmau"_s).isEmpty()) << "the template is not imported";
    EXPECT_EQ(messages(), QStringList{u"Đã nhập xong dữ liệu công văn cũ!"_s});
    EXPECT_EQ(working, (QList<bool>{true, false}));
    EXPECT_EQ(steps, 0) << "a data file of ours is copied without the progress window";

    // Again, answered "no": every table asked about once and kept.
    messenger.shown.clear();
    messenger.answers = {u"no"_s, u"no"_s, u"no"_s};
    ASSERT_EQ(import(u"cv"_s), ImportOutcome::Done);
    const datafiles::YearTableKind incoming = datafiles::yearTableKinds(u"cv"_s).at(0);
    EXPECT_EQ(messages().size(), 4);
    EXPECT_EQ(messages().value(0), datafiles::reimportQuestion(incoming, u"cvden2007"_s));
    EXPECT_EQ(numbers(u"cvden2007"_s).size(), 2);

    // And "yes": each table replaced, not doubled; the new rows keep their values.
    cv.execute(u"UPDATE cvden2007 SET tt_ndung = 'sửa' WHERE so_cv = '2/UB'"_s);
    messenger.shown.clear();
    ASSERT_EQ(import(u"cv"_s), ImportOutcome::Done);
    EXPECT_EQ(numbers(u"cvden2007"_s), (QStringList{u"1/UB"_s, u"2/UB"_s}));
    EXPECT_EQ(column(cv, u"cvden2007"_s, u"tt_ndung"_s).value(0), u"Về việc 1/UB"_s);
    EXPECT_EQ(numbers(u"cvdi2007"_s).size(), 1);

    // "Yes" once more, the copy failing in the engine: the table as it was, the file still open.
    cv.setStatementHook([](const QString& sql) {
        if (sql.contains(u"INSERT INTO"_s, Qt::CaseInsensitive))
            throw db::DbError(db::errc::FileLocked, u"held"_s);
    });
    messenger.shown.clear();
    EXPECT_EQ(import(u"cv"_s), ImportOutcome::Failed);
    cv.setStatementHook({});
    EXPECT_EQ(messages().last(), datafiles::importFailedMessage());
    ASSERT_TRUE(cv.isOpen());
    EXPECT_EQ(numbers(u"cvden2007"_s), (QStringList{u"1/UB"_s, u"2/UB"_s}));
}

TEST_F(ImportTest, RefusedChoicesAndOldJetFilesLeaveTheFilesAlone)
{
    makeOldLetters();
    const QString text = dataPath(u"ghi chú.mdb"_s);
    writeFile(text, "not a data file");
    const QString truncated = dataPath(u"cắt cụt.mdb"_s);
    writeFile(truncated, readFile(oldPath).left(3000));
    const QString otherPassword = dataPath(u"mật khẩu khác.mdb"_s);
    db::Database::create(otherPassword, u"khac"_s).close();
    // Files that are not data files of ours, the file in use itself, then cancel.
    EXPECT_EQ(import(u"cv"_s, {text, truncated, otherPassword, app::module1().lettersPath}), ImportOutcome::Cancelled);
    EXPECT_EQ(messages().mid(0, 3), QStringList(3, datafiles::importUnusableMessage()));
    EXPECT_TRUE(messages().value(3).startsWith(u"File dữ liệu vừa chọn chính là file đang dùng ! ("_s));
    EXPECT_EQ(requests.size(), 5);

    // The old program's Jet files are told by their content whatever their name, and imported
    // through the same command. The sample Jet files hold none of the registers or lists: the
    // import says so and writes nothing. They lie beside the old letters file, under names that tell
    // nothing.
    const QDir old = QFileInfo(oldPath).dir();
    const QString jet3 = old.filePath(u"số liệu cũ.txt"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/nwind-jet3.mdb"), jet3));
    const QString jet4 = old.filePath(u"vemolich.mdb"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(SELVARO_TEST_DATA_DIR "/jet/dates-jet4.mdb"), jet4));
    const QString words = old.filePath(u"vemotk.mdb"_s);
    writeFile(words, "Standard Jet DB, but only in words");

    using datafiles::SourceKind;
    EXPECT_EQ(datafiles::recogniseSource(jet3), SourceKind::JetFile);
    EXPECT_EQ(datafiles::recogniseSource(jet4), SourceKind::JetFile);
    EXPECT_EQ(datafiles::recogniseSource(oldPath), SourceKind::DataFile);
    EXPECT_EQ(datafiles::recogniseSource(words), SourceKind::NotADataFile);
    EXPECT_EQ(datafiles::recogniseSource(old.filePath(u"không có.mdb"_s)), SourceKind::Unreadable);

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
        EXPECT_EQ(messages(), QStringList{u"File vừa chọn không có bảng dữ liệu nào cần nhập."_s}) << c.kind;
        EXPECT_EQ(working, (QList<bool>{true, false})) << c.kind;
    }
    EXPECT_EQ(m.letters.tableNames() + m.schedule.tableNames() + m.scheduleReference.tableNames(), tablesBefore);

    // The target outside the program folder: nothing is asked.
    messenger.shown.clear();
    requests.clear();
    app::module1().lettersPath = u"/elsewhere/vemocv.mdb"_s;
    EXPECT_EQ(import(u"cv"_s), ImportOutcome::Outside);
    // The message names the real data folder as this platform writes it.
    EXPECT_EQ(messages(),
              QStringList{u"Chỉ được phép nhập dữ liệu vào file dữ liệu đang dùng nằm trong "
                          "thư mục "_s +
                          QDir::toNativeSeparators(programFolder() + u"/data"_s) + u" của máy tính này."_s});
    EXPECT_TRUE(requests.isEmpty());
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
    const QString scan = oldFile(u"công văn \"2\".pdf"_s, "%PDF-1.4\nCông văn số 2\n%%EOF\n");
    const QString invitation = oldFile(u"giấy mời.pdf"_s, "%PDF-1.4\nGiấy mời họp\n%%EOF\n");
    const QDateTime at(QDate(2007, 3, 5), QTime(8, 0));
    const QString who = u"Lê Thị Hoa"_s;
    const QStringList oldIds = column(old, u"cvden2007"_s, u"id"_s);
    // The same content on both incoming letters, another on the outgoing one.
    for (const QString& id : oldIds)
        datafiles::attachFile(old, oldStore, u"cvden2007"_s, id.toLongLong(), scan, who, at);
    const datafiles::Attachment outgoing = datafiles::attachFile(
        old, oldStore, u"cvdi2007"_s, column(old, u"cvdi2007"_s, u"id"_s).value(0).toLongLong(), invitation, who, at);
    old.close();

    // A letter already in 2007 here, so the imported ones get other ids than they had.
    db::Database& cv = app::module1().letters;
    ASSERT_TRUE(app::copyTableStructure(cv, cv, u"cvdenmau"_s, u"cvden2007"_s, false));
    insert(cv, u"cvden2007"_s, letter(u"5/UB"_s, u"Sở Y tế"_s));
    ASSERT_EQ(import(u"cv"_s), ImportOutcome::Done) << messages().join(u'|').toStdString();

    const datafiles::AttachmentStore store = datafiles::AttachmentStore::besideLettersFile(cv.path());
    const auto attachedTo = [&](const QString& table, const QString& number) {
        QStringList found;
        const QStringList ids = column(cv, table, u"id"_s);
        const QStringList numbers = column(cv, table, u"so_cv"_s);
        for (const datafiles::Attachment& a :
             datafiles::attachmentsOf(cv, table, ids.value(numbers.indexOf(number)).toLongLong())) {
            found << a.name + u'|' + a.addedBy + u'|' + (store.holds(a.hash) ? u"stored"_s : u"missing"_s);
        }
        return found;
    };
    const QString scanRow = u"công văn \"2\".pdf|Lê Thị Hoa|stored"_s;
    EXPECT_EQ(attachedTo(u"cvden2007"_s, u"5/UB"_s), QStringList());
    EXPECT_EQ(attachedTo(u"cvden2007"_s, u"1/UB"_s), QStringList{scanRow});
    EXPECT_EQ(attachedTo(u"cvden2007"_s, u"2/UB"_s), QStringList{scanRow});
    EXPECT_EQ(attachedTo(u"cvdi2007"_s, u"7/VP"_s), QStringList{u"giấy mời.pdf|Lê Thị Hoa|stored"_s});
    EXPECT_EQ(QDir(store.folder()).entryList(QDir::Files).size(), 2) << "the same content is kept once";

    // Again, "yes" to each table: replaced, the attachments not doubled.
    messenger.shown.clear();
    ASSERT_EQ(import(u"cv"_s), ImportOutcome::Done);
    EXPECT_EQ(attachedTo(u"cvden2007"_s, u"2/UB"_s), QStringList{scanRow});
    EXPECT_EQ(datafiles::attachmentsOfTable(cv, u"cvden2007"_s).size(), 2);

    // The outgoing letter's file gone from the old store: told, that table as it was.
    ASSERT_TRUE(QFile::remove(oldStore.pathOf(outgoing.hash)));
    messenger.shown.clear();
    cv.execute(u"UPDATE cvdi2007 SET tt_ndung = 'sửa' WHERE so_cv = '7/VP'"_s);
    EXPECT_EQ(import(u"cv"_s), ImportOutcome::Failed);
    EXPECT_TRUE(messages().last().startsWith(u"Không tìm thấy tệp đính kèm \"giấy mời.pdf\" của bảng "
                                             "cvdi2007 trong kho tệp đính kèm của file dữ liệu vừa chọn"_s))
        << messages().join(u'|').toStdString();
    EXPECT_TRUE(messages().last().endsWith(datafiles::importFailedMessage()));
    EXPECT_EQ(column(cv, u"cvdi2007"_s, u"tt_ndung"_s), QStringList{u"sửa"_s});
    EXPECT_EQ(attachedTo(u"cvdi2007"_s, u"7/VP"_s), QStringList{u"giấy mời.pdf|Lê Thị Hoa|stored"_s});
}

TEST_F(ImportTest, BlankFirstRowCountsAsImportedOnlyWhenTheTableInUseHoldsRows)
{
    db::Database old = makeDataFile(kOldFolder, u"vemolich.mdb"_s, {u"2007"_s});
    insert(old, u"lich2007"_s, {{u"gio"_s, u"8h"_s}});
    std::unique_ptr<datafiles::ImportSource> source = datafiles::openImportSource(old.path());
    ASSERT_TRUE(source);
    const datafiles::YearTableKind schedule = datafiles::yearTableKinds(u"lich"_s).at(1);
    int asked = 0;
    const auto no = [&asked](const QString&) {
        ++asked;
        return false;
    };
    db::Database& lich = app::module1().schedule;
    // The table in use missing, then empty: copied without a question.
    EXPECT_EQ(datafiles::importYearTable(*source, lich, u"lich2007"_s, schedule, no),
              datafiles::YearTableOutcome::Copied);
    lich.execute(u"DELETE * FROM lich2007"_s);
    EXPECT_EQ(datafiles::importYearTable(*source, lich, u"lich2007"_s, schedule, no),
              datafiles::YearTableOutcome::Copied);
    EXPECT_EQ(asked, 0);
    // Holding a row: asked.
    EXPECT_EQ(datafiles::importYearTable(*source, lich, u"lich2007"_s, schedule, no),
              datafiles::YearTableOutcome::Kept);
    EXPECT_EQ(asked, 1);
}

TEST(YearTableNames, OnlyYearTablesOfTheKindAreImported)
{
    const QList<datafiles::YearTableKind> cv = datafiles::yearTableKinds(u"cv"_s);
    const QList<datafiles::YearTableKind> lich = datafiles::yearTableKinds(u"lich"_s);
    // a table, the kinds looked in, the pattern it is imported by ("" when not imported)
    const std::tuple<const char*, const QList<datafiles::YearTableKind>*, const char*> cases[] = {
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
    for (const auto& [table, kinds, pattern] : cases) {
        const datafiles::YearTableKind* kind = datafiles::yearTableKindOf(QString::fromLatin1(table), *kinds);
        EXPECT_EQ(kind ? kind->pattern : QString(), QString::fromLatin1(pattern)) << table;
    }
}

TEST(ImportedCriterion, BlankValuesAreLeftOutAndValuesQuoted)
{
    const QStringList columns = {u"noigui"_s, u"so_cv"_s, u"tt_ndung"_s};
    // the values of the columns, the criterion that finds them
    const std::pair<QVariantList, QString> cases[] = {
        {{u"Sở A"_s, u"1/UB"_s, u"Về"_s}, u"[noigui]='Sở A' and [so_cv]='1/UB' and [tt_ndung]='Về'"_s},
        {{QVariant(), u"1/UB"_s, u"Về"_s}, u"[so_cv]='1/UB' and [tt_ndung]='Về'"_s},
        {{u"  "_s, u"O'Neil"_s, QString()}, u"[so_cv]='O''Neil'"_s},
        {{QVariant(), QString(), u" "_s}, QString()},
        {{QDate(2009, 3, 4), 7, true}, u"[noigui]='2009-03-04' and [so_cv]=7 and [tt_ndung]=True"_s},
    };
    for (const auto& [values, criterion] : cases)
        EXPECT_EQ(datafiles::importedCriterion(columns, values), criterion);
}

// Merging the old reference lists: missing keys added once, Null keys no stop, and a list that
// fails changes nothing while the lists after it are merged.
TEST_F(ImportTest, ReferenceListsMergeMissingKeysOnceAndAFailingListChangesNothing)
{
    db::Database old = makeDataFile(kOldFolder, u"vemotk.mdb"_s);
    old.execute(u"DELETE * FROM loaicv"_s);
    old.execute(u"DELETE * FROM chutat"_s);
    oldPath = old.path();
    const auto unit = [](const QString& name) { return QVariantMap{{u"tendonvi"_s, name}}; };
    const auto department = [](const QString& phong, const QString& donvi) {
        return QVariantMap{{u"phong"_s, phong}, {u"donvi"_s, donvi}};
    };
    insert(old, u"donvi"_s, unit(u"Phòng Tư pháp"_s));
    insert(old, u"donvi"_s, unit(u"Văn phòng"_s));
    insert(old, u"bophan"_s, department(u"Tổ văn thư"_s, u"Văn phòng"_s));
    insert(old, u"bophan"_s, department(u"Tổ văn thư"_s, u"Phòng Tư pháp"_s));
    // The old list of senders has a column the list in use lacks.
    db::TableDef def = old.tableDef(u"noigui"_s);
    def.fields << db::FieldDef{u"khac"_s, db::FieldType::Text, 20};
    old.execute(u"drop table noigui"_s);
    old.appendTableDef(def);
    insert(old, u"noigui"_s, unit(u"Sở A"_s));
    insert(old, u"loaicv"_s, {{u"loai"_s, u"Công điện khẩn"_s}});
    db::Database& tk = app::module1().scheduleReference;
    insert(tk, u"donvi"_s, unit(u"Văn phòng"_s));
    insert(tk, u"donvi"_s, {{u"chutat"_s, u"x"_s}}); // tendonvi Null
    insert(tk, u"bophan"_s, department(u"Tổ văn thư"_s, u"Văn phòng"_s));
    const int types = column(tk, u"loaicv"_s, u"loai"_s).size();

    ASSERT_EQ(import(u"tk"_s), ImportOutcome::Done);
    // The closing message says how many rows each list received.
    const QStringList lines = messages().value(0).split(u"\r\n"_s);
    EXPECT_EQ(lines.value(0), u"(căn trái)Đã nhập xong các bảng tham khảo!"_s);
    for (const char* line : {"- donvi: thêm 1 dòng.", "- bophan: thêm 1 dòng.", "- chutat: thêm 0 dòng.",
                             "- loaicv: thêm 1 dòng.", "- noigui: không nhập được, bảng giữ nguyên như trước."})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << lines.join(u'\n').toStdString();
    EXPECT_EQ(column(tk, u"donvi"_s, u"tendonvi"_s), (QStringList{u"Văn phòng"_s, u"<null>"_s, u"Phòng Tư pháp"_s}));
    // The same department under another unit is another department.
    EXPECT_EQ(column(tk, u"bophan"_s, u"donvi"_s), (QStringList{u"Văn phòng"_s, u"Phòng Tư pháp"_s}));
    EXPECT_TRUE(column(tk, u"noigui"_s, u"tendonvi"_s).isEmpty());
    EXPECT_EQ(column(tk, u"loaicv"_s, u"loai"_s).size(), types + 1);
    EXPECT_FALSE(tk.hasTable(u"temp"_s));

    // A second merge adds nothing.
    ASSERT_EQ(import(u"tk"_s), ImportOutcome::Done);
    EXPECT_EQ(column(tk, u"donvi"_s, u"tendonvi"_s).size(), 3);
    EXPECT_EQ(column(tk, u"bophan"_s, u"donvi"_s).size(), 2);
    EXPECT_EQ(column(tk, u"loaicv"_s, u"loai"_s).size(), types + 1);
}

} // namespace
