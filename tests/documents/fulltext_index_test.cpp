// The words index: words compare as the registers compare text, every word typed is required,
// passages show the text as written, and the reading state kept on disk. It keys each document by
// a number taken from its hash, so a search answers with ids alone: the hits must still name
// exactly the right documents, an index of the older form (ids numbered as rows came) must never
// answer with the wrong ones, and two hashes sharing a key must not stop the reading of the others.

#include "documents/fulltext_index.h"
#include "platform/db/index_file.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using documents::FullTextIndex;
using documents::TextState;

const QDateTime kNow(QDate(2026, 3, 5), QTime(9, 0));

QString hashOf(int n)
{
    return QString::number(n).rightJustified(64, u'0');
}

QString sha(const char* content)
{
    return QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
}

class FullTextIndexTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath(u"i.db"_s);
};

TEST_F(FullTextIndexTest, WordsCompareAsTheRegistersDo)
{
    struct Row
    {
        const char* what;
        QString text;
        QString words;
        bool found;
    };
    const QList<Row> rows = {
        {"letter case ignored", u"Ủy ban nhân dân HÀ NỘI"_s, u"hà nội"_s, true},
        {"capital tone letters", u"xã ẤP BẮC"_s, u"ấp bắc"_s, true},
        {"đ and Đ", u"Đức Thọ"_s, u"đức"_s, true},
        {"tone marks respected", u"hàng lụa tơ tằm"_s, u"lúa"_s, false},
        {"no tone is another word", u"Đức Thọ"_s, u"duc"_s, false},
        {"decomposed text", u"thu hoạch lu\u0301a"_s, u"LÚA"_s, true},
        {"decomposed query", u"thu hoạch lúa"_s, u"lu\u0301a"_s, true},
        {"every word required", u"trồng lúa nước"_s, u"lúa gạo"_s, false},
        {"words in any order", u"trồng lúa nước"_s, u"nước trồng"_s, true},
        {"letter number as a phrase", u"Số: 123/UBND-VP ngày"_s, u"123/ubnd-vp"_s, true},
        {"a word ending in * begins words", u"kế hoạch năm"_s, u"hoạ*"_s, true},
        {"without * a word is whole", u"kế hoạch năm"_s, u"hoạ"_s, false},
        {"quotes are ordinary", u"trả lời \"khẩn\""_s, u"\"khẩn\""_s, true},
        {"no word finds nothing", u"trồng lúa"_s, u"  / - "_s, false},
    };
    FullTextIndex index(path, false);
    for (int i = 0; i < rows.size(); ++i)
        index.storeText(hashOf(i), rows.at(i).text, 1, QString(), kNow);
    for (int i = 0; i < rows.size(); ++i) {
        const Row& r = rows.at(i);
        EXPECT_EQ(index.find(r.words).contains(hashOf(i)), r.found) << r.what;
    }

    // A passage shows the text as written around the words.
    QString text = u"Kính gửi các xã.\n"_s;
    for (int i = 0; i < 40; ++i)
        text += u"Nội dung thường lệ. "_s;
    text += u"Giá LÚA vụ mùa tăng.\n"_s;
    index.storeText(hashOf(100), text, 2, QString(), kNow);
    const QString passage = index.excerpt(hashOf(100), u"lúa"_s);
    EXPECT_TRUE(passage.contains(u"«LÚA» vụ mùa"_s)) << passage.toStdString();
    EXPECT_FALSE(passage.contains(u'\n'));
    EXPECT_LT(passage.size(), 200);
    EXPECT_TRUE(index.excerpt(hashOf(100), u"lụa"_s).isEmpty());
    EXPECT_TRUE(index.excerpt(hashOf(101), u"lúa"_s).isEmpty());
}

