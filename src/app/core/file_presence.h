#pragma once

#include <QString>

namespace app {

// The file-presence test. "" for an empty path (or one of blanks only). Otherwise the name of the
// file or folder at path as the folder lists it, letter case matched as matchNameCase() does, so
// "…/data/vemocv.MDB" finds "vemocv.mdb" and returns "vemocv.mdb". A path that ends with a
// separator names a folder: "  " (two blanks) when that folder exists. "" when nothing is there
// or the folder cannot be read. Callers treat any non-empty result as "the path exists".
QString filePresence(const QString& path);

} // namespace app
