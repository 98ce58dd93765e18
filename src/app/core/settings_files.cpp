#include "settings_files.h"

#include "common/clock.h"
#include "data_paths.h"
#include "module1.h"
#include "platform/sys/file_ops.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace app {
namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString clockYearText()
{
    return QString::number(common::clock().today().year()).rightJustified(4, QLatin1Char('0'));
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw sys::FileError(file.errorString() + QStringLiteral(": ") + QDir::toNativeSeparators(path));
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

void writeText(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw sys::FileError(file.errorString() + QStringLiteral(": ") + QDir::toNativeSeparators(path));
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw sys::FileError(file.errorString() + QStringLiteral(": ") + QDir::toNativeSeparators(path));
}

} // namespace

QString pathForSysmem(const QString& path, const QString& programFolder)
{
    if (programFolder.isEmpty() || path.trimmed().isEmpty() || QDir::isRelativePath(QDir::fromNativeSeparators(path)))
        return path;
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(programFolder));
    const QString file = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (!file.startsWith(folder + QLatin1Char('/')) || folder == QLatin1String("/"))
        return path;
    return QDir::toNativeSeparators(file.mid(folder.size() + 1));
}

QString pathFromSysmem(const QString& item, const QString& programFolder)
{
    if (programFolder.isEmpty() || item.trimmed().isEmpty() || !QDir::isRelativePath(QDir::fromNativeSeparators(item)))
        return item;
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(programFolder) + QLatin1Char('/') +
                                                    QDir::fromNativeSeparators(item)));
}

SysmemItems splitSysmemItems(const QString& text)
{
    SysmemItems result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && isBlank(text.at(i)))
            ++i;
        // A line end right after a line end (or at the start) holds no item.
        if (i < n && (text.at(i) == QLatin1Char('\r') || text.at(i) == QLatin1Char('\n'))) {
            ++i;
            continue;
        }
        if (i >= n)
            break;
        QString item;
        if (text.at(i) == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype lineEnd = [&] {
                qsizetype e = i + 1;
                while (e < n && text.at(e) != QLatin1Char('\r') && text.at(e) != QLatin1Char('\n'))
                    ++e;
                return e;
            }();
            if (close < 0 || close > lineEnd) {
                // An unclosed quote: take the rest of the line.
                item = text.mid(i + 1, lineEnd - i - 1);
                result.wellFormed = false;
                i = lineEnd;
            } else {
                item = text.mid(i + 1, close - i - 1);
                i = close + 1;
                while (i < n && !isSeparator(text.at(i))) {
                    if (!isBlank(text.at(i)))
                        result.wellFormed = false;
                    ++i;
                }
            }
        } else {
            const qsizetype start = i;
            while (i < n && !isSeparator(text.at(i)))
                ++i;
            item = text.mid(start, i - start);
            while (!item.isEmpty() && isBlank(item.back()))
                item.chop(1);
            result.wellFormed = false;
        }
        result.items.append(item);
        if (i < n && text.at(i) == QLatin1Char(','))
            ++i;
    }
    return result;
}

Sysmem sysmemDefaults(const QString& programFolder, const QString& year)
{
    return {dataFilePath(programFolder, QStringLiteral("vemolich.MDB")),
            dataFilePath(programFolder, QStringLiteral("vemocv.MDB")), QStringLiteral(" "), year};
}

SysmemReading parseSysmem(const QString& text, const QString& programFolder, const QString& clockYear)
{
    const SysmemItems split = splitSysmemItems(text);
    const Sysmem defaults = sysmemDefaults(programFolder, clockYear);
    SysmemReading reading;
    reading.repaired = !split.wellFormed || split.items.size() != 4;
    const auto item = [&](int index) { return index < split.items.size() ? split.items.at(index) : QString(); };

    reading.values.schedulePath = pathFromSysmem(item(0), programFolder);
    reading.values.lettersPath = pathFromSysmem(item(1), programFolder);
    reading.values.backupPath = pathFromSysmem(item(2), programFolder);
    reading.values.workingYear = item(3).trimmed();
    if (reading.values.schedulePath.trimmed().isEmpty()) {
        reading.values.schedulePath = defaults.schedulePath;
        reading.repaired = true;
    }
    if (reading.values.lettersPath.trimmed().isEmpty()) {
        reading.values.lettersPath = defaults.lettersPath;
        reading.repaired = true;
    }
    if (reading.values.backupPath.isEmpty()) {
        reading.values.backupPath = defaults.backupPath;
        reading.repaired = true;
    }
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    if (reading.values.workingYear.isEmpty()) {
        // An empty year is settled by start-up's year check against the clock, not here.
    } else if (!fourDigits.match(reading.values.workingYear).hasMatch()) {
        reading.values.workingYear = clockYear;
        reading.repaired = true;
    } else if (reading.values.workingYear != item(3)) {
        reading.repaired = true; // blanks around the year
    }
    return reading;
}

QString formatSysmem(const Sysmem& values)
{
    const QLatin1Char quote('"');
    return quote + values.schedulePath + quote + QLatin1Char(',') + quote + values.lettersPath + quote +
           QLatin1Char(',') + quote + values.backupPath + quote + QLatin1Char(',') + quote + values.workingYear +
           quote + QStringLiteral("\r\n");
}

QString sysmemPath(const QString& programFolder)
{
    return dataFilePath(programFolder, QStringLiteral("sysmem"));
}

bool readSysmem(Module1& m)
{
    const QString path = sysmemPath(m.programFolder);
    SysmemReading reading;
    if (sys::isFile(path))
        reading = parseSysmem(readText(path), m.programFolder, clockYearText());
    else
        reading.values = sysmemDefaults(m.programFolder, clockYearText());
    m.schedulePath = reading.values.schedulePath;
    m.lettersPath = reading.values.lettersPath;
    m.backupPath = reading.values.backupPath;
    m.workingYear = reading.values.workingYear;
    if (reading.repaired && !m.readOnly)
        writeSysmem(m);
    return reading.repaired;
}

void writeSysmem(const Module1& m)
{
    const QString& folder = m.programFolder;
    writeText(sysmemPath(folder),
              formatSysmem({pathForSysmem(m.schedulePath, folder), pathForSysmem(m.lettersPath, folder),
                            pathForSysmem(m.backupPath, folder), m.workingYear}));
}

} // namespace app
