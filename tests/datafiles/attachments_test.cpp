// The attachments store and table: attaching, the same content kept once, saving a copy, removing,
// the sweep, and every refusal leaving the letter's attachments and the store as they were.

#include "letters_fixture.h"

#include "datafiles/attachment_checks.h"
#include "platform/db/db_error.h"

#include <QFile>

namespace testing_support {
namespace {

const QByteArray kPdf = QByteArrayLiteral("%PDF-1.7\n% Công văn số 12/UBND\n%%EOF\n");

class AttachmentsTest : public LettersTest
{
protected:
    QStringList stored() const { return QDir(store().folder()).entryList(QDir::Files | QDir::Hidden); }
    QString refusal(qlonglong letter, const QString& path)
    {
        try {
            attach(letter, path);
        } catch (const datafiles::AttachmentError& e) {
            return e.message();
        }
        return QString();
    }
};

// Content is kept once and swept only when no row names it; bad input is refused and changes nothing.
TEST_F(AttachmentsTest, ContentIsKeptOnceSweptOnlyWhenNoRowNamesItAndBadInputIsRefused)
{
    db::Database& db = app::module1().letters;
    db.execute(u"drop table tepdinhkem"_s); // an older letters file gets the table
    ASSERT_FALSE(db.hasTable(datafiles::kAttachmentsTable));
    const qlonglong first = addLetter(u"cvden2009"_s, u"Họp giao ban"_s);
    const qlonglong second = addLetter(u"cvdi2009"_s, u"Trả lời"_s);
    const QString name = u"Quyết định \"số 5\" của Sở.pdf"_s;

    const datafiles::Attachment a = attach(first, write(name, kPdf));
    EXPECT_EQ(a.name, name);
    EXPECT_EQ(a.size, kPdf.size());
    EXPECT_EQ(a.type, u"application/pdf"_s);
    EXPECT_EQ(readFile(store().pathOf(a.hash)), kPdf);
    // Bad input is refused and changes nothing.
    const QString big = write(u"phim.bin"_s, QByteArray());
    QFile f(big);
    ASSERT_TRUE(f.resize(500LL * 1024 * 1024)); // sparse: takes no room
    struct Case
    {
        const char* what;
        QString path;
        std::function<void()> arrange;
        QString message;
    } cases[] = {
        {"vanished", QDir(programFolder()).filePath(u"đã xoá.pdf"_s), {}, u"Không tìm thấy"_s},
        {"too large", big, {}, u"quá giới hạn 100 MB"_s},
        {"not a PDF", write(u"thư.pdf"_s, "Kính gửi"), {}, u"nội dung không phải PDF"_s},
        {"not a PNG", write(u"ảnh.png"_s, "\xff\xd8\xff\xe0 jpeg"), {}, u"không phải PNG"_s},
        {"disk full", write(u"lớn.docx"_s, QByteArray(3 << 20, 'x')),
         [] {
             datafiles::AttachmentStore::setWriteHook([](qint64 written) {
                 if (written > (1 << 20))
                     throw std::runtime_error("no space left");
             });
         },
         u"Không ghi được tệp vào kho"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.arrange)
            c.arrange();
        EXPECT_TRUE(refusal(first, c.path).contains(c.message)) << refusal(first, c.path).toStdString();
        datafiles::AttachmentStore::setWriteHook({});
        EXPECT_EQ(stored(), QStringList{a.hash}); // no temporary file left either
        EXPECT_EQ(datafiles::attachmentsOf(db, u"cvden2009"_s, first).size(), 1);
    }
    // A saved copy is the whole file, or nothing when it cannot be written.
    const QString copy = QDir(programFolder()).filePath(u"bản lưu “mới”.pdf"_s);
    datafiles::saveAttachmentAs(store(), a, copy);
    EXPECT_EQ(readFile(copy), kPdf);
    EXPECT_THROW(datafiles::saveAttachmentAs(store(), a, QDir(programFolder()).filePath(u"không có/x.pdf"_s)),
                 datafiles::AttachmentError);

    EXPECT_TRUE(refusal(first, write(u"bản sao.pdf"_s, kPdf)).contains(u"đã được đính kèm"_s));
    attach(second, write(u"bản sao.pdf"_s, kPdf), u"cvdi2009"_s);
    const QList<datafiles::Attachment> list = datafiles::attachmentsOf(db, u"cvden2009"_s, first);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.first().name, name);
    EXPECT_EQ(list.first().addedBy, u"Lê Văn Ấn"_s);
    EXPECT_EQ(list.first().addedAt, QDateTime(QDate(2009, 3, 5), QTime(9, 30)));
    EXPECT_EQ(stored(), QStringList{a.hash});

    const QDateTime later = QDateTime::currentDateTime().addSecs(5);
    datafiles::removeAttachment(db, a.id);
    EXPECT_TRUE(datafiles::attachmentsOf(db, u"cvden2009"_s, first).isEmpty());
    EXPECT_EQ(datafiles::sweepAttachments(db, store(), later, 0), 0); // the outgoing letter names it
    datafiles::removeAttachment(db, datafiles::attachmentsOf(db, u"cvdi2009"_s, second).first().id);
    EXPECT_EQ(datafiles::sweepAttachments(db, store(), later), 0); // younger than the grace period
    EXPECT_EQ(datafiles::sweepAttachments(db, store(), later, 0), 1);
    EXPECT_TRUE(stored().isEmpty());

    // A store that cannot be made (its name taken by a file).
    ASSERT_TRUE(QDir(store().folder()).removeRecursively());
    QFile blocker(store().folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_TRUE(refusal(first, write(u"quét.tif"_s, QByteArray("II*\0", 4))).contains(u"Không ghi được tệp vào kho"_s));
    EXPECT_TRUE(datafiles::attachmentsOf(db, u"cvden2009"_s, first).isEmpty());
}

TEST_F(AttachmentsTest, ReadOnlyLettersFileShowsNothingAndRefuses)
{
    const QString path = QDir(programFolder()).filePath(u"chỉ đọc.mdb"_s);
    test::copyTemplate(path).execute(u"drop table tepdinhkem"_s); // written before attachments
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    db::Database db = openFile(path);
    EXPECT_FALSE(datafiles::ensureAttachmentsTable(db));
    EXPECT_TRUE(datafiles::attachmentsOf(db, u"cvden2009"_s, 1).isEmpty());
    EXPECT_THROW(datafiles::attachFile(db, datafiles::AttachmentStore::besideLettersFile(path), u"cvden2009"_s, 1,
                                       write(u"a.pdf"_s, kPdf), u"An"_s, QDateTime::currentDateTime()),
                 db::DbError);
}

} // namespace
} // namespace testing_support
