#pragma once

// The attachments of the letter an entry form shows: its button "Tệp đính kèm" (cmdtepdinhkem)
// and files dropped on the form open the attachments panel (AttachmentsDialog) over the form.
//
// Files are added and removed only while the form corrects a saved letter ("Sửa"), under the
// rights and read-only rules that unlocked its boxes; a letter being added is saved first (it has
// no id the files could name until then). Viewing, opening and saving a copy always work.

#include "attachments_dialog.h"

class QPushButton;

namespace registers {

class EntryForm;

// What the panel of form's current letter shows and may do; letterWord names the register's
// letters in the panel's heading ("Công văn đến").
AttachmentsScope attachmentsScope(const EntryForm& form, const QString& letterWord);

// Opens the panel over form (window-modal, without waiting) and adds files to the letter when
// given (a drop). Returns the panel, which deletes itself when closed.
AttachmentsDialog* openAttachments(EntryForm& form, const QString& letterWord, const QStringList& files = {});

// Makes button open the panel and files dropped on form go to it.
void attachLetterAttachments(EntryForm& form, QPushButton* button, const QString& letterWord);

} // namespace registers
