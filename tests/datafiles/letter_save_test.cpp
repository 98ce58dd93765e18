#include "letters_fixture.h"

#include "datafiles/file_operation.h"
#include "platform/db/db_error.h"
#include "platform/sys/file_ops.h"

namespace {

using testing_support::LettersTest;

struct Row
{
    int flag;
    qlonglong idcu;
};

class LetterSaveTest : public LettersTest
{
protected:
    Row row(const QString& table, qlonglong id) const
    {
        db::Recordset rs =
            app::module1().dbcongvan.openRecordset(QStringLiteral("select kieuupdate, idcu from ") + table +
                                                       QStringLiteral(" where id=") + QString::number(id),
                                                   db::RecordsetType::Snapshot);
        return rs.eof() ? Row{-1, -1} : Row{rs.value(0).toInt(), rs.value(1).toLongLong()};
    }
};

TEST_F(LetterSaveTest, NewRowIsFlaggedAddedAndCarriesItsOwnId)
{
    const QString table = app::module1().bangcvden;
    const qlonglong first = addLetter(table, QStringLiteral("A"));
    const qlonglong second = addLetter(table, QStringLiteral("B"));
    EXPECT_NE(first, second);
    for (qlonglong id : {first, second}) {
        EXPECT_EQ(row(table, id).flag, 1);
        EXPECT_EQ(row(table, id).idcu, id);
    }
}

TEST_F(LetterSaveTest, SavedNewRowBecomesTheCurrentRow)
{
    app::Module1& m = app::module1();
    addLetter(m.bangcvdi, QStringLiteral("A"));
    db::Recordset rs = m.dbcongvan.openRecordset(m.bangcvdi);
    rs.moveFirst();
    rs.addNew();
    rs.setValue(QStringLiteral("tt_ndung"), QStringLiteral("B"));
    datafiles::saveLetter(m.dbcongvan, rs);
    EXPECT_EQ(rs.value(QStringLiteral("tt_ndung")).toString(), QStringLiteral("B"));
    EXPECT_EQ(rs.value(QStringLiteral("idcu")).toLongLong(), rs.value(QStringLiteral("id")).toLongLong());
    EXPECT_EQ(rs.editMode(), db::EditMode::None);
}

TEST_F(LetterSaveTest, EditedReplicatedRowIsFlaggedChanged)
{
    app::Module1& m = app::module1();
    const qlonglong id = addLetter(m.bangcvden, QStringLiteral("A"));
    m.dbcongvan.execute(QStringLiteral("update %1 set kieuupdate=0").arg(m.bangcvden));
    editLetter(m.bangcvden, id, QStringLiteral("B"));
    EXPECT_EQ(row(m.bangcvden, id).flag, 2);
    EXPECT_EQ(row(m.bangcvden, id).idcu, id);
}

TEST_F(LetterSaveTest, EditedRowNotYetReplicatedKeepsTheAddedFlag)
{
    app::Module1& m = app::module1();
    const qlonglong id = addLetter(m.bangcvden, QStringLiteral("A"));
    editLetter(m.bangcvden, id, QStringLiteral("B"));
    editLetter(m.bangcvden, id, QStringLiteral("C"));
    EXPECT_EQ(row(m.bangcvden, id).flag, 1);
}

TEST_F(LetterSaveTest, EditedRowWrittenWithoutFlagsGetsThem)
{
    app::Module1& m = app::module1();
    // A row written by an older program: no flag, no idcu.
    m.dbcongvan.execute(QStringLiteral("INSERT INTO %1 (tt_ndung) VALUES ('Cũ')").arg(m.bangcvden));
    db::Recordset ids =
        m.dbcongvan.openRecordset(QStringLiteral("select id from ") + m.bangcvden, db::RecordsetType::Snapshot);
    const qlonglong id = ids.value(0).toLongLong();
    editLetter(m.bangcvden, id, QStringLiteral("Mới"));
    EXPECT_EQ(row(m.bangcvden, id).flag, 2);
    EXPECT_EQ(row(m.bangcvden, id).idcu, id);
}

TEST_F(LetterSaveTest, SavingWithoutAddOrEditRaisesLikeUpdate)
{
    app::Module1& m = app::module1();
    db::Recordset rs = m.dbcongvan.openRecordset(m.bangcvden);
    try {
        datafiles::saveLetter(m.dbcongvan, rs);
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number(), db::errc::UpdateWithoutEdit);
    }
}

