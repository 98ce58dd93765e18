// The attachments panel on both letter entry forms: viewing refuses changes, correcting a letter
// adds (chooser and drop), opens, saves a copy and removes (with the question), and a read-only
// run then shows the files and refuses with the read-only message; a letter being added holds its
// files until it is saved.
#include "../../support/accessibility_check.h"
#include "../register_fixture.h"
#include "files.h"
#include "sample_documents.h"

#include "datafiles/forms/file_dialog.h"
#include "platform/document/document_viewer.h"
#include "registers/entry_form.h"
#include "registers/letters/attachments_dialog.h"
#include "registers/outgoing/outgoing_forms.h"
#include "registers/register_data.h"
#include "ui_frmtepdinhkem.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QPdfDocument>
#include <QPrinter>
#include <QTableWidget>

namespace {

using registers::AttachmentsDialog;
using registers_test::RegisterTest;

struct LetterRegister
{
    const char* command;
    const char* form;
    QList<std::pair<const char*, const char*>> filled; // the required boxes
};

const LetterRegister kRegisters[] = {
    {"cmdnapcvden",
     "frmcvden",
     {{"mnoigui", "Sở Nội vụ"}, {"mdv_nhan", "Phòng Hành chính"}, {"mtt_ndung", "Họp giao ban"}}},
    {"cmdnapcvdi",
     "frmcvdi",
     {{"mdv_nhan", "Sở Nội vụ"}, {"mnoiluu", "Văn phòng"}, {"mnguoiky", "Nguyễn Văn An"}, {"mtt_ndung", "Báo cáo"}}},
};

class AttachmentsPanelTest : public RegisterTest
{
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        registers::registerOutgoingForms();
        login(u"Nguyễn Văn An"_s, u"QT"_s);
        registers::setDocumentOpener([this](const QString& path) {
            opened = path;
            return true;
        });
    }
    void TearDown() override
    {
        datafiles::setFileChooser({});
        datafiles::setSaveFileChooser({});
        registers::setDocumentOpener({});
        registers::setPrinterChooser({});
        RegisterTest::TearDown();
    }
    QString file(const QString& name, const QByteArray& content) const
    {
        const QString path = home.data(name);
        EXPECT_TRUE(test::writeFile(path, content));
        return path;
    }
    // A new letter on the register's entry form, its required boxes filled, not saved.
    registers::EntryForm* newLetterOn(const LetterRegister& r)
    {
        auto* f = openBy<registers::EntryForm>(r.command, app::DataFile::Letters, r.form);
        click(*f, "cmdAdd");
        EXPECT_EQ(f->mode(), registers::EntryMode::Adding) << home.messageText();
        for (const auto& [box, text] : r.filled)
            f->control<ui::TextBox>(QString::fromLatin1(box))->setText(QString::fromUtf8(text));
        return f;
    }
    // A saved letter on the register's entry form, viewed.
    registers::EntryForm* letterOn(const LetterRegister& r)
    {
        registers::EntryForm* f = newLetterOn(r);
        click(*f, "cmdUpdate");
        EXPECT_EQ(f->mode(), registers::EntryMode::Viewing) << home.messageText();
        return f;
    }
    // Drops the file at path on the register's first required box (on the box, not into it).
    static void drop(registers::EntryForm* f, const LetterRegister& r, const QString& path)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QWidget* box = f->control<ui::TextBox>(QString::fromLatin1(r.filled.first().first));
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &drop);
    }
    static datafiles::AttachmentStore store()
    {
        return datafiles::AttachmentStore::besideLettersFile(app::module1().lettersPath);
    }
    static QStringList storedFiles() { return QDir(store().folder()).entryList(QDir::Files | QDir::Hidden); }
    // The names of the files attached to the form's current letter, each checked in the store.
    static QStringList attachedNames(registers::EntryForm* f)
    {
        QStringList list;
        const long long id = f->Data1->recordset().value(u"id"_s).toLongLong();
        for (const datafiles::Attachment& a : datafiles::attachmentsOf(f->database(), f->table(), id))
            list << a.name + (store().holds(a.hash) ? QString() : u" (not in the store)"_s);
        return list;
    }
    // The panel open on the form (after its button, a drop or a save).
    static AttachmentsDialog* panelOf(registers::EntryForm* f)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto panels = f->findChildren<AttachmentsDialog*>();
        EXPECT_EQ(panels.size(), 1);
        return panels.size() == 1 ? panels.first() : nullptr;
    }
    AttachmentsDialog* openPanel(registers::EntryForm* f)
    {
        click(*f, "cmdtepdinhkem");
        return panelOf(f);
    }
    static void close(AttachmentsDialog* panel)
    {
        panel->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QStringList names(const AttachmentsDialog* panel)
    {
        QStringList list;
        const QTableWidget* table = panel->ui().lsttep;
        for (int i = 0; i < table->rowCount(); ++i)
            list << table->item(i, 0)->text() + u'|' + table->item(i, 3)->text();
        return list;
    }

    QString opened; // the file last given to the desktop's program
};

