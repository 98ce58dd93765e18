// The attachments store and table: attaching, the same content kept once, removing, the sweep, and
// every refusal leaving the letter's attachments and the store as they were.

#include "letters_fixture.h"

#include "datafiles/attachment_checks.h"
#include "datafiles/attachments.h"
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

TEST_F(AttachmentsTest, ContentIsKeptOnceAndSweptOnlyWhenNoRowNamesIt)
{
    db::Database& db = app::module1().letters;
    db.execute(QStringLiteral("drop table tepdinhkem")); // an older letters file gets the table
    ASSERT_FALSE(db.hasTable(datafiles::kAttachmentsTable));
    const qlonglong first = addLetter(QStringLiteral("cvden2009"), QStringLiteral("Họp giao ban"));
    const qlonglong second = addLetter(QStringLiteral("cvdi2009"), QStringLiteral("Trả lời"));
    const QString name = QStringLiteral("Quyết định \"số 5\" của Sở.pdf");

    const datafiles::Attachment a = attach(first, write(name, kPdf));
    EXPECT_EQ(a.name, name);
    EXPECT_EQ(a.size, kPdf.size());
    EXPECT_EQ(a.type, QStringLiteral("application/pdf"));
    EXPECT_EQ(readFile(store().pathOf(a.hash)), kPdf);

    EXPECT_TRUE(
        refusal(first, write(QStringLiteral("bản sao.pdf"), kPdf)).contains(QStringLiteral("đã được đính kèm")));
    attach(second, write(QStringLiteral("bản sao.pdf"), kPdf), QStringLiteral("cvdi2009"));
    const QList<datafiles::Attachment> list = datafiles::attachmentsOf(db, QStringLiteral("cvden2009"), first);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.first().name, name);
    EXPECT_EQ(list.first().addedBy, QStringLiteral("Lê Văn Ấn"));
    EXPECT_EQ(list.first().addedAt, QDateTime(QDate(2009, 3, 5), QTime(9, 30)));
    EXPECT_EQ(stored(), QStringList{a.hash});

    const QDateTime later = QDateTime::currentDateTime().addSecs(5);
    datafiles::removeAttachment(db, a.id);
    EXPECT_TRUE(datafiles::attachmentsOf(db, QStringLiteral("cvden2009"), first).isEmpty());
    EXPECT_EQ(datafiles::sweepAttachments(db, store(), later, 0), 0); // the outgoing letter names it
    datafiles::removeAttachment(db, datafiles::attachmentsOf(db, QStringLiteral("cvdi2009"), second).first().id);
    EXPECT_EQ(datafiles::sweepAttachments(db, store(), later), 0); // younger than the grace period
    EXPECT_EQ(datafiles::sweepAttachments(db, store(), later, 0), 1);
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(AttachmentsTest, BadInputIsRefusedAndChangesNothing)
{
    const qlonglong letter = addLetter(QStringLiteral("cvden2009"), QStringLiteral("Họp giao ban"));
    attach(letter, write(QStringLiteral("giữ lại.pdf"), kPdf));
    const QStringList before = stored();

    const QString big = write(QStringLiteral("phim.bin"), QByteArray());
    QFile f(big);
    ASSERT_TRUE(f.resize(500LL * 1024 * 1024)); // sparse: takes no room
    const QString store_ = store().folder();
    struct Case
    {
        const char* what;
        QString path;
        std::function<void()> arrange;
        QString message;
    } cases[] = {
        {"vanished",
         QDir(programFolder()).filePath(QStringLiteral("đã xoá.pdf")),
         {},
         QStringLiteral("Không tìm thấy")},
        {"too large", big, {}, QStringLiteral("quá giới hạn 100 MB")},
        {"not a PDF", write(QStringLiteral("thư.pdf"), "Kính gửi"), {}, QStringLiteral("nội dung không phải PDF")},
        {"not a PNG", write(QStringLiteral("ảnh.png"), "\xff\xd8\xff\xe0 jpeg"), {}, QStringLiteral("không phải PNG")},
        {"disk full", write(QStringLiteral("lớn.docx"), QByteArray(3 << 20, 'x')),
         [] {
             datafiles::AttachmentStore::setWriteHook([](qint64 written) {
                 if (written > (1 << 20))
                     throw std::runtime_error("no space left");
             });
         },
         QStringLiteral("Không ghi được tệp vào kho")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.arrange)
            c.arrange();
        EXPECT_TRUE(refusal(letter, c.path).contains(c.message)) << refusal(letter, c.path).toStdString();
        datafiles::AttachmentStore::setWriteHook({});
        EXPECT_EQ(stored(), before); // no temporary file left either
        EXPECT_EQ(datafiles::attachmentsOf(app::module1().letters, QStringLiteral("cvden2009"), letter).size(), 1);
    }

    // A store that cannot be made (its name taken by a file).
    ASSERT_TRUE(QDir(store_).removeRecursively());
    QFile blocker(store_);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_TRUE(refusal(letter, write(QStringLiteral("quét.tif"), QByteArray("II*\0", 4)))
                    .contains(QStringLiteral("Không ghi được tệp vào kho")));
    EXPECT_EQ(datafiles::attachmentsOf(app::module1().letters, QStringLiteral("cvden2009"), letter).size(), 1);
}

TEST_F(AttachmentsTest, ReadOnlyLettersFileShowsNothingAndRefuses)
{
    const QString path = QDir(programFolder()).filePath(QStringLiteral("chỉ đọc.mdb"));
    test::copyTemplate(path).execute(QStringLiteral("drop table tepdinhkem")); // written before attachments
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    db::Database db = openFile(path);
    EXPECT_FALSE(datafiles::ensureAttachmentsTable(db));
    EXPECT_TRUE(datafiles::attachmentsOf(db, QStringLiteral("cvden2009"), 1).isEmpty());
    EXPECT_THROW(datafiles::attachFile(db, datafiles::AttachmentStore::besideLettersFile(path),
                                       QStringLiteral("cvden2009"), 1, write(QStringLiteral("a.pdf"), kPdf),
                                       QStringLiteral("An"), QDateTime::currentDateTime()),
                 db::DbError);
}

TEST_F(AttachmentsTest, SavedCopyIsTheWholeFileOrNothing)
{
    const qlonglong letter = addLetter(QStringLiteral("cvden2009"), QStringLiteral("Họp giao ban"));
    const datafiles::Attachment a = attach(letter, write(QStringLiteral("gốc.pdf"), kPdf));
    const QString target = QDir(programFolder()).filePath(QStringLiteral("bản lưu “mới”.pdf"));
    datafiles::saveAttachmentAs(store(), a, target);
    EXPECT_EQ(readFile(target), kPdf);
    EXPECT_THROW(
        datafiles::saveAttachmentAs(store(), a, QDir(programFolder()).filePath(QStringLiteral("không có/x.pdf"))),
        datafiles::AttachmentError);
}

} // namespace
} // namespace testing_support