// A form that opened the letters file again by path would hand its recordset to the save with the
// program's connection: the save refuses at once, writes nothing and loses nothing typed.
TEST_F(LetterSaveTest, RecordsetOfAnotherConnectionIsRefusedAndKeepsItsValues)
{
    app::Module1& m = app::module1();
    const qlonglong saved = addLetter(m.bangcvden, QStringLiteral("Đã lưu"));
    db::Database other = openFile(m.filecongvan);
    other.setBusyTimeout(100);
    for (const bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "addNew" : "edit");
        db::Recordset rs = other.openRecordset(m.bangcvden);
        const int rows = rs.recordCount();
        if (adding) {
            rs.addNew();
            rs.setValue(QStringLiteral("so_cv"), QStringLiteral("99/UB"));
        } else {
            rs.edit();
        }
        rs.setValue(QStringLiteral("tt_ndung"), QStringLiteral("Gõ dở"));
        EXPECT_THROW(datafiles::saveLetter(m.dbcongvan, rs), std::invalid_argument);
        EXPECT_EQ(rs.editMode(), adding ? db::EditMode::AddNew : db::EditMode::Edit);
        EXPECT_EQ(rs.value(QStringLiteral("tt_ndung")).toString(), QStringLiteral("Gõ dở"));
        EXPECT_EQ(rs.recordCount(), rows);
        EXPECT_EQ(m.dbcongvan.openRecordset(m.bangcvden, db::RecordsetType::Snapshot).recordCount(), 1);
        EXPECT_EQ(row(m.bangcvden, saved).flag, 1) << "the saved row is untouched";
        // Its own connection saves it.
        datafiles::saveLetter(other, rs);
        EXPECT_EQ(rs.value(QStringLiteral("tt_ndung")).toString(), QStringLiteral("Gõ dở"));
        EXPECT_EQ(row(m.bangcvden, rs.value(QStringLiteral("id")).toLongLong()).idcu,
                  rs.value(QStringLiteral("id")).toLongLong());
        m.dbcongvan.execute(QStringLiteral("DELETE * FROM ") + m.bangcvden + QStringLiteral(" WHERE id<>") +
                            QString::number(saved));
    }
}

TEST_F(LetterSaveTest, FileOperationCopiesReplacingAndDeletes)
{
    const QString source = dataPath(QStringLiteral("a.bin"));
    const QString target = dataPath(QStringLiteral("b.bin"));
    writeFile(source, "new");
    writeFile(target, "old contents");
    datafiles::fileOperation(source, target, QStringLiteral("copy"));
    EXPECT_EQ(readFile(target), "new");
    datafiles::fileOperation(target, QString(), QStringLiteral("xoa"));
    EXPECT_FALSE(sys::exists(target));
    EXPECT_TRUE(sys::exists(source));
    // Other words do nothing, even for files that do not exist.
    datafiles::fileOperation(source, target, QStringLiteral("move"));
    datafiles::fileOperation(dataPath(QStringLiteral("none")), target, QStringLiteral("COPY"));
    EXPECT_FALSE(sys::exists(target));
    EXPECT_TRUE(sys::exists(source));
}

TEST_F(LetterSaveTest, FileOperationRaisesWhenItCannot)
{
    EXPECT_THROW(datafiles::fileOperation(dataPath(QStringLiteral("none")), dataPath(QStringLiteral("x")),
                                          QStringLiteral("copy")),
                 sys::FileError);
    EXPECT_THROW(datafiles::fileOperation(dataPath(QStringLiteral("none")), QString(), QStringLiteral("xoa")),
                 sys::FileError);
}

} // namespace
