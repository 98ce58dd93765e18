#pragma once

#include "platform/db/database.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A copy of the template file vemogoc.mdb in a temporary folder, open, as the print commands' scratch
// file: its print tables incvden, incvdi, inlich and its year-table templates cvdenmau, cvdimau,
// kehoachmau, lichmau (used here as the register tables the print tables are filled from).
class ScratchFile
{
public:
    using Values = QList<QPair<QString, QVariant>>;

    ScratchFile();

    db::Database& database() { return m_database; }
    bool isValid() const { return m_database.isOpen(); }

    // Adds rows to a table through an updatable recordset, in one transaction.
    void addRows(const QString& table, const QList<Values>& rows);

private:
    QTemporaryDir m_dir;
    db::Database m_database;
};

// Test rows of the four registers; the texts carry Vietnamese letters and each row a marker of its
// own so that its presence in the printout can be checked.
QList<ScratchFile::Values> incomingLetters(int count);
QList<ScratchFile::Values> outgoingLetters(int count);
