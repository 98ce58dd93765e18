// The words index keys each document by a number taken from its hash, so a search answers with
// ids alone: the hits must still name exactly the right documents, an index of the older form
// (ids numbered as rows came) must never answer with the wrong ones, and two hashes sharing a key
// must not stop the reading of the others.

#include "documents/fulltext_index.h"
#include "platform/db/index_file.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using documents::FullTextIndex;

const QDateTime kNow(QDate(2026, 3, 5), QTime(9, 0));

QString sha(const char* content)
{
    return QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
}

TEST(IndexKeysTest, HitsNameExactlyTheDocumentsHoldingTheWords)
{
    QTemporaryDir dir;
    FullTextIndex index(dir.filePath(u"i.db"_s), false);
    const QString rice = sha("a"), road = sha("b"), both = sha("c"), named = u"tệp 'không' hex"_s;
    index.storeText(rice, u"giá lúa vụ mùa"_s, 1, QString(), kNow);
    index.storeText(road, u"đường giao thông"_s, 1, QString(), kNow);
    index.storeText(both, u"lúa và đường"_s, 1, QString(), kNow);
    index.storeText(named, u"lúa giống"_s, 1, QString(), kNow);
    index.markFailed(road, u"hỏng"_s, kNow);

    const documents::DocumentHits hits = index.search(u"LÚA"_s);
    EXPECT_EQ(hits.size(), 3);
    EXPECT_TRUE(hits.holds(rice));
    EXPECT_TRUE(hits.holds(both));
    EXPECT_TRUE(hits.holds(named));
    EXPECT_FALSE(hits.holds(road));
    EXPECT_FALSE(hits.holds(sha("d")));
    EXPECT_TRUE(index.search(u"đường"_s).holds(both));
    EXPECT_FALSE(index.search(u"đường"_s).holds(road)); // its text went with the failure
    EXPECT_EQ(index.find(u"lúa"_s), (QSet<QString>{rice, both, named}));
}

TEST(IndexKeysTest, AnIndexOfTheOlderFormIsIgnoredReadingAndMadeAgainWriting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"i.db"_s);
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

TEST(IndexKeysTest, AHashWhoseKeyIsTakenIsLeftOutAndTheOthersAreRead)
{
    QTemporaryDir dir;
    FullTextIndex index(dir.filePath(u"i.db"_s), false);
    const QString first = u"a"_s.repeated(49) + u"123456789abcdef"_s;
    const QString twin = u"b"_s.repeated(49) + u"123456789abcdef"_s;
    ASSERT_EQ(FullTextIndex::documentId(first), FullTextIndex::documentId(twin));
    index.beginReading(first, kNow);
    index.storeText(first, u"lúa"_s, 1, QString(), kNow);
    const QString other = sha("c");
    EXPECT_EQ(index.pending({twin, other}, kNow), QStringList{other});
    EXPECT_EQ(index.find(u"lúa"_s), QSet<QString>{first});
}

} // namespace
