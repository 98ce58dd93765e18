#pragma once

// The attachments panel of a letter (frmtepdinhkem): the letter's files with their name, size,
// date added and who added them; "Thêm tệp…" (or files dropped on it), "Xem" (a PDF or an image
// in the program's viewer, any other file with the desktop's program; also a double-click),
// "Mở", "Lưu thành…", "In…" and "Xoá". Viewing, opening, printing and saving a copy always work; adding and removing
// only when the letter's boxes may be changed (its entry form is adding or correcting it), as its caller says.
// For a letter being added the panel lists and changes the files held for it (marked "(chưa ghi)"),
// read where they were chosen.

#include "datafiles/attachments.h"
#include "datafiles/pending_attachments.h"
#include "platform/db/database.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class QPrinter;

namespace Ui {
class frmtepdinhkem;
}

namespace registers {

// Which letter the panel shows and what it may do.
struct AttachmentsScope
{
    db::Database db;        // the letters file
    QString yearTable;      // "cvden2026"
    long long letterId = 0; // 0: a letter being added, not saved yet
    // The files held for a letter being added (not owned); null otherwise.
    datafiles::PendingAttachments* pending = nullptr;
    QString letterTitle; // "Công văn đến số 12", shown above the list
    QString user;        // stamped on what is added
    // "" when files may be added and removed; else why not, shown under the list and told when
    // files are dropped.
    QString whyNoChanges;
};

// Opens a file with the desktop's program for its type; false when none opened it. Tests
// replace it so that nothing is launched.
using DocumentOpener = std::function<bool(const QString& path)>;
DocumentOpener setDocumentOpener(DocumentOpener opener);
// Opens path with the opener (the desktop's program unless a test replaced it).
bool openDocument(const QString& path);

// Asks the user where to print (the print dialog, which sets printer); false when cancelled.
// Tests replace it to print to a PDF file.
using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;
PrinterChooser setPrinterChooser(PrinterChooser chooser);

class AttachmentsDialog : public QDialog
{
    Q_OBJECT

public:
    AttachmentsDialog(AttachmentsScope scope, QWidget* parent = nullptr);
    ~AttachmentsDialog() override;

    const Ui::frmtepdinhkem& ui() const { return *m_ui; }
    // The files listed; those held for a letter being added have id 0.
    const QList<datafiles::Attachment>& attachments() const { return m_rows; }

    // Attaches each file in turn; a refused one is told and the others go on.
    void addFiles(const QStringList& paths);

    void cmdthem_Click();
    void cmdxem_Click();
    void cmdmo_Click();
    void cmdluu_Click();
    void cmdin_Click();
    void cmdxoa_Click();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void reload(long long select = 0, int selectRow = -1);
    const datafiles::Attachment* current() const;
    // Where the file of the current row is read: the store, or where a held file was chosen.
    QString currentPath() const;
    void updateButtons();
    bool mayChange();

    std::unique_ptr<Ui::frmtepdinhkem> m_ui;
    AttachmentsScope m_scope;
    datafiles::AttachmentStore m_store;
    QList<datafiles::Attachment> m_rows;
};

// The local files among urls (a drop), in order.
QStringList localFiles(const QList<QUrl>& urls);

} // namespace registers
