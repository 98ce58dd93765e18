#include "server_replication.h"

#include "app/core/data_paths.h"
#include "app/core/file_presence.h"
#include "app/core/letters_schema.h"
#include "app/core/module1.h"
#include "platform/db/database.h"
#include "platform/db/transaction.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QFile>

namespace datafiles {

namespace {

const QString kOpenBackupStep = QStringLiteral("mở file backup công văn.");

// The backup file, made from the template when there is none yet (a temporary copy renamed, so
// that a run killed half-way leaves no half-made backup).
db::Database openBackup(const app::Module1& m, const QString& backup)
{
    if (app::filePresence(backup).isEmpty()) {
        const QString partial = backup + QStringLiteral(".tmp");
        QFile::remove(partial);
        if (!QFile::copy(m.templatePath, partial) || !QFile::rename(partial, backup)) {
            QFile::remove(partial);
            throw sys::FileError(QStringLiteral("Cannot write the backup file ") + QDir::toNativeSeparators(backup));
        }
    }
    if (sys::isReadOnly(backup))
        throw sys::FileError(QStringLiteral("The backup file is read-only: ") + QDir::toNativeSeparators(backup));
    return db::Database::open(backup, app::kConnect);
}

} // namespace

ReplicationOutcome mirrorFromServer(app::Module1& m, const QString& table, const LetterRegister& reg,
                                    const std::function<void()>& showNotice, QString& step)
{
    const QString backupPath = app::matchNameCase(m.backupPath);
    step = kOpenBackupStep;
    db::Database backup = openBackup(m, backupPath);
    app::upgradeLettersSchema(backup);
    const db::TableDef def = m.letters.tableDef(table);
    const bool whole = !backup.hasTable(def.name);

    QStringList columns; // those both tables have: a backup of an older form is mirrored in what it has
    for (const QString& column : reg.columns) {
        if (def.field(column))
            columns << column;
    }
    db::Recordset rows = m.letters.openRecordset(
        QStringLiteral("SELECT id, kieuupdate, idcu, ") + columns.join(QStringLiteral(", ")) +
            QStringLiteral(" FROM ") + def.name + (whole ? QString() : QStringLiteral(" WHERE kieuupdate > 0")),
        db::RecordsetType::Snapshot);
    if (rows.eof() && !whole)
        return ReplicationOutcome::NothingFlagged;
    showNotice();

    step = QStringLiteral("sao chép công văn sang file dữ liệu backup.");
    if (whole) {
        db::TableDef copy = def;
        copy.indexes.clear();
        backup.appendTableDef(copy);
    }
    QList<QPair<qint64, int>> written; // id and the flag read
    {
        db::Transaction transaction(backup, QStringLiteral("rolling back the backup"));
        db::Recordset mirror = backup.openRecordset(def.name);
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            // idcu is the letter's own number across copies; a row without one is keyed by its id.
            const QVariant idcu = rows.value(QStringLiteral("idcu")).isNull() ? rows.value(QStringLiteral("id"))
                                                                              : rows.value(QStringLiteral("idcu"));
            // A table copied whole is new: nothing to find in it.
            if (!whole)
                mirror.findFirst(QStringLiteral("idcu = ") + QString::number(idcu.toLongLong()));
            if (whole || mirror.noMatch())
                mirror.addNew();
            else
                mirror.edit();
            for (const QString& column : std::as_const(columns))
                mirror.setValue(column, rows.value(column));
            mirror.setValue(QStringLiteral("idcu"), idcu);
            mirror.setValue(QStringLiteral("kieuupdate"), 0);
            mirror.update();
            written << qMakePair(rows.value(QStringLiteral("id")).toLongLong(),
                                 rows.value(QStringLiteral("kieuupdate")).toInt());
        }
        transaction.commit();
    }

    // The flags of the rows written, as they were read: a row flagged again since keeps its flag.
    step = QStringLiteral("xoá dấu cập nhật của công văn đã backup.");
    db::Transaction transaction(m.letters, QStringLiteral("rolling back the backup flags"));
    for (const auto& [id, flag] : std::as_const(written)) {
        if (flag > 0)
            m.letters.execute(QStringLiteral("UPDATE ") + def.name + QStringLiteral(" SET kieuupdate = 0 WHERE id = ") +
                              QString::number(id) + QStringLiteral(" AND kieuupdate = ") + QString::number(flag));
    }
    transaction.commit();
    return whole ? ReplicationOutcome::TableCopied : ReplicationOutcome::RowsCopied;
}

} // namespace datafiles
