// Recordset positions, moves, finds and bookmarks.
#include "engine_fixture.h"

class RecordsetTypes : public LayerCases<RecordsetType>
{
};

SELVARO_CASES_ON_EVERY_ENGINE(RecordsetTypes, ::testing::Values(RecordsetType::Dynaset, RecordsetType::Snapshot),
                              [](RecordsetType type) {
                                  return std::string(type == RecordsetType::Dynaset ? "Dynaset" : "Snapshot");
                              });

TEST_P(RecordsetTypes, EmptyRecordsetIsAtBofAndEof)
{
    Database db = makeLetters(0);
    Recordset rs = db.openRecordset(u"cvden2009"_s, testCase());
    EXPECT_TRUE(rs.bof() && rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_EQ(rs.absolutePosition(), -1);
    rs.moveFirst();
    rs.moveLast();
    EXPECT_TRUE(rs.bof() && rs.eof());
    expectDbError(errc::NoCurrentRecord, [&] { rs.moveNext(); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.movePrevious(); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.value(u"stt"_s); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.bookmark(); });
    rs.findFirst(u"stt = 1"_s);
    EXPECT_TRUE(rs.noMatch());
}

// Moves stop at either end and refuse to go past it; fields are named in any letter case, and Null
// differs from "".
TEST_P(RecordsetTypes, MovesStopAtEitherEndAndFieldsAreNamedInAnyLetterCase)
{
    Database db = makeLetters(5);
    db.execute(u"UPDATE cvden2009 SET chonin = Null WHERE stt = 5"_s);
    Recordset rs = db.openRecordset(u"cvden2009"_s, testCase());
    EXPECT_EQ(stt(rs), 1);
    EXPECT_EQ(rs.absolutePosition(), 0);
    EXPECT_EQ(rs.fieldNames(), (QStringList{u"id"_s, u"stt"_s, u"loai"_s, u"tt_ndung"_s, u"chonin"_s}));
    EXPECT_EQ(rs.value(u"LOAI"_s), rs.value(2));
    EXPECT_FALSE(rs.value(u"chonin"_s).isNull());
    EXPECT_EQ(rs.value(u"chonin"_s).toString(), QString());
    EXPECT_TRUE(rs.hasField(u"TT_NDUNG"_s));
    EXPECT_EQ(rs.fieldDef(u"loai"_s).size, 30);
    expectDbError(errc::ItemNotFound, [&] { rs.value(u"khongco"_s); });
    expectDbError(errc::ItemNotFound, [&] { rs.fieldDef(u"khongco"_s); });
    rs.movePrevious();
    EXPECT_TRUE(rs.bof() && !rs.eof());
    expectDbError(errc::NoCurrentRecord, [&] { rs.movePrevious(); });
    rs.moveNext();
    EXPECT_EQ(stt(rs), 1);
    rs.move(3);
    EXPECT_EQ(stt(rs), 4);
    rs.move(-2);
    EXPECT_EQ(stt(rs), 2);
    rs.move(0);
    EXPECT_EQ(stt(rs), 2);
    rs.move(10);
    EXPECT_TRUE(rs.eof() && !rs.bof());
    EXPECT_EQ(rs.absolutePosition(), -1);
    expectDbError(errc::NoCurrentRecord, [&] { rs.value(u"stt"_s); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.moveNext(); });
    rs.move(-1);
    EXPECT_EQ(stt(rs), 5);
    EXPECT_TRUE(rs.value(u"Chonin"_s).isNull());
    rs.moveNext();
    rs.movePrevious();
    EXPECT_EQ(stt(rs), 5);
    rs.move(-10);
    EXPECT_TRUE(rs.bof());
    rs.setAbsolutePosition(1);
    EXPECT_EQ(stt(rs), 2);
    EXPECT_EQ(rs.absolutePosition(), 1);
    expectDbError(errc::NoCurrentRecord, [&] { rs.setAbsolutePosition(5); });
    expectDbError(errc::NoCurrentRecord, [&] { rs.setAbsolutePosition(-1); });
    EXPECT_EQ(stt(rs), 2); // unchanged by the refused moves
}

// Finds walk in the recordset's order, fold Vietnamese letter case but not accents, take a
// doubled quote as one, start at the ends from EOF/BOF, and keep the row when they fail.
TEST_P(RecordsetTypes, FindsWalkInRecordsetOrderAndKeepTheRowWhenTheyFail)
{
    Database db = makeLetters(6); // odd stt "Quyết định", even "Công văn"
    db.execute(u"UPDATE cvden2009 SET loai = 'Ý kiến ''khẩn''' WHERE stt = 6"_s);
    Recordset rs = db.openRecordset(u"SELECT * FROM cvden2009 ORDER BY stt DESC"_s, testCase());
    const QString decision = u"loai = 'Quyết định'"_s;
    rs.findFirst(decision);
    ASSERT_FALSE(rs.noMatch());
    EXPECT_EQ(stt(rs), 5);
    rs.findNext(decision);
    EXPECT_EQ(stt(rs), 3);
    rs.findPrevious(decision);
    EXPECT_EQ(stt(rs), 5);
    rs.findLast(decision);
    EXPECT_EQ(stt(rs), 1);
    rs.findNext(decision);
    EXPECT_TRUE(rs.noMatch());
    EXPECT_EQ(stt(rs), 1); // no match leaves the current row
    rs.findFirst(u"loai = 'CÔNG VĂN'"_s);
    EXPECT_EQ(stt(rs), 4);
    rs.findFirst(u"loai = 'cong van'"_s);
    EXPECT_TRUE(rs.noMatch());
    rs.findFirst(u"tt_ndung Like '*DUNG 3'"_s);
    EXPECT_EQ(stt(rs), 3);
    rs.findFirst(u"loai = 'Ý kiến ''khẩn'''"_s);
    EXPECT_EQ(rs.value(u"loai"_s).toString(), u"Ý kiến 'khẩn'"_s);
    rs.moveLast();
    rs.moveNext();
    ASSERT_TRUE(rs.eof());
    rs.findNext(u"stt > 0"_s);
    EXPECT_EQ(stt(rs), 6);
    rs.movePrevious();
    ASSERT_TRUE(rs.bof());
    rs.findPrevious(u"stt > 0"_s);
    EXPECT_EQ(stt(rs), 1);
    rs.findFirst(u"stt = 99"_s);
    ASSERT_TRUE(rs.noMatch());
    expectDbError(errc::SyntaxError, [&] { rs.findFirst(u"stt = = 1"_s); });
    expectDbError(errc::ItemNotFound, [&] { rs.findFirst(u"khongco = 1"_s); });
    EXPECT_EQ(stt(rs), 1);
    EXPECT_TRUE(rs.noMatch()); // the flag of the last completed find
}

// A bookmark returns to its row, in the recordset and its clones, until a requery; another
// recordset refuses it. A clone has its own cursor; copies of a handle share one.
TEST_P(RecordsetTypes, BookmarksReturnToTheRowAndClonesHaveTheirOwnCursor)
{
    Database db = makeLetters(4);
    Recordset rs = db.openRecordset(u"cvden2009"_s, testCase());
    rs.move(2);
    const db::Bookmark mark = rs.bookmark();
    rs.moveFirst();
    rs.setBookmark(mark);
    EXPECT_EQ(stt(rs), 3);
    EXPECT_TRUE(rs.bookmarkable());
    Recordset other = db.openRecordset(u"cvden2009"_s, testCase());
    expectDbError(errc::InvalidBookmark, [&] { other.setBookmark(mark); });
    expectDbError(errc::InvalidBookmark, [&] { other.setBookmark(QByteArray("junk")); });

    rs.moveLast();
    Recordset copy = rs.clone();
    EXPECT_FALSE(copy.bof() || copy.eof());
    expectDbError(errc::NoCurrentRecord, [&] { copy.value(u"stt"_s); });
    copy.moveFirst();
    EXPECT_EQ(stt(copy), 1);
    EXPECT_EQ(stt(rs), 4);
    copy.setBookmark(rs.bookmark());
    EXPECT_EQ(stt(copy), 4);
    copy.findFirst(u"stt = 2"_s);
    EXPECT_EQ(stt(copy), 2);
    EXPECT_EQ(stt(rs), 4);
    Recordset same = copy;
    same.moveFirst();
    EXPECT_EQ(stt(copy), 1);
    copy.close();
    expectDbError(errc::ObjectClosed, [&] { same.moveFirst(); });

    rs.requery();
    expectDbError(errc::InvalidBookmark, [&] { rs.setBookmark(mark); });
}
