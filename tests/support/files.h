#pragma once

// Whole files as bytes, for tests that spoil, compare or prepare files.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace test {

// Writes bytes over path; false when the file cannot be written.
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The bytes of path, or "<missing>" when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace test