TEST_F(AttachmentsPanelTest, CorrectingALetterChangesItsFilesAndALetterBeingAddedHoldsThemUntilItIsSaved)
{
    const QByteArray pdf = QByteArrayLiteral("%PDF-1.4\n%%EOF\n");
    const QString chosen = file(u"Tờ trình \"số 7\" của Sở.pdf"_s, pdf);
    const QString sameContent = file(u"bản sao.pdf"_s, pdf);
    const QString dropped = file(u"ảnh quét.png"_s, QByteArrayLiteral("\x89PNG\r\n\x1a\n...."));
    const QString wrong = file(u"giả.pdf"_s, QByteArrayLiteral("Kính gửi"));
    const QString removed = file(u"bảng kê.xlsx"_s, QByteArrayLiteral("PK\x03\x04"));
    for (const LetterRegister& r : kRegisters) {
        SCOPED_TRACE(r.form);
        registers::EntryForm* f = letterOn(r);

        // Viewing: the files are shown, not changed.
        AttachmentsDialog* panel = openPanel(f);
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(test::isAccessible(panel));
        EXPECT_FALSE(panel->ui().cmdthem->isEnabled());
        EXPECT_TRUE(panel->ui().lblhuongdan->text().contains(u"\"Sửa\""_s));
        close(panel);

        click(*f, "cmdsua");
        ASSERT_EQ(f->mode(), registers::EntryMode::Editing);
        panel = openPanel(f);
        datafiles::setFileChooser([&](const datafiles::OpenFileRequest&) { return chosen; });
        panel->ui().cmdthem->click();
        home.responder.clear();
        panel->addFiles({wrong});
        EXPECT_EQ(home.messages().size(), 1);
        EXPECT_TRUE(home.messages().join(u' ').contains(u"không phải PDF"_s));
        EXPECT_EQ(names(panel), QStringList{u"Tờ trình \"số 7\" của Sở.pdf|Nguyễn Văn An"_s});
        shoot(panel, QLatin1String(r.form) + u".png"_s);
        shoot(f, QLatin1String(r.form) + u"-form.png"_s);
        close(panel);

        // Files dropped on the form open the panel and are attached.
        drop(f, r, dropped);
        EXPECT_EQ(f->control<ui::TextBox>(QString::fromLatin1(r.filled.first().first))->text(),
                  QString::fromUtf8(r.filled.first().second));
        panel = panelOf(f);
        ASSERT_NE(panel, nullptr);
        ASSERT_EQ(panel->attachments().size(), 2);
        EXPECT_EQ(panel->attachments().at(1).name, u"ảnh quét.png"_s);

        panel->ui().lsttep->selectRow(0);
        panel->ui().cmdmo->click();
        EXPECT_TRUE(opened.endsWith(u"/Tờ trình \"số 7\" của Sở.pdf"_s));
        const QString copy = home.data(u"bản lưu.pdf"_s);
        datafiles::setSaveFileChooser([&](const datafiles::OpenFileRequest&) { return copy; });
        panel->ui().cmdluu->click();
        EXPECT_EQ(test::readFile(opened), pdf);
        EXPECT_EQ(test::readFile(copy), pdf);
        QFile::remove(copy);

        home.responder.answer(u"no"_s);
        panel->ui().cmdxoa->click();
        EXPECT_EQ(panel->attachments().size(), 2);
        home.responder.answer(u"yes"_s);
        panel->ui().cmdxoa->click();
        ASSERT_EQ(panel->attachments().size(), 1);
        EXPECT_EQ(panel->attachments().first().name, u"ảnh quét.png"_s);
        close(panel);
        click(*f, "cmdUpdate");
        f->hide();

        // A read-only run shows the file kept and refuses changes with the read-only message.
        app::module1().readOnly = true;
        f = openBy<registers::EntryForm>(r.command, app::DataFile::Letters, r.form);
        panel = openPanel(f);
        EXPECT_EQ(panel->attachments().size(), 1);
        EXPECT_TRUE(panel->ui().cmdmo->isEnabled());
        EXPECT_FALSE(panel->ui().cmdxoa->isEnabled());
        home.responder.clear();
        panel->addFiles({file(u"khác.pdf"_s, QByteArrayLiteral("%PDF-1.5"))});
        EXPECT_EQ(home.messages(), QStringList{registers::kReadOnlyMessage});
        EXPECT_EQ(panel->attachments().size(), 1);
        close(panel);
        f->hide();
        app::module1().readOnly = false;

        // A letter being added holds the files chosen and dropped, checked as when attaching,
        // marked "(chưa ghi)" and read where they are; saving the letter attaches them.
        const QStringList before = storedFiles();
        f = newLetterOn(r);
        panel = openPanel(f);
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(test::isAccessible(panel));
        ASSERT_TRUE(panel->ui().cmdthem->isEnabled());
        datafiles::setFileChooser([&](const datafiles::OpenFileRequest&) { return chosen; });
        panel->ui().cmdthem->click();
        home.responder.clear();
        panel->addFiles({wrong, sameContent});
        ASSERT_EQ(home.messages().size(), 2);
        EXPECT_TRUE(home.messages().at(0).contains(u"không phải PDF"_s));
        EXPECT_TRUE(home.messages().at(1).contains(u"đã được đính kèm công văn này"_s));
        ASSERT_EQ(panel->ui().lsttep->rowCount(), 1);
        EXPECT_EQ(panel->ui().lsttep->item(0, 2)->text(), u"(chưa ghi)"_s);
        panel->ui().cmdmo->click();
        EXPECT_EQ(opened, chosen);
        panel->addFiles({removed});
        home.responder.answer(u"yes"_s);
        panel->ui().cmdxoa->click(); // the last added is selected
        shoot(panel, QLatin1String(r.form) + u"-adding.png"_s);
        close(panel);

        drop(f, r, dropped);
        panel = panelOf(f);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(names(panel),
                  (QStringList{u"Tờ trình \"số 7\" của Sở.pdf|Nguyễn Văn An"_s, u"ảnh quét.png|Nguyễn Văn An"_s}));
        close(panel);
        EXPECT_EQ(storedFiles(), before); // nothing written before the letter is

        click(*f, "cmdUpdate");
        ASSERT_EQ(f->mode(), registers::EntryMode::Viewing) << home.messageText();
        EXPECT_EQ(attachedNames(f), (QStringList{u"Tờ trình \"số 7\" của Sở.pdf"_s, u"ảnh quét.png"_s}));
        f->hide();
    }
}

