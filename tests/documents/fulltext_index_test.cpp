// The words index: words compare as the registers compare text, every word typed is required,
// passages show the text as written, and the reading state kept on disk.

#include "documents/fulltext_index.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using documents::FullTextIndex;
using documents::TextState;

const QDateTime kNow(QDate(2026, 3, 5), QTime(9, 0));

QString hashOf(int n)
{
    return QString::number(n).rightJustified(64, QLatin1Char('0'));
}

TEST(FullTextIndexTest, WordsCompareAsTheRegistersDo)
{
    struct Row
    {
        const char* what;
        QString text;
        QString words;
        bool found;
    };
    const QList<Row> rows = {
        {"letter case ignored", QStringLiteral("Ủy ban nhân dân HÀ NỘI"), QStringLiteral("hà nội"), true},
        {"capital tone letters", QStringLiteral("xã ẤP BẮC"), QStringLiteral("ấp bắc"), true},
        {"đ and Đ", QStringLiteral("Đức Thọ"), QStringLiteral("đức"), true},
        {"tone marks respected", QStringLiteral("hàng lụa tơ tằm"), QStringLiteral("lúa"), false},
        {"no tone is another word", QStringLiteral("Đức Thọ"), QStringLiteral("duc"), false},
        {"decomposed text", QStringLiteral("thu hoạch lu\u0301a"), QStringLiteral("LÚA"), true},
        {"decomposed query", QStringLiteral("thu hoạch lúa"), QStringLiteral("lu\u0301a"), true},
        {"every word required", QStringLiteral("trồng lúa nước"), QStringLiteral("lúa gạo"), false},
        {"words in any order", QStringLiteral("trồng lúa nước"), QStringLiteral("nước trồng"), true},
        {"letter number as a phrase", QStringLiteral("Số: 123/UBND-VP ngày"), QStringLiteral("123/ubnd-vp"), true},
        {"a word ending in * begins words", QStringLiteral("kế hoạch năm"), QStringLiteral("hoạ*"), true},
        {"without * a word is whole", QStringLiteral("kế hoạch năm"), QStringLiteral("hoạ"), false},
        {"quotes are ordinary", QStringLiteral("trả lời \"khẩn\""), QStringLiteral("\"khẩn\""), true},
        {"no word finds nothing", QStringLiteral("trồng lúa"), QStringLiteral("  / - "), false},
    };
    QTemporaryDir dir;
    FullTextIndex index(dir.filePath(QStringLiteral("i.db")), false);
    for (int i = 0; i < rows.size(); ++i) {
        index.storeText(hashOf(i), rows.at(i).text, 1, QString(), kNow);
    }
    for (int i = 0; i < rows.size(); ++i) {
        const Row& r = rows.at(i);
        EXPECT_EQ(index.find(r.words).contains(hashOf(i)), r.found) << r.what;
    }
}

TEST(FullTextIndexTest, ExcerptShowsTheTextAsWrittenAroundTheWords)
{
    QTemporaryDir dir;
    FullTextIndex index(dir.filePath(QStringLiteral("i.db")), false);
    QString text = QStringLiteral("Kính gửi các xã.\n");
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("Nội dung thường lệ. ");
    text += QStringLiteral("Giá LÚA vụ mùa tăng.\n");
    index.storeText(hashOf(1), text, 2, QString(), kNow);

    const QString passage = index.excerpt(hashOf(1), QStringLiteral("lúa"));
    EXPECT_TRUE(passage.contains(QStringLiteral("«LÚA» vụ mùa"))) << passage.toStdString();
    EXPECT_FALSE(passage.contains(QLatin1Char('\n')));
    EXPECT_LT(passage.size(), 200);
    EXPECT_TRUE(index.excerpt(hashOf(1), QStringLiteral("lụa")).isEmpty());
    EXPECT_TRUE(index.excerpt(hashOf(2), QStringLiteral("lúa")).isEmpty());
}

TEST(FullTextIndexTest, ReadingLeftUnfinishedIsPendingTwiceThenFailed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("i.db"));
    const QStringList all = {hashOf(1), hashOf(2), hashOf(3)};
    {
        FullTextIndex index(path, false);
        index.storeText(hashOf(1), QStringLiteral("xong"), 1, QString(), kNow);
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
    index.markFailed(hashOf(1), QStringLiteral("hỏng"), kNow);
    EXPECT_TRUE(index.find(QStringLiteral("xong")).isEmpty());
    index.storeText(hashOf(1), QStringLiteral("mới"), 1, QString(), kNow);
    EXPECT_EQ(index.find(QStringLiteral("mới")), QSet<QString>{hashOf(1)});
}

TEST(FullTextIndexTest, AnIndexNeverMadeCannotBeReadAndIsNotMadeByReading)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("i.db"));
    EXPECT_THROW(FullTextIndex(path, true), db::DbError);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(FullTextIndex::pathBeside(QStringLiteral("/data/so/vemocv.mdb")),
              QStringLiteral("/data/so/vemocv_chimuc.db"));
}

} // namespace
