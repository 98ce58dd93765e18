#pragma once

#include "platform/db/database.h"

#include <QString>
#include <QStringList>

namespace app {

struct Module1;

// Where the seven reference tables live. There are three instances of the reference file
// vemotk.mdb: the one in the data folder (reference) holds the abbreviations chutat; the one
// beside the letters file (lettersReference) the correspondents noigui, letter types loaicv and the
// organisation name tendonvi; the one beside the schedule file (scheduleReference) the units donvi,
// departments bophan and users nguoidung. With both data files in the data folder the three
// instances are the same file.
enum class ReferenceFile
{
    Local,    // referencePath / reference
    Letters,  // lettersReferencePath / lettersReference
    Schedule, // scheduleReferencePath / scheduleReference
};

// The seven table names, lower case.
QStringList referenceTables();
// The instance serving table (any letter case). Raises std::invalid_argument for a name that is
// not one of the seven.
ReferenceFile referenceFileOf(const QString& table);
// Path of that instance in state (referencePath, lettersReferencePath or scheduleReferencePath).
QString referenceFilePath(const Module1& state, const QString& table);
// The open database of that instance in state (a copy of the handle).
db::Database referenceDatabase(const Module1& state, const QString& table);

} // namespace app
