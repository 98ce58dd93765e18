#pragma once

// The parts of a written .xlsx file read back as data: the workbook is unzipped and its XML read.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace test {

using namespace Qt::StringLiterals;

// One member of the zip file (unzip -p), "" when it cannot be read.
inline QString zipMember(const QString& zip, const QString& member)
{
    QProcess unzip;
    unzip.start(u"unzip"_s, {u"-p"_s, zip, member});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return QString();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// The <c> element of a cell ("B2") of sheet1.xml, "" when the cell is not written.
inline QString cellXml(const QString& sheet, const QString& ref)
{
    const QRegularExpression cell(u"<c r=\""_s + ref + u"\"[^>]*(/>|>.*?</c>)"_s);
    return cell.match(sheet).captured(0);
}

// The format code of a cell's style: its s="n" looked up in styles.xml's cellXfs and numFmts.
inline QString numberFormatOf(const QString& cell, const QString& styles)
{
    const QString s = QRegularExpression(u" s=\"(\\d+)\""_s).match(cell).captured(1);
    if (s.isEmpty())
        return QString();
    const QString xfs =
        QRegularExpression(u"<cellXfs[^>]*>(.*?)</cellXfs>"_s, QRegularExpression::DotMatchesEverythingOption)
            .match(styles)
            .captured(1);
    const QStringList xf = xfs.split(u"<xf "_s, Qt::SkipEmptyParts);
    const QString id = QRegularExpression(u"numFmtId=\"(\\d+)\""_s).match(xf.value(s.toInt())).captured(1);
    return QRegularExpression(u"<numFmt numFmtId=\""_s + id + u"\" formatCode=\"([^\"]*)\""_s)
        .match(styles)
        .captured(1);
}

// The strings of sharedStrings.xml in their order (a cell t="s" holds an index into it).
inline QStringList sharedStrings(const QString& xml)
{
    QStringList out;
    const QRegularExpression si(u"<si><t[^>]*>(.*?)</t></si>"_s, QRegularExpression::DotMatchesEverythingOption);
    for (auto it = si.globalMatch(xml); it.hasNext();) {
        QString text = it.next().captured(1);
        text.replace(u"&lt;"_s, u"<"_s)
            .replace(u"&gt;"_s, u">"_s)
            .replace(u"&quot;"_s, u"\""_s)
            .replace(u"&amp;"_s, u"&"_s);
        out << text;
    }
    return out;
}

// The text of a string cell of the sheet.
inline QString stringCell(const QString& sheet, const QStringList& strings, const QString& ref)
{
    const QString cell = cellXml(sheet, ref);
    if (!cell.contains(u"t=\"s\""_s))
        return u"<not a string>"_s;
    return strings.value(QRegularExpression(u"<v>(\\d+)</v>"_s).match(cell).captured(1).toInt());
}

} // namespace test
