#pragma once

// The files attached to letters: the table tepdinhkem of the letters file names them (which
// letter of which year table, the original name, the content's hash, size, type, who added it
// and when); the store beside the letters file keeps them (attachment_store.h).
//
// Order of writes: a file is in the store, whole and flushed, before the row naming it commits;
// a row is removed before anything of its file. A kill at any moment therefore leaves at worst
// a file no row names, which sweepAttachments removes later.

#include "attachment_store.h"

#include "platform/db/database.h"
#include "platform/db/field_def.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

namespace datafiles {

inline const QString kAttachmentsTable = QStringLiteral("tepdinhkem");

// How long a file no row names stays in the store before a sweep removes it: another machine
// may have written it and not yet committed its row.
constexpr qint64 kSweepGraceSeconds = 24 * 60 * 60;

// One row of tepdinhkem.
struct Attachment
{
    long long id = 0;       // id
    long long letterId = 0; // idcv: id of the letter in its year table
    QString yearTable;      // bang: "cvden2026", "cvdi2026"
    QString name;           // tengoc: the file's name when it was attached
    QString hash;           // bam: its content's SHA-256, the name in the store
    qint64 size = 0;        // kichthuoc, bytes
    QString type;           // kieu: "application/pdf"
    QString addedBy;        // nguoinap: the user's full name
    QDateTime addedAt;      // ngaynap
};

// The definition of tepdinhkem, as the template file and older letters files get it.
db::TableDef attachmentsTableDef();

// Makes tepdinhkem in db when it is missing, in one transaction. True when the table is there
// afterwards; false when it is missing and the file cannot be written (a read-only letters file
// then shows no attachments and refuses to attach). Other errors are raised.
bool ensureAttachmentsTable(db::Database& db);

// The attachments of letter letterId of yearTable, in the order they were added; none when db
// has no tepdinhkem.
QList<Attachment> attachmentsOf(db::Database& db, const QString& yearTable, long long letterId);

// The attachments of every letter of yearTable, in the order they were added; none when db has no
// tepdinhkem.
QList<Attachment> attachmentsOfTable(db::Database& db, const QString& yearTable);

// Removes the rows of every letter of yearTable, in the caller's transaction (the table is being
// replaced: its letters' ids will name other letters). The files stay for the sweep.
void removeAttachmentsOfTable(db::Database& db, const QString& yearTable);

// Adds a row to tepdinhkem for each of attachments, in the caller's transaction, as they stand
// but for their id (the file's own) and letterId, which newIds maps from the letter's id in the
// file they come from to its id here; yearTable names their table here. Their files must be in
// this file's store already. A row whose letter newIds does not know (a letter deleted there) is
// left out. Raises db::DbError.
void addAttachmentRows(db::Database& db, const QString& yearTable, const QList<Attachment>& attachments,
                       const QHash<long long, long long>& newIds);

// Attaches the file at source to letter letterId of yearTable for user at now: the checks of
// attachment_checks.h, the copy into store, then the row, in one transaction. Raises
// AttachmentError with the sentence to tell (the file vanished or is unreadable, too large, not
// what its name says, already attached to this letter, the store cannot be written) and
// db::DbError when the row cannot be written; either way no row is added. A letter the backup
// already holds is flagged changed (kieuupdate 2), so the next replication mirrors its files.
Attachment attachFile(db::Database& db, const AttachmentStore& store, const QString& yearTable, long long letterId,
                      const QString& source, const QString& user, const QDateTime& now);

// The refusal for a file named name whose content the letter already carries as attachedName.
QString duplicateRefusal(const QString& name, const QString& attachedName);

// Removes the row of attachment id (the file stays for the sweep: another letter, or another
// machine attaching the same content at this moment, may name it), flagging its letter changed as
// attachFile does. Raises db::DbError.
void removeAttachment(db::Database& db, long long id);

// Writes the stored file of a to target through a temporary file renamed into place, so target
// is either its old self or the whole file. Raises AttachmentError when the stored file is
// missing or target cannot be written.
void saveAttachmentAs(const AttachmentStore& store, const Attachment& a, const QString& target);

// Writes the file at source to target as saveAttachmentAs does. Raises AttachmentError when
// source cannot be read (unreadableRefusal) or target cannot be written.
void copyFileAs(const QString& source, const QString& target);

// A copy of the stored file of a under its own name, for the desktop's program to open: in
// folder/<first 12 digits of its hash>/<its name> (made when missing, kept when already there
// whole). Returns its path; raises what saveAttachmentAs raises.
QString copyForOpening(const AttachmentStore& store, const Attachment& a, const QString& folder);

// Removes from store the files no row of db names, older than graceSeconds (see
// AttachmentStore::sweep). Does nothing when db has no tepdinhkem or cannot be written (a
// read-only run leaves the store alone). Returns how many files were removed.
int sweepAttachments(db::Database& db, const AttachmentStore& store, const QDateTime& now,
                     qint64 graceSeconds = kSweepGraceSeconds);

} // namespace datafiles
