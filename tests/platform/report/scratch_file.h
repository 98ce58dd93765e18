#pragma once

#include "platform/db/database.h"
#include "template_file.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

using namespace Qt::StringLiterals;

// A copy of the template file vemogoc.mdb in a temporary folder, open, as the print commands' scratch
// file: its print tables incvden, incvdi, inlich and its year-table templates cvdenmau, cvdimau,
// kehoachmau, lichmau (used here as the register tables the print tables are filled from).
class ScratchFile : public test::TemplateCopy
{
public:
    using Values = QList<QPair<QString, QVariant>>;

    ScratchFile() : TemplateCopy(u"vemotemp.mdb"_s) {}

    // Adds rows to a table through an updatable recordset, in one transaction.
    void addRows(const QString& table, const QList<Values>& rows);
};

// Test rows of the two letter registers; the texts carry Vietnamese letters and each row a marker of its
// own so that its presence in the printout can be checked.
QList<ScratchFile::Values> incomingLetters(int count);
QList<ScratchFile::Values> outgoingLetters(int count);
