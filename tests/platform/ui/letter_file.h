#pragma once

// A letters file for the toolkit's tests: a copy of the template file with a year table
// cvden2024 made from the template table cvdenmau and filled with numbered letters.

#include "platform/db/database.h"

#include <QString>
#include <QTemporaryDir>

namespace uitest {

class LetterFile
{
public:
    // rows letters numbered 1..rows: stt i, ng_den "dd/01/2024", noigui "Sở Nội vụ <i>",
    // tt_ndung "Về việc số <i>", da_xuli true for even i, chonin "".
    explicit LetterFile(int rows = 5);

    static QString noigui(int i);
    static QString ttNdung(int i);

    QString path() const { return m_path; }
    db::Database& db() { return m_db; }
    static QString table() { return QStringLiteral("cvden2024"); }
    // One field of the letter with register number stt, read through a fresh recordset.
    QVariant stored(int stt, const QString& field);
    int count();

private:
    QTemporaryDir m_dir;
    QString m_path;
    db::Database m_db;
};

} // namespace uitest
