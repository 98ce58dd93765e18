#pragma once

// The inbox on the incoming register: "Hộp văn bản đến" (cmdhopthu) lists the files waiting in
// the scanner folder (datafiles/scanner_inbox.h); "Nạp công văn từ tệp" starts a new incoming
// letter with the boxes its heading shows filled (number and sign, date, sender when it is a
// known correspondent). The file is held for the new letter as any file chosen in its panel
// "Tệp đính kèm" (pendingAttachments); the secretary checks and saves, the file is then attached to
// the saved letter and leaves the inbox. A letter not saved leaves the file where it was.

#include "platform/ui/form_base.h"
#include <QList>

#include <functional>
#include <memory>

#include "datafiles/scanner_inbox.h"

class QPushButton;

namespace ui {
class TextBox;
}

namespace Ui {
class frmhopthu;
}

namespace registers {

class EntryForm;

// The boxes of the entry form a document's heading fills.
struct TakeInBoxes
{
    ui::TextBox* number = nullptr; // so_cv
    ui::TextBox* date = nullptr;   // ng_cv
    ui::TextBox* sender = nullptr; // noigui, offered the correspondents of its pick grid DBGridnoigui
};

// Reads the text of a document, "" when it has none. Unless one is installed (tests), the first
// page's text is read as the words index reads documents: a PDF's own text, a scan by OCR.
using DocumentTextReader = std::function<QString(const QString& path)>;
DocumentTextReader setDocumentTextReader(DocumentTextReader reader);

// The list of the inbox (frmhopthu). It hides once a file is chosen for taking in (chosen()), or when closed.
class InboxDialog : public ui::FormBase
{
    Q_OBJECT

public:
    explicit InboxDialog(QWidget* parent = nullptr);
    ~InboxDialog() override;

    const Ui::frmhopthu& ui() const { return *m_ui; }
    const QList<datafiles::InboxFile>& files() const { return m_files; }
    // The file chosen by "Nạp công văn từ tệp"; "" before.
    QString chosen() const { return m_chosen; }

    void cmdnap_Click();
    void cmdmo_Click();
    void cmdlammoi_Click();
    void cmdthumuc_Click();

private:
    void reload();
    const datafiles::InboxFile* current() const;

    std::unique_ptr<Ui::frmhopthu> m_ui;
    QList<datafiles::InboxFile> m_files;
    QString m_chosen;
};

// Starts a new incoming letter on form from the inbox file path: the boxes filled from its
// heading, the file kept to be attached when the letter is saved. False (and told) when the form
// is busy with another letter, the file cannot be attached, or the form refuses to add.
bool takeInFile(EntryForm& form, const TakeInBoxes& boxes, const QString& path);

// Makes button open the inbox over form; a file chosen there is taken in.
void attachLetterInbox(EntryForm& form, QPushButton* button, const TakeInBoxes& boxes);

} // namespace registers
