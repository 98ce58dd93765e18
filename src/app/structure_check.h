#pragma once

#include <QString>

namespace app {

// The structure check every data file passes before it is opened. kind names what the file must
// hold, every table found by the table-pattern test:
//   "vemogoc"  kehoachmau, lichmau, cvdenmau, cvdimau (the template file);
//   "vemotk"   donvi, bophan, chutat, noigui, loaicv, inlich, incvden, incvdi;
//   "vemocv"   a table like "cvdi*" and one like "cvden*" (the templates count);
//   "vemolich" a table like "lich*" and one like "kehoach*".
// Returns false for any other kind, for a missing file, for a file that cannot be opened with
// the program's password, and when a table is missing; any engine error gives false.
//
// Unless the lower-cased path matches "*goc.mdb" (the template file keeps it), the file's
// read-only attribute is cleared first; when that fails the clearing's message has been shown and
// the result is false. The file is opened read-only and closed again. thongbao is cleared on the
// way. The letter case of the file name is matched as matchNameCase() does.
bool KiemtraMDB(const QString& path, const QString& kind);

// Why the last KiemtraMDB call gave its result, so a caller can tell the user what is wrong with
// the file (and Ctrl+End shows the engine's number and text: a failure caused by an engine error is
// also recorded as the last run-time error).
struct StructureCheckResult
{
    enum class Cause
    {
        Passed,        // the file passed
        Missing,       // no file at the path (or an empty path, or a folder)
        ReadOnly,      // its read-only attribute could not be cleared (the message was shown)
        UnknownKind,   // kind names no check
        Damaged,       // not readable as a data file: garbage, empty or corrupt (engine error)
        NotADataFile,  // a database, but not one of this program (no password verifier)
        WrongPassword, // a data file whose password is not the program's
        TablesMissing, // opened, but a table the kind requires is absent (missingTable)
        Unavailable,   // could not be opened or read for another reason: locked, no access...
    };
    Cause cause = Cause::Passed;
    QString path;         // the path checked
    int number = 0;       // the engine's error number (0 when the cause is not an engine error)
    QString text;         // the engine's text
    QString missingTable; // TablesMissing: the first pattern no table matched
};
// The result of the last KiemtraMDB call (Passed before any).
StructureCheckResult lastStructureCheck();

// The tables (patterns) a kind requires; empty for an unknown kind.
QStringList requiredTables(const QString& kind);

} // namespace app
