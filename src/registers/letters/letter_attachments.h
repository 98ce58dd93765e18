#pragma once

// The attachments of the letter an entry form shows: its button "Tệp đính kèm" (cmdtepdinhkem)
// and files dropped on the form open the attachments panel (AttachmentsDialog) over the form.
//
// Files are added and removed while the form adds a letter or corrects a saved one ("Sửa"), under
// the rights and read-only rules that unlocked its boxes. A letter being added has no row its files
// could name yet: they are held where they are (pendingAttachments) and attached once the letter is
// saved, or dropped when the adding ends without a save. Viewing, opening and saving a copy always
// work.

#include "attachments_dialog.h"

#include "datafiles/pending_attachments.h"

class QPushButton;

namespace registers {

class EntryForm;

// What the panel of form's current letter shows and may do; letterWord names the register's
// letters in the panel's heading ("Công văn đến").
AttachmentsScope attachmentsScope(EntryForm& form, const QString& letterWord);

// The files held for the letter being added on form; attached when form saves it
// (EntryForm::recordSaved), dropped when its mode leaves adding otherwise.
datafiles::PendingAttachments& pendingAttachments(EntryForm& form);

// Opens the panel over form (window-modal, without waiting) and adds files to the letter when
// given (a drop). Returns the panel, which deletes itself when closed.
AttachmentsDialog* openAttachments(EntryForm& form, const QString& letterWord, const QStringList& files = {});

// Makes button open the panel and files dropped on form go to it.
void attachLetterAttachments(EntryForm& form, QPushButton* button, const QString& letterWord);

} // namespace registers
