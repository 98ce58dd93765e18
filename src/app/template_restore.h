#pragma once

#include <QString>

namespace app {

// The scratch file is replaced by a fresh copy of the template once it has grown to this size.
constexpr qint64 kScratchFileLimit = 1'000'000;

// True when the scratch file at path has reached kScratchFileLimit bytes (1,000,000 or more);
// false for a smaller or missing file.
bool scratchFileNeedsReplacing(const QString& path);

// Restoring from the template: copies the template file (filegoc of the shared state) over
// target, replacing it. Returns false, with target unchanged, when the template is missing, target
// is read-only or its folder cannot be written. Shows no message.
bool restoreFromTemplate(const QString& target);

// The data-folder files restored when missing, in the order start-up checks them.
QStringList localDataFileNames(); // vemolich.MDB, vemocv.MDB, vemotk.MDB, vemotemp.MDB

} // namespace app
