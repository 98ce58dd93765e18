#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// What a kill of the kill test's child may leave, and the checks after the next start.
namespace killtest {

// The letters the child acknowledged, read from its output lines (see kill_child.h).
class Ledger
{
public:
    // Reads the lines of one child's output; a line cut by the kill is ignored.
    void read(const QByteArray& output);
    int acknowledged() const { return m_required.size(); }

    // Faults of the open letters file of module1() against the ledger: an acknowledged letter
    // missing, or holding a text that was never saved for it.
    QStringList faultsIn(const QString& lettersFile, const QStringList& tables) const;

    // Faults of the attachments: a row naming a file missing from the store or holding another
    // content than its hash, an acknowledged attachment without its row.
    QStringList attachmentFaultsIn(const QString& lettersFile) const;

private:
    QSet<QString> m_attached;               // "table hash" acknowledged
    QMap<QString, QSet<QString>> m_allowed; // "table stt" -> texts the row may hold
    QSet<QString> m_required;               // "table stt" acknowledged
};

// Journals and super-journals SQLite left in folder ("-journal", "-mj" names).
QStringList journalsIn(const QString& folder);

// idcu values held by more than one row of table in the backup file.
QStringList duplicatedBackupRows(const QString& backupFile, const QString& table);

// Differences between the letters file's table and the backup's copy after a replication:
// idcu present on one side only, or another text.
QStringList backupDifferences(const QString& lettersFile, const QString& backupFile, const QString& table);

// Sweeps the attachments store of the letters file with no grace period; then every file there
// must be named by a row and every row's file there. Returns the faults.
QStringList storeAfterSweep(const QString& lettersFile);

// "ok", or what PRAGMA integrity_check says of the file.
QString integrity(const QString& file);

} // namespace killtest
