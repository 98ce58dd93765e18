#include "attachment_replication.h"

#include "attachment_store.h"
#include "attachments.h"
#include "logging.h"

#include "platform/db/recordset.h"
#include "platform/db/sql_quote.h"

namespace datafiles {
namespace {

const QStringList& copiedColumns()
{
    static const QStringList columns{QStringLiteral("bang"),      QStringLiteral("tengoc"), QStringLiteral("bam"),
                                     QStringLiteral("kichthuoc"), QStringLiteral("kieu"),   QStringLiteral("nguoinap"),
                                     QStringLiteral("ngaynap")};
    return columns;
}

} // namespace

QStringList attachmentHashes(db::Database& letters, const QString& table)
{
    QStringList hashes;
    if (!letters.hasTable(kAttachmentsTable))
        return hashes;
    QString sql = QStringLiteral("select distinct bam from ") + kAttachmentsTable;
    if (!table.isEmpty())
        sql += QStringLiteral(" where bang = ") + db::quoteLiteral(table);
    db::Recordset rs = letters.openRecordset(sql, db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext())
        hashes << rs.value(0).toString();
    return hashes;
}

void copyMissingAttachmentFiles(const QStringList& hashes, const QString& lettersPath, const QString& backup)
{
    const AttachmentStore source = AttachmentStore::besideLettersFile(lettersPath);
    const AttachmentStore target = AttachmentStore::besideLettersFile(backup);
    for (const QString& hash : hashes) {
        if (!isStoreName(hash) || target.holds(hash))
            continue;
        const StoredFile copied = target.put(source.pathOf(hash));
        if (copied.hash != hash) // changed in the letters' store: never name it in the backup
            throw AttachmentError(QStringLiteral("The stored file ") + hash +
                                  QStringLiteral(" does not match its name"));
    }
}

QStringList mirrorAttachmentRowsSql(db::Database& letters, const QString& backup, const QString& table,
                                    const LetterRegister& reg)
{
    if (!letters.hasTable(kAttachmentsTable))
        return {};
    const QString q = reg.queryName;
    QStringList selected{q + QStringLiteral(".id")};
    for (const QString& column : copiedColumns())
        selected << QStringLiteral("a.") + column;
    return {QStringLiteral("delete * from ") + kAttachmentsTable + QStringLiteral(" in ") + db::quoteLiteral(backup) +
                QStringLiteral(" where bang = ") + db::quoteLiteral(table),
            QStringLiteral("insert into ") + kAttachmentsTable + QStringLiteral(" in ") + db::quoteLiteral(backup) +
                QStringLiteral(" (idcv,") + copiedColumns().join(QLatin1Char(',')) + QStringLiteral(") select ") +
                selected.join(QLatin1Char(',')) + QStringLiteral(" from ") + kAttachmentsTable +
                QStringLiteral(" as a, ") + table + QStringLiteral(", ") + q + QStringLiteral(" where a.bang = ") +
                db::quoteLiteral(table) + QStringLiteral(" and a.idcv = ") + table + QStringLiteral(".id and ") +
                table + QStringLiteral(".idcu = ") + q + QStringLiteral(".idcu order by a.id")};
}

} // namespace datafiles
