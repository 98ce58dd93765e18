#include "table_file.h"

#include "csv_writer.h"
#include "export_error.h"
#include "xlsx_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace exporting {
namespace {

// The write bits the file carries; the current user's (WriteUser) would say yes to the administrator.
constexpr QFileDevice::Permissions kWriteBits =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

void refuseWhatCannotBeWritten(const QString& path)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir() || !(folder.permissions() & kWriteBits))
        throw ExportError(ExportError::Kind::FolderNotWritable, path);
    const QDir dir = folder.absoluteFilePath();
    const QString name = target.fileName();
    for (const QString& lock : {QStringLiteral(".~lock.") + name + QStringLiteral("#"), QStringLiteral("~$") + name}) {
        if (QFileInfo::exists(dir.filePath(lock)))
            throw ExportError(ExportError::Kind::FileInUse, path);
    }
    if (target.exists() && (!target.isFile() || !(target.permissions() & kWriteBits)))
        throw ExportError(ExportError::Kind::FileReadOnly, path);
}

void copyInto(const QString& from, QSaveFile& to, const QString& path)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw ExportError(ExportError::Kind::WriteFailed, path, source.errorString());
    while (!source.atEnd()) {
        const QByteArray block = source.read(1 << 20);
        if (block.isEmpty() || to.write(block) != block.size())
            throw ExportError(ExportError::Kind::WriteFailed, path, to.errorString());
    }
}

} // namespace

Format formatOfPath(const QString& path)
{
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? Format::Csv : Format::Xlsx;
}

void saveTable(const Table& table, const QString& path, Format format, const Progress& progress)
{
    refuseWhatCannotBeWritten(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw ExportError(ExportError::Kind::FolderNotWritable, path, file.errorString());
    bool complete = false;
    if (format == Format::Csv) {
        complete = writeCsv(table, file, progress);
    } else {
        // The writer makes its own file by name: it goes to a private folder first and is
        // copied into the temporary file beside the target.
        QTemporaryDir work;
        if (!work.isValid())
            throw ExportError(ExportError::Kind::WriteFailed, path, work.errorString());
        const QString book = work.filePath(QStringLiteral("list.xlsx"));
        complete = writeXlsx(table, book, progress);
        if (complete)
            copyInto(book, file, path);
    }
    if (!complete) {
        file.cancelWriting();
        throw ExportError(ExportError::Kind::Cancelled, path);
    }
    if (!file.commit())
        throw ExportError(ExportError::Kind::WriteFailed, path, file.errorString());
}

} // namespace exporting
