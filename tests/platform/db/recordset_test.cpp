// Recordset positions, moves, finds and bookmarks.
#include "db_fixture.h"

using namespace dbtest;
using db::Database;
using db::Recordset;
using db::RecordsetType;
namespace errc = db::errc;

namespace {

int stt(const Recordset& rs)
{
    return rs.value(QStringLiteral("stt")).toInt();
}

} // namespace

class RecordsetTypes : public DbTest, public ::testing::WithParamInterface<RecordsetType>
{
};

INSTANTIATE_TEST_SUITE_P(Both, RecordsetTypes, ::testing::Values(RecordsetType::Dynaset, RecordsetType::Snapshot),
                         [](const auto& info) {
                             return std::string(info.param == RecordsetType::Dynaset ? "Dynaset" : "Snapshot");
                         });

TEST_P(RecordsetTypes, EmptyRecordsetIsAtBofAndEof)
{
    Database db = makeLetters(0);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_EQ(rs.absolutePosition(), -1);
    rs.moveFirst();
    rs.moveLast();
    EXPECT_TRUE(rs.bof() && rs.eof());
    expectDbError(errc::NoCurrentRecord, [&] { rs.moveNext(); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.movePrevious(); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.value(QStringLiteral("stt")); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.bookmark(); });
    rs.findFirst(QStringLiteral("stt = 1"));
    EXPECT_TRUE(rs.noMatch());
}

TEST_P(RecordsetTypes, OpensOnTheFirstRowAndWalksToEof)
{
    Database db = makeLetters(3);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(stt(rs), 1);
    EXPECT_EQ(rs.absolutePosition(), 0);
    rs.moveNext();
    rs.moveNext();
    EXPECT_EQ(stt(rs), 3);
    EXPECT_FALSE(rs.eof());
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolutePosition(), -1);
    expectDbError(errc::NoCurrentRecord, [&] { rs.value(QStringLiteral("stt")); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.moveNext(); });
    rs.movePrevious();
    EXPECT_EQ(stt(rs), 3);
}

TEST_P(RecordsetTypes, MovePreviousFromFirstSetsBof)
{
    Database db = makeLetters(2);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    expectDbError(errc::NoCurrentRecord, [&] { rs.movePrevious(); });
    rs.moveNext();
    EXPECT_EQ(stt(rs), 1);
}

TEST_P(RecordsetTypes, MoveByRowsStopsAtEitherEnd)
{
    Database db = makeLetters(5);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.move(3);
    EXPECT_EQ(stt(rs), 4);
    rs.move(-2);
    EXPECT_EQ(stt(rs), 2);
    rs.move(0);
    EXPECT_EQ(stt(rs), 2);
    rs.move(10);
    EXPECT_TRUE(rs.eof());
    rs.move(-1);
    EXPECT_EQ(stt(rs), 5);
    rs.move(-10);
    EXPECT_TRUE(rs.bof());
}

TEST_P(RecordsetTypes, AbsolutePositionMovesAndRefusesOutOfRange)
{
    Database db = makeLetters(5);
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 ORDER BY stt DESC"), GetParam());
    rs.setAbsolutePosition(1);
    EXPECT_EQ(stt(rs), 4);
    EXPECT_EQ(rs.absolutePosition(), 1);
    expectDbError(errc::NoCurrentRecord, [&] { rs.setAbsolutePosition(5); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.setAbsolutePosition(-1); });
    EXPECT_EQ(stt(rs), 4); // unchanged by the refused moves
}

