#include "template_restore.h"

#include "common/clock.h"
#include "data_paths.h"
#include "platform/db/file_recovery.h"
#include "platform/sys/file_ops.h"
#include "run_time_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace app {

bool scratchFileNeedsReplacing(const QString& path)
{
    return sys::fileSize(matchNameCase(path)) >= kScratchFileLimit;
}

bool restoreFromTemplate(const QString& templatePath, const QString& target)
{
    const QString actual = matchNameCase(target);
    if (QFileInfo::exists(db::journalPath(actual)))
        return false;
    try {
        sys::copyFile(matchNameCase(templatePath), actual);
        return true;
    } catch (const sys::FileError& e) {
        recordRunTimeError(e);
        return false;
    }
}

QString keepDamagedFile(const QString& path)
{
    const QString actual = matchNameCase(path);
    const QFileInfo info(actual);
    const QString stamp = common::clock().now().toString(QStringLiteral("yyyyMMdd-HHmm"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral("-hong-") + stamp);
    QString kept = stem + suffix;
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo::exists(db::journalPath(kept)); ++n)
        kept = stem + QLatin1Char('-') + QString::number(n) + suffix;
    if (QFileInfo::exists(actual) && !QFile::rename(actual, kept))
        throw sys::FileError(QStringLiteral("Cannot rename ") + QDir::toNativeSeparators(actual));
    const QString journal = db::journalPath(actual);
    if (QFileInfo::exists(journal) && !QFile::rename(journal, db::journalPath(kept))) {
        QFile::rename(kept, actual);
        throw sys::FileError(QStringLiteral("Cannot rename ") + QDir::toNativeSeparators(journal));
    }
    return kept;
}

QStringList localDataFileNames()
{
    return {QStringLiteral("vemolich.MDB"), QStringLiteral("vemocv.MDB"), QStringLiteral("vemotk.MDB"),
            QStringLiteral("vemotemp.MDB")};
}

} // namespace app
