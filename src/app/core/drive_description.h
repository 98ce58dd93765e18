#pragma once

#include <QString>

namespace app {

// The drive-type description of the storage a path lies on: "Local Hard Disk", "Network Driver",
// "Floppy USB" or "CDROM"; "" for an empty path or storage of no known kind. The letter-entry
// buttons are enabled only for "Local Hard Disk". A path that does not exist yet is judged by its
// nearest existing folder.
QString driveTypeDescription(const QString& path);

} // namespace app
