#pragma once

// Files chosen for a letter that is still being added: it has no row yet that an attachment row
// could name, so the files wait where they are (nothing is copied into the store) until the
// letter is saved, and are then attached one by one as any file is (attachments.h). Dropping
// them leaves nothing behind.

#include "attachment_store.h"

#include "platform/db/database.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace datafiles {

struct PendingAttachment
{
    QString path;      // where the file was chosen; read again when it is attached
    QString name;      // its name there
    qint64 size = 0;   // when it was chosen
    QString hash;      // of its content when it was chosen: the same content is not held twice
    QString addedBy;   // who chose it
    QDateTime addedAt; // when
    // Said after the reason a file could not be attached, to tell where it still is.
    QString keptNote;
    // Run once the file is attached; returns "" or a sentence to tell (the scanner inbox moves
    // the file out of its folder).
    std::function<QString()> afterAttached;
};

class PendingAttachments
{
public:
    const QList<PendingAttachment>& files() const { return m_files; }
    bool isEmpty() const { return m_files.isEmpty(); }

    // Holds the file at path for user at now after the checks attachFile makes (readable, size,
    // type) and that no held file has the same content. Raises AttachmentError with the refusal;
    // nothing is held then. Returns the file held.
    const PendingAttachment& add(const QString& path, const QString& user, const QDateTime& now);
    // As add, with the note and the action of the file's origin.
    const PendingAttachment& add(const QString& path, const QString& user, const QDateTime& now, QString keptNote,
                                 std::function<QString()> afterAttached);

    void remove(qsizetype index);
    void clear() { m_files.clear(); }

    // Attaches every held file to letter letterId of yearTable (attachFile: each copied into the
    // store and flushed before its row commits) and holds none afterwards. A file that cannot be
    // attached (gone, changed, the store or the letters file cannot be written) is left out; its
    // sentence is among those returned and the others go on. Returns what to tell, in order, and
    // sets attached to how many were attached.
    QStringList attachAll(db::Database& db, const AttachmentStore& store, const QString& yearTable, long long letterId,
                          int* attached = nullptr);

private:
    QList<PendingAttachment> m_files;
};

} // namespace datafiles