TEST_F(FullTextIndexTest, ReadingLeftUnfinishedIsPendingTwiceThenFailedAndATakenKeyIsLeftOut)
{
    const QStringList all = {hashOf(1), hashOf(2), hashOf(3)};
    {
        FullTextIndex index(path, false);
        index.storeText(hashOf(1), u"xong"_s, 1, QString(), kNow);
        index.beginReading(hashOf(2), kNow); // the program is killed here
    }
    FullTextIndex index(path, false);
    EXPECT_EQ(index.pending(all, kNow), (QStringList{hashOf(2), hashOf(3)}));
    index.beginReading(hashOf(2), kNow); // and killed again
    EXPECT_EQ(index.pending(all, kNow), QStringList{hashOf(3)});
    EXPECT_EQ(index.status(hashOf(2)).state, TextState::Failed);
    EXPECT_FALSE(index.status(hashOf(2)).note.isEmpty());

    // A reading stopped on purpose (the program closing) costs no attempt.
    index.beginReading(hashOf(3), kNow);
    index.abandonReading(hashOf(3));
    index.beginReading(hashOf(3), kNow);
    index.abandonReading(hashOf(3));
    EXPECT_EQ(index.pending(all, kNow), QStringList{hashOf(3)});

    // Failing removes a text stored before; reading again replaces it.
    index.markFailed(hashOf(1), u"hỏng"_s, kNow);
    EXPECT_TRUE(index.find(u"xong"_s).isEmpty());
    index.storeText(hashOf(1), u"mới"_s, 1, QString(), kNow);
    EXPECT_EQ(index.find(u"mới"_s), QSet<QString>{hashOf(1)});

    // A hash whose key is taken by another is left out; the others are read.
    const QString first = u"a"_s.repeated(49) + u"123456789abcdef"_s;
    const QString twin = u"b"_s.repeated(49) + u"123456789abcdef"_s;
    ASSERT_EQ(FullTextIndex::documentId(first), FullTextIndex::documentId(twin));
    index.beginReading(first, kNow);
    index.storeText(first, u"lúa"_s, 1, QString(), kNow);
    const QString other = sha("c");
    EXPECT_EQ(index.pending({twin, other}, kNow), QStringList{other});
    EXPECT_EQ(index.find(u"lúa"_s), QSet<QString>{first});
}

TEST_F(FullTextIndexTest, HitsNameExactlyTheDocumentsHoldingTheWords)
{
    FullTextIndex index(path, false);
    const QString rice = sha("a"), road = sha("b"), both = sha("c"), named = u"tệp 'không' hex"_s;
    index.storeText(rice, u"giá lúa vụ mùa"_s, 1, QString(), kNow);
    index.storeText(road, u"đường giao thông"_s, 1, QString(), kNow);
    index.storeText(both, u"lúa và đường"_s, 1, QString(), kNow);
    index.storeText(named, u"lúa giống"_s, 1, QString(), kNow);
    index.markFailed(road, u"hỏng"_s, kNow);

    const documents::DocumentHits hits = index.search(u"LÚA"_s);
    EXPECT_EQ(hits.size(), 3);
    // Held: the rice, both and the named; not the road nor an unknown file.
    EXPECT_EQ(
        (QList<bool>{hits.holds(rice), hits.holds(both), hits.holds(named), hits.holds(road), hits.holds(sha("d"))}),
        (QList<bool>{true, true, true, false, false}));
    EXPECT_TRUE(index.search(u"đường"_s).holds(both));
    EXPECT_FALSE(index.search(u"đường"_s).holds(road)); // its text went with the failure
    EXPECT_EQ(index.find(u"lúa"_s), (QSet<QString>{rice, both, named}));
}

// An index never made cannot be read and is not made by reading; one of the older form is ignored
// reading and made again writing.
TEST_F(FullTextIndexTest, AnIndexNeverMadeOrOfTheOlderFormIsNotReadAndIsMadeAgainWriting)
{
    EXPECT_THROW(FullTextIndex(path, true), db::DbError);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(FullTextIndex::pathBeside(u"/data/so/vemocv.mdb"_s), u"/data/so/vemocv_chimuc.db"_s);
    const QString hash = sha("a");
    {
        // The older form: ids numbered from 1 as rows came, user_version 0.
        FullTextIndex made(path, false);
        made.storeText(hash, u"giá lúa"_s, 1, QString(), kNow);
    }
    db::IndexFile::open(path, false)
        ->exec(u"UPDATE noidungtep SET id = 1; DELETE FROM timtu; "
               "INSERT INTO timtu (rowid, noidung) VALUES (1, 'giá lúa'); PRAGMA user_version = 0;"_s);

    {
        FullTextIndex reading(path, true);
        EXPECT_TRUE(reading.search(u"lúa"_s).isEmpty());
        EXPECT_TRUE(reading.find(u"lúa"_s).isEmpty());
        EXPECT_TRUE(reading.excerpt(hash, u"lúa"_s).isEmpty());
    }
    FullTextIndex writing(path, false);
    EXPECT_EQ(writing.pending({hash}, kNow), QStringList{hash}); // read again
    writing.storeText(hash, u"giá lúa"_s, 1, QString(), kNow);
    EXPECT_TRUE(FullTextIndex(path, true).search(u"lúa"_s).holds(hash));
}

} // namespace
