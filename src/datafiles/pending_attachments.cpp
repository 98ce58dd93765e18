#include "pending_attachments.h"

#include "attachment_checks.h"
#include "attachments.h"

#include "app/core/run_time_error.h"
#include "platform/db/db_error.h"

#include <QFileInfo>

namespace datafiles {
namespace {

// Told after a failure when the file's origin says nothing else.
const QString kDefaultKeptNote = QStringLiteral(" Công văn đã được ghi đĩa; có thể đính kèm lại tệp này bằng nút "
                                                "\"Sửa\" rồi \"Tệp đính kèm\".");

} // namespace

const PendingAttachment& PendingAttachments::add(const QString& path, const QString& user, const QDateTime& now)
{
    return add(path, user, now, kDefaultKeptNote, {});
}

const PendingAttachment& PendingAttachments::add(const QString& path, const QString& user, const QDateTime& now,
                                                 QString keptNote, std::function<QString()> afterAttached)
{
    const QString refusal = checkAttachment(path);
    if (!refusal.isEmpty())
        throw AttachmentError(refusal);
    const StoredFile content = hashOf(path);
    const QString name = QFileInfo(path).fileName();
    for (const PendingAttachment& held : std::as_const(m_files)) {
        if (held.hash == content.hash)
            throw AttachmentError(duplicateRefusal(name, held.name));
    }
    PendingAttachment file;
    file.path = path;
    file.name = name;
    file.size = content.size;
    file.hash = content.hash;
    file.addedBy = user;
    file.addedAt = now;
    file.keptNote = keptNote.isEmpty() ? kDefaultKeptNote : std::move(keptNote);
    file.afterAttached = std::move(afterAttached);
    m_files << file;
    return m_files.constLast();
}

void PendingAttachments::remove(qsizetype index)
{
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

QStringList PendingAttachments::attachAll(db::Database& db, const AttachmentStore& store, const QString& yearTable,
                                          long long letterId, int* attached)
{
    const QList<PendingAttachment> files = std::exchange(m_files, {});
    QStringList told;
    int count = 0;
    for (const PendingAttachment& file : files) {
        try {
            attachFile(db, store, yearTable, letterId, file.path, file.addedBy, file.addedAt);
        } catch (const AttachmentError& e) {
            told << e.message() + file.keptNote;
            continue;
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e);
            told << QStringLiteral("Không ghi được tệp đính kèm \"") + file.name +
                        QStringLiteral("\" vào file dữ liệu: ") + e.description() + file.keptNote;
            continue;
        }
        ++count;
        if (file.afterAttached) {
            if (const QString note = file.afterAttached(); !note.isEmpty())
                told << note;
        }
    }
    if (attached)
        *attached = count;
    return told;
}

} // namespace datafiles
