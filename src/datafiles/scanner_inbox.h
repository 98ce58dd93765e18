#pragma once

// The scanner inbox: a folder where a scanner or the document exchange drops the letters that
// arrive as files. Each file in it waits to be taken in as a new incoming letter; once the letter
// that holds it is saved, the file moves to the subfolder "Đã nạp" of the inbox, so it leaves the
// list and is never lost (the program removes nothing from the inbox). No window here: the list
// and the take-in are registers/letters/letter_inbox.h.

#include <QDateTime>
#include <QList>
#include <QString>

namespace datafiles {

// The subfolder of the inbox that keeps the files taken in.
inline const QString kTakenInFolder = QStringLiteral("Đã nạp");

// A file waiting in the inbox.
struct InboxFile
{
    QString path; // absolute
    QString name;
    qint64 size = 0;
    QDateTime modified;
};

// The inbox folder named in the settings store (key "ThuMucNhanVanBan"); "" for none.
QString inboxFolder();
void setInboxFolder(const QString& folder);
// The settings store file inboxFolder() reads (tests); "" for the user's own store.
void setInboxSettingsFile(const QString& path);

// The files waiting in folder, oldest first (then by name): plain files directly in it, leaving
// out hidden files and those a program is still writing ("*.part", "*.tmp", "*.crdownload", "~$…").
// None when folder is "" or cannot be read.
QList<InboxFile> inboxFiles(const QString& folder);

// Moves a taken-in file from the inbox into its "Đã nạp" subfolder (made when missing), under a
// name not yet used there ("thu.pdf", then "thu (2).pdf" …). Returns the new path; raises
// AttachmentError with the sentence to tell when the file cannot be moved (it then stays where it
// was, to be moved by hand).
QString moveTakenIn(const QString& path);

} // namespace datafiles
