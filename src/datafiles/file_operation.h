#pragma once

#include <QString>

namespace datafiles {

// The file operation routine. word "copy" copies the file at source to target, replacing a file
// there (the target is either the old file or the whole copy); "xoa" deletes the file at source
// (target is not used). Any other word does nothing. The words are taken as written (lower case).
// Raises sys::FileError when the operation fails: source missing, target folder missing or not
// writable, target read-only.
void fileOperation(const QString& source, const QString& target, const QString& word);

} // namespace datafiles