TEST_P(RecordsetTypes, FindsWalkInRecordsetOrder)
{
    Database db = makeLetters(6); // odd stt "Quyết định", even "Công văn"
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM cvden2009 ORDER BY stt DESC"), GetParam());
    rs.findFirst(QStringLiteral("loai = 'Quyết định'"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(stt(rs), 5);
    rs.findNext(QStringLiteral("loai = 'Quyết định'"));
    EXPECT_EQ(stt(rs), 3);
    rs.findPrevious(QStringLiteral("loai = 'Quyết định'"));
    EXPECT_EQ(stt(rs), 5);
    rs.findLast(QStringLiteral("loai = 'Quyết định'"));
    EXPECT_EQ(stt(rs), 1);
    rs.findNext(QStringLiteral("loai = 'Quyết định'"));
    EXPECT_TRUE(rs.noMatch());
    EXPECT_EQ(stt(rs), 1); // no match leaves the current row
}

TEST_P(RecordsetTypes, FindIgnoresVietnameseLetterCaseButNotAccents)
{
    Database db = makeLetters(4);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.findFirst(QStringLiteral("loai = 'CÔNG VĂN'"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(stt(rs), 2);
    rs.findFirst(QStringLiteral("loai = 'cong van'"));
    EXPECT_TRUE(rs.noMatch());
    rs.findFirst(QStringLiteral("tt_ndung Like '*DUNG 3'"));
    EXPECT_EQ(stt(rs), 3);
}

TEST_P(RecordsetTypes, FindNextFromEofOrBofStartsAtTheEnds)
{
    Database db = makeLetters(4);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.moveLast();
    rs.moveNext();
    ASSERT_TRUE(rs.eof());
    rs.findNext(QStringLiteral("stt > 0"));
    EXPECT_EQ(stt(rs), 1);
    rs.moveFirst();
    rs.movePrevious();
    ASSERT_TRUE(rs.bof());
    rs.findPrevious(QStringLiteral("stt > 0"));
    EXPECT_EQ(stt(rs), 4);
}

TEST_P(RecordsetTypes, MalformedCriterionRaisesAndKeepsPosition)
{
    Database db = makeLetters(3);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.moveNext();
    rs.findFirst(QStringLiteral("stt = 99"));
    ASSERT_TRUE(rs.noMatch());
    expectDbError(errc::SyntaxError, [&] { rs.findFirst(QStringLiteral("stt = = 1")); });
    expectDbError(errc::ItemNotFound, [&] { rs.findFirst(QStringLiteral("khongco = 1")); });
    EXPECT_EQ(stt(rs), 2);
    EXPECT_TRUE(rs.noMatch()); // the flag of the last completed find
}

TEST_P(RecordsetTypes, QuoteInCriterionTextIsAnOrdinaryCharacter)
{
    Database db = makeLetters(2);
    db.execute(QStringLiteral("UPDATE cvden2009 SET loai = 'Ý kiến ''khẩn''' WHERE stt = 2"));
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.findFirst(QStringLiteral("loai = 'Ý kiến ''khẩn'''"));
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(rs.value(QStringLiteral("loai")).toString(), QStringLiteral("Ý kiến 'khẩn'"));
}

TEST_P(RecordsetTypes, BookmarkReturnsToTheRowAndForeignMarksAreRefused)
{
    Database db = makeLetters(4);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.move(2);
    const db::Bookmark mark = rs.bookmark();
    rs.moveFirst();
    rs.setBookmark(mark);
    EXPECT_EQ(stt(rs), 3);
    EXPECT_TRUE(rs.bookmarkable());
    Recordset other = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    expectDbError(errc::InvalidBookmark, [&] { other.setBookmark(mark); });
    expectDbError(errc::InvalidBookmark, [&] { other.setBookmark(QByteArray("junk")); });
    rs.requery();
    expectDbError(errc::InvalidBookmark, [&] { rs.setBookmark(mark); });
}

TEST_P(RecordsetTypes, FieldsAreNamedInAnyLetterCaseAndNullDiffersFromEmpty)
{
    Database db = makeLetters(2);
    db.execute(QStringLiteral("UPDATE cvden2009 SET chonin = Null WHERE stt = 2"));
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    EXPECT_EQ(rs.fieldNames(), (QStringList{QStringLiteral("id"), QStringLiteral("stt"), QStringLiteral("loai"),
                                            QStringLiteral("tt_ndung"), QStringLiteral("chonin")}));
    EXPECT_EQ(rs.value(QStringLiteral("LOAI")), rs.value(2));
    EXPECT_FALSE(rs.value(QStringLiteral("chonin")).isNull());
    EXPECT_EQ(rs.value(QStringLiteral("chonin")).toString(), QString());
    rs.moveNext();
    EXPECT_TRUE(rs.value(QStringLiteral("Chonin")).isNull());
    EXPECT_TRUE(rs.hasField(QStringLiteral("TT_NDUNG")));
    EXPECT_EQ(rs.fieldDef(QStringLiteral("loai")).size, 30);
    expectDbError(errc::ItemNotFound, [&] { rs.value(QStringLiteral("khongco")); });
    expectDbError(errc::ItemNotFound, [&] { rs.fieldDef(QStringLiteral("khongco")); });
}

TEST_P(RecordsetTypes, CloneHasItsOwnCursorAndSharesBookmarks)
{
    Database db = makeLetters(3);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    rs.moveLast();
    Recordset copy = rs.clone();
    EXPECT_FALSE(copy.bof());
    EXPECT_FALSE(copy.eof());
    expectDbError(errc::NoCurrentRecord, [&] { copy.value(QStringLiteral("stt")); });
    copy.moveFirst();
    EXPECT_EQ(stt(copy), 1);
    EXPECT_EQ(stt(rs), 3);
    copy.setBookmark(rs.bookmark());
    EXPECT_EQ(stt(copy), 3);
    copy.findFirst(QStringLiteral("stt = 2"));
    EXPECT_EQ(stt(copy), 2);
    EXPECT_EQ(stt(rs), 3);
}

TEST_P(RecordsetTypes, CopiesOfAHandleShareOneCursor)
{
    Database db = makeLetters(3);
    Recordset rs = db.openRecordset(QStringLiteral("cvden2009"), GetParam());
    Recordset same = rs;
    same.moveLast();
    EXPECT_EQ(stt(rs), 3);
    rs.close();
    expectDbError(errc::ObjectClosed, [&] { same.moveFirst(); });
}

TEST_F(DbTest, RecordsetOnUnknownTableRaisesTableNotFound)
{
    Database db = makeLetters(1);
    expectDbError(errc::TableNotFound, [&] { db.openRecordset(QStringLiteral("cvdi2009")); });
    expectDbError(errc::TableNotFound, [&] { db.openRecordset(QStringLiteral("SELECT * FROM cvdi2009")); });
    expectDbError(errc::TableNotFound, [&] { db.openRecordset(QStringLiteral("[cvdi2009]")); });
}

TEST_F(DbTest, AggregateQueryGivesOneRow)
{
    Database db = makeLetters(5);
    Recordset rs = db.openRecordset(QStringLiteral("SELECT Max(stt) AS so FROM cvden2009 WHERE loai = 'Quyết định'"));
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("so")).toInt(), 5);
    EXPECT_FALSE(rs.isUpdatable());
}

TEST_F(DbTest, DynasetOrderedByAnAliasOfItsSelectList)
{
    Database db = makeLetters(3);
    Recordset rs = db.openRecordset(QStringLiteral("SELECT stt AS so, loai FROM cvden2009 ORDER BY so DESC"));
    EXPECT_TRUE(rs.isUpdatable());
    EXPECT_EQ(rs.value(QStringLiteral("so")).toInt(), 3);
    rs.findFirst(QStringLiteral("so = 2"));
    EXPECT_EQ(rs.absolutePosition(), 1);
}

TEST_F(DbTest, JoinedDynasetIsReadOnlyCopy)
{
    Database db = makeLetters(3);
    db.appendTableDef(lettersTable(QStringLiteral("loaicv")));
    db.execute(QStringLiteral("INSERT INTO loaicv (stt, loai) VALUES (1, 'Công văn')"));
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT a.stt, b.loai FROM cvden2009 AS a INNER JOIN loaicv AS b ON a.loai = b.loai"));
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_FALSE(rs.isUpdatable());
    expectDbError(errc::NotUpdatable, [&] { rs.edit(); });
}
