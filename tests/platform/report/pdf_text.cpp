#include "pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

QString normalisedText(const QString& text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_C).replace(blanks, QStringLiteral(" ")).trimmed();
}

PdfText PdfText::read(const QString& pdfPath)
{
    PdfText result;
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        result.error = QStringLiteral("pdftotext failed on %1: %2 %3")
                           .arg(pdfPath, process.errorString(), QString::fromUtf8(process.readAllStandardError()));
        return result;
    }
    // Pages end with a form feed.
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    for (const QString& page : pages)
        result.pages.append(normalisedText(page));
    return result;
}

int PdfText::pagesContaining(const QString& text) const
{
    const QString wanted = normalisedText(text);
    int count = 0;
    for (const QString& page : pages)
        count += page.contains(wanted) ? 1 : 0;
    return count;
}
