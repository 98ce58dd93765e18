#pragma once

#include <QString>

namespace app {

// The scratch file is replaced by a fresh copy of the template once it has grown to this size.
constexpr qint64 kScratchFileLimit = 1'000'000;

// True when the scratch file at path has reached kScratchFileLimit bytes (1,000,000 or more);
// false for a smaller or missing file.
bool scratchFileNeedsReplacing(const QString& path);

// Restoring from the template: copies the template file at templatePath over target, replacing it. Returns false, with
// target unchanged, when the template is missing, target is read-only or its folder cannot be written, or a journal
// lies beside target (SQLite would roll that journal into the fresh copy). Shows no message.
bool restoreFromTemplate(const QString& templatePath, const QString& target);

// Keeps a damaged data file beside itself under a dated name before it is replaced:
// "vemotk.MDB" becomes "vemotk-hong-20090615-0900.MDB" (the clock's date and time; "-2", "-3", ...
// added when that name is taken). A journal beside the file moves with it, as the kept file's
// journal, so the kept file can still be recovered (a journal whose file is gone moves alone). Returns the kept file's
// path; raises sys::FileError when the file cannot be renamed (nothing is moved then).
QString keepDamagedFile(const QString& path);

// The data-folder files restored when missing, in the order start-up checks them.
QStringList localDataFileNames(); // vemolich.MDB, vemocv.MDB, vemotk.MDB, vemotemp.MDB

} // namespace app