// Adding abandoned: a save refused by a check keeps the files held; closing without saving drops
// them and nothing is written. Then a held file gone before the letter is saved: told, the letter
// saved, the other file attached.
TEST_F(AttachmentsPanelTest, AbandonedAddingAttachesNothingAndAHeldFileGoneAtTheSaveIsTold)
{
    const LetterRegister& r = kRegisters[1];
    registers::EntryForm* f = newLetterOn(r);
    f->control<ui::TextBox>(QString::fromLatin1(r.filled.first().first))->setText(QString());
    openPanel(f)->addFiles({file(u"báo cáo.pdf"_s, QByteArrayLiteral("%PDF-1.4"))});
    close(panelOf(f));
    click(*f, "cmdUpdate"); // a required box empty: refused
    ASSERT_EQ(f->mode(), registers::EntryMode::Adding);
    EXPECT_EQ(openPanel(f)->attachments().size(), 1);
    close(panelOf(f));

    home.responder.answer(u"no"_s); // "Có lưu giữ bản ghi đang nạp không ?"
    click(*f, "cmdclose");
    EXPECT_EQ(home.responder.unusedAnswers(), 0);
    EXPECT_TRUE(storedFiles().isEmpty());
    EXPECT_TRUE(datafiles::attachmentsOfTable(f->database(), f->table()).isEmpty());
    f = newLetterOn(r);
    EXPECT_TRUE(openPanel(f)->attachments().isEmpty());

    const QString gone = file(u"đã xoá.pdf"_s, QByteArrayLiteral("%PDF-1.4"));
    const QString kept = file(u"còn.pdf"_s, QByteArrayLiteral("%PDF-1.5"));
    panelOf(f)->addFiles({gone, kept});
    close(panelOf(f));
    ASSERT_TRUE(QFile::remove(gone));
    home.responder.clear();
    click(*f, "cmdUpdate");
    ASSERT_EQ(f->mode(), registers::EntryMode::Viewing);
    ASSERT_EQ(home.messages().size(), 1);
    EXPECT_TRUE(home.messages().first().startsWith(u"Không tìm thấy tệp \"đã xoá.pdf\""_s));
    EXPECT_TRUE(home.messages().first().contains(u"Công văn đã được ghi đĩa"_s));
    EXPECT_EQ(f->Data1->recordset().recordCount(), 1);
    EXPECT_EQ(attachedNames(f), QStringList{u"còn.pdf"_s});
}

