#pragma once

// The files attached to the letters of a year table, mirrored into the backup with the letters:
// the files first (into the store beside the backup file), then the rows of tepdinhkem, inside
// the transaction that copies the letters.

#include "platform/db/database.h"
#include "replication_sql.h"

#include <QString>
#include <QStringList>

namespace datafiles {

// Copies from the store beside lettersPath into the store beside backup the files of hashes that
// store lacks, as the store writes (temporary name, flushed, renamed). Raises AttachmentError when
// a file cannot be copied (the files already copied stay: no row names them yet).
void copyMissingAttachmentFiles(const QStringList& hashes, const QString& lettersPath, const QString& backup);

// The statements that make the backup's rows of tepdinhkem for table those of letters, each
// naming the backup's copy of its letter (the row with the same idcu, reached through reg's
// stored query); a row whose letter has no copy is left out. Empty when letters has no
// tepdinhkem. The backup must have the table (ensureAttachmentsTable).
QStringList mirrorAttachmentRowsSql(db::Database& letters, const QString& backup, const QString& table,
                                    const LetterRegister& reg);

// The hashes named by letters' rows of tepdinhkem (all year tables when table is empty).
QStringList attachmentHashes(db::Database& letters, const QString& table);

} // namespace datafiles
