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

// The tables (patterns) a kind requires; empty for an unknown kind.
QStringList requiredTables(const QString& kind);

} // namespace app
