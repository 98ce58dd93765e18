#pragma once

#include <QString>
#include <stdexcept>

namespace exporting {

// Why a list was not saved. In every case the target file is as it was before.
class ExportError : public std::runtime_error
{
public:
    enum class Kind
    {
        FolderNotWritable, // the folder is missing or cannot be written
        FileInUse,         // another program holds the file open (its lock file is beside it)
        FileReadOnly,      // the file exists and may only be read
        WriteFailed,       // writing or renaming failed (disk full, the writer's own error)
        TooManyRows,       // more rows than a sheet holds
        Cancelled,         // the user stopped it
    };

    ExportError(Kind kind, QString path, QString detail = QString());

    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    QString detail() const { return m_detail; }

private:
    Kind m_kind;
    QString m_path;
    QString m_detail;
};

// The message the user is shown for error ("" for Cancelled, which needs none).
QString userMessage(const ExportError& error);

} // namespace exporting
