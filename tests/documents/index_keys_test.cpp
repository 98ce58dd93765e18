// The words index keys each document by a number taken from its hash, so a search answers with
// ids alone: the hits must still name exactly the right documents, an index of the older form
// (ids numbered as rows came) must never answer with the wrong ones, and two hashes sharing a key
// must not stop the reading of the others.

#include "documents/fulltext_index.h"
#include "platform/db/index_file.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    FullTextIndex index(dir.filePath(QStringLiteral("i.db")), false);
    const QString rice = sha("a"), road = sha("b"), both = sha("c"), named = QStringLiteral("tệp 'không' hex");
    index.storeText(rice, QStringLiteral("giá lúa vụ mùa"), 1, QString(), kNow);
    index.storeText(road, QStringLiteral("đường giao thông"), 1, QString(), kNow);
    index.storeText(both, QStringLiteral("lúa và đường"), 1, QString(), kNow);
    index.storeText(named, QStringLiteral("lúa giống"), 1, QString(), kNow);
    index.markFailed(road, QStringLiteral("hỏng"), kNow);

    const documents::DocumentHits hits = index.search(QStringLiteral("LÚA"));
    EXPECT_EQ(hits.size(), 3);
    EXPECT_TRUE(hits.holds(rice));
    EXPECT_TRUE(hits.holds(both));
    EXPECT_TRUE(hits.holds(named));
    EXPECT_FALSE(hits.holds(road));
    EXPECT_FALSE(hits.holds(sha("d")));
    EXPECT_TRUE(index.search(QStringLiteral("đường")).holds(both));
    EXPECT_FALSE(index.search(QStringLiteral("đường")).holds(road)); // its text went with the failure
    EXPECT_EQ(index.find(QStringLiteral("lúa")), (QSet<QString>{rice, both, named}));
}

TEST(IndexKeysTest, AnIndexOfTheOlderFormIsIgnoredReadingAndMadeAgainWriting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("i.db"));
    const QString hash = sha("a");
    {
        // The older form: ids numbered from 1 as rows came, user_version 0.
        FullTextIndex made(path, false);
        made.storeText(hash, QStringLiteral("giá lúa"), 1, QString(), kNow);
    }
    db::IndexFile::open(path, false)
        ->exec(QStringLiteral("UPDATE noidungtep SET id = 1; DELETE FROM timtu; "
                              "INSERT INTO timtu (rowid, noidung) VALUES (1, 'giá lúa'); PRAGMA user_version = 0;"));

    {
        FullTextIndex reading(path, true);
        EXPECT_TRUE(reading.search(QStringLiteral("lúa")).isEmpty());
        EXPECT_TRUE(reading.find(QStringLiteral("lúa")).isEmpty());
        EXPECT_TRUE(reading.excerpt(hash, QStringLiteral("lúa")).isEmpty());
    }
    FullTextIndex writing(path, false);
    EXPECT_EQ(writing.pending({hash}, kNow), QStringList{hash}); // read again
    writing.storeText(hash, QStringLiteral("giá lúa"), 1, QString(), kNow);
    EXPECT_TRUE(FullTextIndex(path, true).search(QStringLiteral("lúa")).holds(hash));
}

TEST(IndexKeysTest, AHashWhoseKeyIsTakenIsLeftOutAndTheOthersAreRead)
{
    QTemporaryDir dir;
    FullTextIndex index(dir.filePath(QStringLiteral("i.db")), false);
    const QString first = QStringLiteral("a").repeated(49) + QStringLiteral("123456789abcdef");
    const QString twin = QStringLiteral("b").repeated(49) + QStringLiteral("123456789abcdef");
    ASSERT_EQ(FullTextIndex::documentId(first), FullTextIndex::documentId(twin));
    index.beginReading(first, kNow);
    index.storeText(first, QStringLiteral("lúa"), 1, QString(), kNow);
    const QString other = sha("c");
    EXPECT_EQ(index.pending({twin, other}, kNow), QStringList{other});
    EXPECT_EQ(index.find(QStringLiteral("lúa")), QSet<QString>{first});
}

} // namespace
