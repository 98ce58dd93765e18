#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The data sets of the server a program folder runs on, judged as the structure check judges
// data files (structure_check.h's kinds: "vemocv", "vemolich", "vemotk").
enum class DataSetCheck
{
    Sound,         // there, with every table the kind requires
    Missing,       // no data set of that name on the server
    MissingTables, // there, but a table the kind requires is not
};

// Each data set of the server that passes the check for kind, by name, sorted. Raises DbError
// when the server cannot be used (serverFailureText says why).
QStringList soundDataSets(const QString& connection, const QString& kind);

// The check of one data set (its name in any letter case). Raises DbError as above.
DataSetCheck checkDataSet(const QString& connection, const QString& name, const QString& kind);

} // namespace app
