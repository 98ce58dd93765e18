#pragma once

#include <QString>
#include <stdexcept>

// File operations the program needs from the platform: presence, size, the read-only attribute,
// copy with overwrite and delete. On Linux the read-only attribute is the absence of the owner's
// write permission.
namespace sys {

// Raised by the operations that change files. what() and text() carry the system's reason
// followed by the path concerned.
class FileError : public std::runtime_error
{
public:
    explicit FileError(const QString& text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// True when a file or folder exists at path (symbolic links are followed). Empty path: false.
bool exists(const QString& path);
bool isFile(const QString& path);
bool isDirectory(const QString& path);

// Size in bytes of the file at path; -1 when there is no such file (or it is a folder).
qint64 fileSize(const QString& path);

// True when the file or folder exists and its owner may not write it.
bool isReadOnly(const QString& path);
// Sets or clears the read-only attribute (the owner's write permission; other permission bits are
// kept). Raises FileError when path does not exist or the attribute cannot be changed.
void setReadOnly(const QString& path, bool readOnly);

// Copies the file from to the path to, replacing an existing file there. The copy is written
// beside the target under a temporary name and then renamed over it, so the target is either
// the old file or the complete copy, never half of one. The copy is writable by its owner even
// when the source is read-only. Raises FileError when from is not a file, when to is a folder or
// a read-only file, or when the copy cannot be written (missing folder, no space, no permission).
void copyFile(const QString& from, const QString& to);

// Deletes the file at path. Raises FileError when it does not exist, is a folder, or cannot be
// deleted.
void removeFile(const QString& path);

} // namespace sys