// "Xem" and a double-click show a PDF or an image in the viewer over the panel, any other file
// with the desktop's program; "In…" prints through the printer chosen; a file gone from the store
// is told and nothing opens.
TEST_F(AttachmentsPanelTest, ViewingAndPrintingAttachments)
{
    const QString pdf = home.data(u"Quyết định 45.pdf"_s);
    ASSERT_TRUE(test::writeTextPdf(pdf, {u"Số: 45/QĐ-UBND"_s, u"Điều 1. Khen thưởng"_s}));
    const QString scan = file(u"ảnh quét.png"_s, test::imageBytes("png"));
    const QString sheet = file(u"bảng kê.xlsx"_s, QByteArrayLiteral("PK\x03\x04"));
    registers::EntryForm* f = letterOn(kRegisters[0]);
    click(*f, "cmdsua");
    AttachmentsDialog* panel = openPanel(f);
    ASSERT_NE(panel, nullptr);
    panel->addFiles({pdf, scan, sheet});
    ASSERT_EQ(panel->attachments().size(), 3) << home.messageText();
    QTableWidget* list = panel->ui().lsttep;
    const auto viewers = [panel] { return panel->findChildren<document::DocumentViewer*>(); };

    list->selectRow(0);
    panel->ui().cmdxem->click();
    ASSERT_EQ(viewers().size(), 1);
    EXPECT_EQ(viewers().first()->pageCount(), 2);
    EXPECT_FALSE(viewers().first()->isModal());
    EXPECT_TRUE(test::isAccessible(viewers().first()));
    shoot(panel, u"panel-view.png"_s);
    const QPoint onScan = list->visualItemRect(list->item(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, onScan);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, onScan);
    QStringList titles;
    for (const document::DocumentViewer* v : viewers())
        titles << v->windowTitle();
    titles.sort();
    EXPECT_EQ(titles, (QStringList{u"Xem tệp: Quyết định 45.pdf"_s, u"Xem tệp: ảnh quét.png"_s}));

    list->selectRow(2);
    panel->ui().cmdxem->click();
    EXPECT_TRUE(opened.endsWith(u"/bảng kê.xlsx"_s));
    EXPECT_EQ(viewers().size(), 2);

    // Printing: the PDF's two pages; cancelled, nothing; a spreadsheet is told to print elsewhere.
    const QString out = home.data(u"bản in.pdf"_s);
    bool accept = true;
    registers::setPrinterChooser([&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        return accept;
    });
    list->selectRow(0);
    panel->ui().cmdin->click();
    QPdfDocument printed;
    ASSERT_EQ(printed.load(out), QPdfDocument::Error::None) << home.messageText();
    EXPECT_EQ(printed.pageCount(), 2);
    printed.close();
    QFile::remove(out);
    accept = false;
    panel->ui().cmdin->click();
    EXPECT_FALSE(QFile::exists(out));
    home.responder.clear();
    list->selectRow(2);
    panel->ui().cmdin->click();
    EXPECT_TRUE(home.messages().join(u' ').contains(u"chỉ in được tệp PDF và ảnh"_s));

    // The stored PDF gone: told, no viewer, the rows as they were.
    ASSERT_TRUE(QFile::remove(store().pathOf(panel->attachments().first().hash)));
    home.responder.clear();
    list->selectRow(0);
    panel->ui().cmdxem->click();
    EXPECT_TRUE(home.messages().join(u' ').startsWith(u"Không tìm thấy tệp \"Quyết định 45.pdf\""_s));
    EXPECT_EQ(viewers().size(), 2);
    EXPECT_EQ(panel->attachments().size(), 3);
    close(panel);
    click(*f, "cmdUpdate");
    f->hide();
}

} // namespace
