// The scanner inbox on the incoming register: a file waiting in the folder becomes a new letter
// with the boxes its heading shows filled; saving attaches the file and moves it out of the inbox.
#include "../../support/accessibility_check.h"
#include "../register_fixture.h"
#include "files.h"

#include "datafiles/attachments.h"
#include "registers/incoming/letter_inbox.h"
#include "registers/letters/attachments_dialog.h"
#include "sample_documents.h"
#include "ui_frmhopthu.h"
#include "ui_frmtepdinhkem.h"

#include <QDir>

namespace {

using registers::InboxDialog;
using registers::IncomingEntryForm;

class LetterInboxTest : public registers_test::RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        login(u"Nguyễn Văn An"_s, u"QT"_s);
        datafiles::setInboxSettingsFile(home.data(u"hopthu.ini"_s));
        inbox = home.data(u"máy quét"_s);
        QDir().mkpath(inbox);
        datafiles::setInboxFolder(inbox);
        registers::setDocumentTextReader([](const QString&) {
            return u"UBND TỈNH BẮC NINH CỘNG HÒA XÃ HỘI CHỦ NGHĨA VIỆT NAM\nSỞ NỘI VỤ\n"
                   "Số: 123/SNV-VP Bắc Ninh, ngày 05 tháng 3 năm 2026"_s;
        });
    }
    void TearDown() override
    {
        ui::FormBase::setModalHandler({});
        registers::setDocumentTextReader({});
        datafiles::setInboxSettingsFile(QString());
        RegisterTest::TearDown();
    }
    QString put(const QString& name, const QByteArray& content) const
    {
        const QString path = inbox + u'/' + name;
        EXPECT_TRUE(test::writeFile(path, content));
        return path;
    }
    QString inbox;
};

TEST_F(LetterInboxTest, AFileTakenInFillsTheBoxesAndIsAttachedWhenSavedAndAPdfsOwnTextFillsThemToo)
{
    const QByteArray pdf = QByteArrayLiteral("%PDF-1.4\n%%EOF\n");
    const QString waiting = put(u"Công văn 123.pdf"_s, pdf);
    put(u"đang quét.pdf.part"_s, pdf);
    QDir(inbox).mkpath(datafiles::kTakenInFolder);
    QFile::copy(waiting, inbox + u'/' + datafiles::kTakenInFolder + u"/Công văn 123.pdf"_s);

    auto* f = openBy<IncomingEntryForm>("cmdnapcvden", app::DataFile::Letters, "frmcvden");
    EXPECT_EQ(f->ui().cmdhopthu->text(), u"Hộp văn bản đến (1)"_s);
    ui::FormBase::setModalHandler([](ui::FormBase& form) {
        auto* list = qobject_cast<InboxDialog*>(&form);
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(test::isAccessible(list));
        ASSERT_EQ(list->files().size(), 1); // the file still being written is not offered
        EXPECT_EQ(list->files().first().name, u"Công văn 123.pdf"_s);
        shoot(list, u"frmhopthu.png"_s);
        list->ui().cmdnap->click();
    });
    click(*f, "cmdhopthu");
    ASSERT_EQ(f->mode(), registers::EntryMode::Adding) << home.messageText();
    EXPECT_EQ(f->ui().mso_cv->text() + u'|' + f->ui().mng_cv->text() + u'|' + f->ui().mnoigui->text(),
              u"123/SNV-VP|05/03/2026|Sở Nội vụ"_s);
    shoot(f, u"frmcvden-hopthu.png"_s);

    // The file waits among the letter's files, not yet attached.
    click(*f, "cmdtepdinhkem");
    auto* panel = f->findChild<registers::AttachmentsDialog*>();
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->ui().lsttep->rowCount(), 1);
    EXPECT_EQ(panel->ui().lsttep->item(0, 0)->text() + u'|' + panel->ui().lsttep->item(0, 2)->text(),
              u"Công văn 123.pdf|(chưa ghi)"_s);
    delete panel;

    // Another take-in while this letter is being added is refused; the typed values stay.
    f->ui().mtt_ndung->setText(u"Về việc tuyển dụng"_s);
    EXPECT_FALSE(f->takeIn(waiting));
    EXPECT_EQ(f->ui().mtt_ndung->text(), u"Về việc tuyển dụng"_s);
    EXPECT_EQ(home.messages().size(), 1);

    f->ui().mdv_nhan->setText(u"Phòng Hành chính"_s);
    click(*f, "cmdUpdate");
    ASSERT_EQ(f->mode(), registers::EntryMode::Viewing) << home.messageText();
    const long long id = f->Data1->recordset().value(u"id"_s).toLongLong();
    const QList<datafiles::Attachment> files = datafiles::attachmentsOf(f->database(), f->table(), id);
    ASSERT_EQ(files.size(), 1) << home.messageText();
    EXPECT_EQ(files.first().name, u"Công văn 123.pdf"_s);
    EXPECT_TRUE(datafiles::inboxFiles(inbox).isEmpty());
    EXPECT_EQ(f->ui().cmdhopthu->text(), u"Hộp văn bản đến"_s);
    EXPECT_TRUE(QFile::exists(inbox + u'/' + datafiles::kTakenInFolder + u"/Công văn 123 (2).pdf"_s));

    // A file that is not what its name says is refused before anything starts.
    const QString fake = put(u"giả.pdf"_s, QByteArrayLiteral("Kính gửi"));
    home.responder.clear();
    EXPECT_FALSE(f->takeIn(fake));
    EXPECT_EQ(f->mode(), registers::EntryMode::Viewing);
    EXPECT_EQ(home.messages().size(), 1);
    EXPECT_EQ(datafiles::inboxFiles(inbox).size(), 1);

    // With the program's reader, a PDF's own first page fills the boxes.
    registers::setDocumentTextReader({});
    const QString ownText = inbox + u"/Tờ trình.pdf"_s;
    test::writeTextPdf(ownText, {u"SỞ TÀI CHÍNH\nSố: 45/STC-NS\nBắc Ninh, ngày 12 tháng 02 năm "
                                 "2026\nTỜ TRÌNH\nVề việc cấp kinh phí"_s});
    ASSERT_TRUE(f->takeIn(ownText)) << home.messageText();
    EXPECT_EQ(f->ui().mso_cv->text() + u'|' + f->ui().mng_cv->text() + u'|' + f->ui().mnoigui->text(),
              u"45/STC-NS|12/02/2026|Sở Tài chính"_s);
}

} // namespace
