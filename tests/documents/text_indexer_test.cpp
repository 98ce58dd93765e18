// The background reader: it reads what the index lacks, marks a file it cannot read and goes on,
// and takes up after a program that was killed in the middle of a file.

#include "sample_documents.h"

#include "datafiles/attachment_store.h"
#include "documents/fulltext_index.h"
#include "documents/text_indexer.h"

#include "files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using namespace documents;

TEST(TextIndexerTest, ReadsWhatTheIndexLacksMarksBadFilesAndGoesOn)
{
    QTemporaryDir dir;
    const QString letters = dir.filePath(u"vemocv.mdb"_s);
    const datafiles::AttachmentStore store = datafiles::AttachmentStore::besideLettersFile(letters);
    const auto put = [&](const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(test::writeFile(dir.filePath(name), bytes));
        return store.put(dir.filePath(name)).hash;
    };
    test::writeTextPdf(dir.filePath(u"good.pdf"_s), {u"Báo cáo tình hình thu hoạch lúa."_s});
    test::writeTextPdf(dir.filePath(u"resumed.pdf"_s), {u"Kế hoạch phòng chống lụt bão."_s});
    const QString good = store.put(dir.filePath(u"good.pdf"_s)).hash;
    const QString resumed = store.put(dir.filePath(u"resumed.pdf"_s)).hash;
    const QString damaged = put(u"damaged.pdf"_s, QByteArrayLiteral("%PDF-1.7 hỏng"));
    const QString locked = put(u"locked.pdf"_s, test::encryptedPdf());
    {
        // The last run was killed while it read this file.
        FullTextIndex index(FullTextIndex::pathBeside(letters), false);
        index.beginReading(resumed, QDateTime::currentDateTime());
    }

    TextIndexer reader;
    QSignalSpy told(&reader, &TextIndexer::progressChanged);
    reader.queue(letters, {{damaged, DocumentKind::Pdf},
                           {locked, DocumentKind::Pdf},
                           {good, DocumentKind::Pdf},
                           {resumed, DocumentKind::Pdf}});
    ASSERT_TRUE(reader.waitIdle(60000));

    FullTextIndex index(FullTextIndex::pathBeside(letters), true);
    EXPECT_EQ(std::tuple(index.status(damaged).state, index.status(good).state, index.status(resumed).attempts),
              std::tuple(TextState::Failed, TextState::Done, 2));
    EXPECT_TRUE(index.status(locked).note.contains(u"mật khẩu"_s));
    EXPECT_EQ(std::pair(index.find(u"LÚA"_s), index.find(u"lụt"_s)),
              std::pair(QSet<QString>{good}, QSet<QString>{resumed}));
    const TextIndexer::Progress p = reader.progress();
    EXPECT_EQ(std::tuple(p.done, p.total, p.failed, p.busy), std::tuple(4, 4, 2, false)); // done, total, failed, busy
    EXPECT_GE(told.size(), 4);
    EXPECT_EQ(reader.progressText(), u"Đã đọc xong nội dung các tệp đính kèm (2 tệp không đọc được)."_s);

    // Queued again (the next start), nothing is read twice.
    reader.queue(letters, {{good, DocumentKind::Pdf}, {damaged, DocumentKind::Pdf}});
    ASSERT_TRUE(reader.waitIdle(60000));
    EXPECT_EQ(reader.progress().total, 0);
    EXPECT_EQ(FullTextIndex(FullTextIndex::pathBeside(letters), true).status(good).attempts, 1);
}

} // namespace
