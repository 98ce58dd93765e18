#pragma once

// The parts of a written .xlsx file read back as data: the workbook is unzipped and its XML read.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace test {

// One member of the zip file (unzip -p), "" when it cannot be read.
inline QString zipMember(const QString& zip, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return QString();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// The <c> element of a cell ("B2") of sheet1.xml, "" when the cell is not written.
inline QString cellXml(const QString& sheet, const QString& ref)
{
    const QRegularExpression cell(QStringLiteral("<c r=\"") + ref + QStringLiteral("\"[^>]*(/>|>.*?</c>)"));
    return cell.match(sheet).captured(0);
}

// The format code of a cell's style: its s="n" looked up in styles.xml's cellXfs and numFmts.
inline QString numberFormatOf(const QString& cell, const QString& styles)
{
    const QString s = QRegularExpression(QStringLiteral(" s=\"(\\d+)\"")).match(cell).captured(1);
    if (s.isEmpty())
        return QString();
    const QString xfs = QRegularExpression(QStringLiteral("<cellXfs[^>]*>(.*?)</cellXfs>"),
                                           QRegularExpression::DotMatchesEverythingOption)
                            .match(styles)
                            .captured(1);
    const QStringList xf = xfs.split(QStringLiteral("<xf "), Qt::SkipEmptyParts);
    const QString id = QRegularExpression(QStringLiteral("numFmtId=\"(\\d+)\"")).match(xf.value(s.toInt())).captured(1);
    return QRegularExpression(QStringLiteral("<numFmt numFmtId=\"") + id + QStringLiteral("\" formatCode=\"([^\"]*)\""))
        .match(styles)
        .captured(1);
}

// The strings of sharedStrings.xml in their order (a cell t="s" holds an index into it).
inline QStringList sharedStrings(const QString& xml)
{
    QStringList out;
    const QRegularExpression si(QStringLiteral("<si><t[^>]*>(.*?)</t></si>"),
                                QRegularExpression::DotMatchesEverythingOption);
    for (auto it = si.globalMatch(xml); it.hasNext();) {
        QString text = it.next().captured(1);
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        out << text;
    }
    return out;
}

// The text of a string cell of the sheet.
inline QString stringCell(const QString& sheet, const QStringList& strings, const QString& ref)
{
    const QString cell = cellXml(sheet, ref);
    if (!cell.contains(QStringLiteral("t=\"s\"")))
        return QStringLiteral("<not a string>");
    return strings.value(QRegularExpression(QStringLiteral("<v>(\\d+)</v>")).match(cell).captured(1).toInt());
}

} // namespace test
