#pragma once

#include "export_table.h"

namespace exporting {

enum class Format
{
    Xlsx,
    Csv,
};

// The format a file name asks for: .csv (any letter case) is Csv, anything else Xlsx.
Format formatOfPath(const QString& path);

// Saves table to path in format, whole or not at all: the file is written beside the target
// under a temporary name and renamed over it only when complete, so a failure or a stop leaves
// the old file (if any) as it was. Refused before anything is written, with ExportError:
// FolderNotWritable when the folder is missing or its permissions carry no write bit (also for
// the administrator, as the program honours the read-only attribute), FileInUse when another
// program's lock file stands beside the target (".~lock.<name>#" of LibreOffice, "~$<name>" of
// Microsoft Office), FileReadOnly when the target exists and its permissions carry no write bit.
// Raises WriteFailed when writing or renaming fails, TooManyRows (.xlsx) past a sheet's rows,
// Cancelled when progress returned false.
void saveTable(const Table& table, const QString& path, Format format, const Progress& progress = {});

} // namespace exporting
