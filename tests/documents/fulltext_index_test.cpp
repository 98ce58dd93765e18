// The words index: words compare as the registers compare text, every word typed is required,
// passages show the text as written, and the reading state kept on disk.

#include "documents/fulltext_index.h"

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
    QTemporaryDir dir;
    FullTextIndex index(dir.filePath(u"i.db"_s), false);
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
    FullTextIndex index(dir.filePath(u"i.db"_s), false);
    QString text = u"Kính gửi các xã.\n"_s;
    for (int i = 0; i < 40; ++i)
        text += u"Nội dung thường lệ. "_s;
    text += u"Giá LÚA vụ mùa tăng.\n"_s;
    index.storeText(hashOf(1), text, 2, QString(), kNow);

    const QString passage = index.excerpt(hashOf(1), u"lúa"_s);
    EXPECT_TRUE(passage.contains(u"«LÚA» vụ mùa"_s)) << passage.toStdString();
    EXPECT_FALSE(passage.contains(QLatin1Char('\n')));
    EXPECT_LT(passage.size(), 200);
    EXPECT_TRUE(index.excerpt(hashOf(1), u"lụa"_s).isEmpty());
    EXPECT_TRUE(index.excerpt(hashOf(2), u"lúa"_s).isEmpty());
}

TEST(FullTextIndexTest, ReadingLeftUnfinishedIsPendingTwiceThenFailed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"i.db"_s);
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
}

TEST(FullTextIndexTest, AnIndexNeverMadeCannotBeReadAndIsNotMadeByReading)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"i.db"_s);
    EXPECT_THROW(FullTextIndex(path, true), db::DbError);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(FullTextIndex::pathBeside(u"/data/so/vemocv.mdb"_s), u"/data/so/vemocv_chimuc.db"_s);
}

} // namespace
