#include "kill_checks.h"

#include "app/core/module1.h"
#include "datafiles/attachments.h"
#include "platform/db/database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace killtest {

void Ledger::read(const QByteArray& output)
{
    const QList<QByteArray> lines = output.split('\n');
    // The last piece has no line end when the kill cut it short.
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i));
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.size() == 5 && parts.at(0) == QLatin1String("att") && parts.at(1) == QLatin1String("ack"))
            m_attached.insert(parts.at(2) + QLatin1Char(' ') + parts.at(4));
        if (parts.size() < 5 || (parts.at(0) != QLatin1String("try") && parts.at(0) != QLatin1String("ack")))
            continue;
        const QString key = parts.at(2) + QLatin1Char(' ') + parts.at(3);
        const QString text = parts.mid(4).join(QLatin1Char(' '));
        const bool ack = parts.at(0) == QLatin1String("ack");
        if (parts.at(1) == QLatin1String("add")) {
            m_allowed[key] = {text};
            if (ack)
                m_required.insert(key);
        } else if (ack) {
            m_allowed[key] = {text};
        } else {
            m_allowed[key].insert(text);
        }
    }
}

QStringList Ledger::faultsIn(const QString& lettersFile, const QStringList& tables) const
{
    QStringList faults;
    db::Database letters = db::Database::open(lettersFile, app::kConnect, db::OpenMode::ReadOnly);
    QMap<QString, QStringList> found; // "table stt" -> texts
    for (const QString& table : tables) {
        db::Recordset rs =
            letters.openRecordset(QStringLiteral("select stt, tt_ndung from ") + table, db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext())
            found[table + QLatin1Char(' ') + rs.value(0).toString()] << rs.value(1).toString();
    }
    for (const QString& key : m_required) {
        const QStringList texts = found.value(key);
        if (texts.isEmpty())
            faults << QStringLiteral("lost: ") + key;
        else if (texts.size() > 1)
            faults << QStringLiteral("twice: ") + key;
        else if (!m_allowed.value(key).contains(texts.first()))
            faults << QStringLiteral("wrong text: ") + key + QStringLiteral(" = ") + texts.first();
    }
    return faults;
}

QStringList Ledger::attachmentFaultsIn(const QString& lettersFile) const
{
    QStringList faults;
    db::Database letters = db::Database::open(lettersFile, app::kConnect, db::OpenMode::ReadOnly);
    const auto store = datafiles::AttachmentStore::besideLettersFile(lettersFile);
    QSet<QString> rows;
    if (letters.hasTable(datafiles::kAttachmentsTable)) {
        db::Recordset rs =
            letters.openRecordset(QStringLiteral("select bang, bam from tepdinhkem"), db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext()) {
            const QString hash = rs.value(1).toString();
            rows.insert(rs.value(0).toString() + QLatin1Char(' ') + hash);
            QFile f(store.pathOf(hash));
            if (!f.open(QIODevice::ReadOnly)) {
                faults << QStringLiteral("row names a missing file: ") + hash;
                continue;
            }
            QCryptographicHash h(QCryptographicHash::Sha256);
            h.addData(&f);
            if (QString::fromLatin1(h.result().toHex()) != hash)
                faults << QStringLiteral("file holds another content: ") + hash;
        }
    }
    for (const QString& key : m_attached) {
        if (!rows.contains(key))
            faults << QStringLiteral("attachment lost: ") + key;
    }
    return faults;
}

QStringList storeAfterSweep(const QString& lettersFile)
{
    QStringList faults;
    db::Database letters = db::Database::open(lettersFile, app::kConnect);
    const auto store = datafiles::AttachmentStore::besideLettersFile(lettersFile);
    datafiles::sweepAttachments(letters, store, QDateTime::currentDateTime().addSecs(5), 0);
    QSet<QString> named;
    if (letters.hasTable(datafiles::kAttachmentsTable)) {
        db::Recordset rs =
            letters.openRecordset(QStringLiteral("select bam from tepdinhkem"), db::RecordsetType::Snapshot);
        for (; !rs.eof(); rs.moveNext())
            named.insert(rs.value(0).toString());
    }
    const QStringList files = QDir(store.folder()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : files) {
        if (!named.contains(file))
            faults << QStringLiteral("left in the store after the sweep: ") + file;
    }
    for (const QString& hash : named) {
        if (!files.contains(hash))
            faults << QStringLiteral("swept a named file: ") + hash;
    }
    return faults;
}

QStringList journalsIn(const QString& folder)
{
    QStringList result;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (name.endsWith(QLatin1String("-journal")) || name.contains(QLatin1String("-mj")))
            result << QDir(folder).filePath(name);
    }
    return result;
}

namespace {

QMap<qlonglong, QStringList> rowsByIdcu(const QString& file, const QString& table)
{
    QMap<qlonglong, QStringList> rows;
    db::Database db = db::Database::open(file, app::kConnect, db::OpenMode::ReadOnly);
    if (!db.hasTable(table))
        return rows;
    db::Recordset rs =
        db.openRecordset(QStringLiteral("select idcu, tt_ndung from ") + table, db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext())
        rows[rs.value(0).toLongLong()] << rs.value(1).toString();
    return rows;
}

} // namespace

QStringList duplicatedBackupRows(const QString& backupFile, const QString& table)
{
    QStringList result;
    const QMap<qlonglong, QStringList> rows = rowsByIdcu(backupFile, table);
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        if (it.value().size() > 1)
            result << table + QStringLiteral(" idcu ") + QString::number(it.key());
    }
    return result;
}

QStringList backupDifferences(const QString& lettersFile, const QString& backupFile, const QString& table)
{
    QStringList result;
    const QMap<qlonglong, QStringList> here = rowsByIdcu(lettersFile, table);
    const QMap<qlonglong, QStringList> there = rowsByIdcu(backupFile, table);
    for (auto it = here.cbegin(); it != here.cend(); ++it) {
        if (it.value() != there.value(it.key()))
            result << table + QStringLiteral(" idcu ") + QString::number(it.key()) + QStringLiteral(": ") +
                          it.value().join(QLatin1Char('|')) + QStringLiteral(" / ") +
                          there.value(it.key()).join(QLatin1Char('|'));
    }
    for (auto it = there.cbegin(); it != there.cend(); ++it) {
        if (!here.contains(it.key()))
            result << table + QStringLiteral(" idcu ") + QString::number(it.key()) + QStringLiteral(" only in backup");
    }
    return result;
}

QString integrity(const QString& file)
{
    sqlite3* db = nullptr;
    QString result = QStringLiteral("cannot open");
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close_v2(db);
    return result;
}

} // namespace killtest
