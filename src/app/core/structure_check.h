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
// the result is false. The file is opened read-only and closed again. message is cleared on the
// way. The letter case of the file name is matched as matchNameCase() does.
//
// A journal beside the file means a program was killed while writing it: the file is recovered
// (rolled back to its last commit, the journal removed) before it is judged, so the check sees
// the recovered file. A journal that cannot be played back (the file or folder cannot be
// written) fails the check with FileCheck::NeedsRecovery; such a file must never be replaced.
bool isSoundDataFile(const QString& path, const QString& kind);

// What the structure check found.
enum class FileCheck
{
    Sound,         // present, ours, every table there
    Missing,       // no such file (or folder, or an empty path)
    NeedsRecovery, // a journal is beside it and could not be played back
    Damaged,       // an SQLite file that cannot be read as a data file of ours
    NotADataFile,  // not an SQLite file at all (garbage, an empty file, another program's file)
    WrongPassword, // a data file protected by another password
    MissingTables, // a data file that lacks a table the kind requires (or an unknown kind)
    Unusable,      // its read-only attribute could not be cleared (the message has been shown)
    Busy,          // another program held it for writing past the busy timeout
};

// The structure check with its finding; isSoundDataFile(path, kind) is checkDataFile(...) == Sound.
// clearAttribute false leaves the read-only attribute alone (a read-only run).
FileCheck checkDataFile(const QString& path, const QString& kind, bool clearAttribute = true);

// Why the last check gave its result, so a caller can tell the user what is wrong with the file.
// A failure caused by an engine error is also recorded as the last run-time error (Ctrl+End).
struct StructureCheckResult
{
    FileCheck cause = FileCheck::Sound;
    QString path;         // the path checked
    int number = 0;       // the engine's error number (0 when the cause is not an engine error)
    QString text;         // the engine's text
    QString missingTable; // MissingTables: the first pattern no table matched
};
// The result of the last checkDataFile or isSoundDataFile call (Sound before any).
StructureCheckResult lastStructureCheck();

// The tables (patterns) a kind requires; empty for an unknown kind.
QStringList requiredTables(const QString& kind);

} // namespace app
