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
        db::Recordset rs = app::module1().letters.openRecordset(u"select kieuupdate, idcu from "_s + table +
                                                                    u" where id="_s + QString::number(id),
                                                                db::RecordsetType::Snapshot);
        return rs.eof() ? Row{-1, -1} : Row{rs.value(0).toInt(), rs.value(1).toLongLong()};
    }
};

// kieuupdate 1: added since the last replication, 2: changed after it; idcu is the row's own id.
TEST_F(LetterSaveTest, SavedRowsCarryTheirReplicationFlagAndOwnId)
{
    app::Module1& m = app::module1();
    const QString table = m.incomingTable;
    const qlonglong first = addLetter(table, u"A"_s);
    const qlonglong second = addLetter(table, u"B"_s);
    EXPECT_NE(first, second);
    editLetter(table, second, u"B2"_s); // not yet replicated: stays added
    for (qlonglong id : {first, second}) {
        EXPECT_EQ(row(table, id).flag, 1);
        EXPECT_EQ(row(table, id).idcu, id);
    }
    m.letters.execute(u"update "_s + table + u" set kieuupdate=0 where id="_s + QString::number(first));
    editLetter(table, first, u"A2"_s);
    EXPECT_EQ(row(table, first).flag, 2);
    // A row written by an older program, without flag or idcu, gets both when edited.
    m.letters.execute(u"INSERT INTO "_s + table + u" (tt_ndung) VALUES ('Cũ')"_s);
    db::Recordset old =
        m.letters.openRecordset(u"select id from "_s + table + u" where idcu is null"_s, db::RecordsetType::Snapshot);
    const qlonglong id = old.value(0).toLongLong();
    editLetter(table, id, u"Mới"_s);
    EXPECT_EQ(row(table, id).flag, 2);
    EXPECT_EQ(row(table, id).idcu, id);

    // A new row added while on another row becomes the current row once saved.
    addLetter(m.outgoingTable, u"A"_s);
    db::Recordset rs = m.letters.openRecordset(m.outgoingTable);
    rs.moveFirst();
    rs.addNew();
    rs.setValue(u"tt_ndung"_s, u"B"_s);
    datafiles::saveLetter(m.letters, rs);
    EXPECT_EQ(rs.value(u"tt_ndung"_s).toString(), u"B"_s);
    EXPECT_EQ(rs.value(u"idcu"_s).toLongLong(), rs.value(u"id"_s).toLongLong());
    EXPECT_EQ(rs.editMode(), db::EditMode::None);
}

// A form that opened the letters file again by path would hand its recordset to the save with the
// program's connection: the save refuses at once, writes nothing and loses nothing typed.
TEST_F(LetterSaveTest, RecordsetOfAnotherConnectionIsRefusedAndKeepsItsValues)
{
    app::Module1& m = app::module1();
    const qlonglong saved = addLetter(m.incomingTable, u"Đã lưu"_s);
    db::Database other = openFile(m.lettersPath);
    other.setBusyTimeout(100);
    for (const bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "addNew" : "edit");
        db::Recordset rs = other.openRecordset(m.incomingTable);
        const int rows = rs.recordCount();
        if (adding) {
            rs.addNew();
            rs.setValue(u"so_cv"_s, u"99/UB"_s);
        } else {
            rs.edit();
        }
        rs.setValue(u"tt_ndung"_s, u"Gõ dở"_s);
        EXPECT_THROW(datafiles::saveLetter(m.letters, rs), std::invalid_argument);
        EXPECT_EQ(rs.editMode(), adding ? db::EditMode::AddNew : db::EditMode::Edit);
        EXPECT_EQ(rs.value(u"tt_ndung"_s).toString(), u"Gõ dở"_s);
        EXPECT_EQ(rs.recordCount(), rows);
        EXPECT_EQ(m.letters.openRecordset(m.incomingTable, db::RecordsetType::Snapshot).recordCount(), 1);
        EXPECT_EQ(row(m.incomingTable, saved).flag, 1) << "the saved row is untouched";
        // Its own connection saves it.
        datafiles::saveLetter(other, rs);
        EXPECT_EQ(rs.value(u"tt_ndung"_s).toString(), u"Gõ dở"_s);
        EXPECT_EQ(row(m.incomingTable, rs.value(u"id"_s).toLongLong()).idcu, rs.value(u"id"_s).toLongLong());
        m.letters.execute(u"DELETE * FROM "_s + m.incomingTable + u" WHERE id<>"_s + QString::number(saved));
    }
}

// A save that fails half way (the file locked by another program at the last write) takes back
// everything it wrote in the file and gives the row back with what was typed, ready to save again.
TEST_F(LetterSaveTest, FailedSaveTakesBackWhatItWroteAndKeepsTheTypedValues)
{
    app::Module1& m = app::module1();
    db::Recordset rs = m.letters.openRecordset(m.incomingTable);
    rs.addNew();
    rs.setValue(u"tt_ndung"_s, u"Gõ dở"_s);
    const auto writeThenFail = [&m](db::Recordset&) {
        m.letters.execute(u"INSERT INTO "_s + m.outgoingTable + u" (tt_ndung) VALUES ('x')"_s);
        throw db::DbError(db::errc::FileLocked, u"locked"_s);
    };
    EXPECT_THROW(datafiles::saveLetter(m.letters, rs, writeThenFail), db::DbError);
    EXPECT_EQ(rs.editMode(), db::EditMode::AddNew);
    EXPECT_EQ(rs.value(u"tt_ndung"_s).toString(), u"Gõ dở"_s);
    for (const QString& table : {m.incomingTable, m.outgoingTable})
        EXPECT_EQ(m.letters.openRecordset(table, db::RecordsetType::Snapshot).recordCount(), 0) << table.toStdString();
    datafiles::saveLetter(m.letters, rs);
    db::Database other = openFile(m.lettersPath);
    EXPECT_EQ(other.openRecordset(m.incomingTable, db::RecordsetType::Snapshot).recordCount(), 1)
        << "the second save is committed";
    // Saved, the row is no longer being added or edited: saving it again raises as Update would.
    try {
        datafiles::saveLetter(m.letters, rs);
        ADD_FAILURE() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.number(), db::errc::UpdateWithoutEdit);
    }
}

TEST_F(LetterSaveTest, FileOperationCopiesReplacingDeletesOrRaises)
{
    const QString source = dataPath(u"a.bin"_s);
    const QString target = dataPath(u"b.bin"_s);
    writeFile(source, "new");
    writeFile(target, "old contents");
    datafiles::fileOperation(source, target, u"copy"_s);
    EXPECT_EQ(readFile(target), "new");
    datafiles::fileOperation(target, QString(), u"xoa"_s);
    EXPECT_FALSE(sys::exists(target));
    EXPECT_TRUE(sys::exists(source));
    // Other words do nothing, even for files that do not exist.
    datafiles::fileOperation(source, target, u"move"_s);
    datafiles::fileOperation(dataPath(u"none"_s), target, u"COPY"_s);
    EXPECT_FALSE(sys::exists(target));
    EXPECT_TRUE(sys::exists(source));
    EXPECT_THROW(datafiles::fileOperation(dataPath(u"none"_s), target, u"copy"_s), sys::FileError);
    EXPECT_THROW(datafiles::fileOperation(dataPath(u"none"_s), QString(), u"xoa"_s), sys::FileError);
}

} // namespace
