#include "pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

QString normalisedText(const QString& text)
{
    static const QRegularExpression blanks(u"\\s+"_s);
    return text.normalized(QString::NormalizationForm_C).replace(blanks, u" "_s).trimmed();
}

PdfText PdfText::read(const QString& pdfPath)
{
    PdfText result;
    QProcess process;
    process.start(u"pdftotext"_s, {u"-raw"_s, u"-enc"_s, u"UTF-8"_s, pdfPath, u"-"_s});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        result.error = u"pdftotext failed on %1: %2 %3"_s.arg(pdfPath, process.errorString(),
                                                              QString::fromUtf8(process.readAllStandardError()));
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

QString PdfText::orderProblem(const QStringList& texts, bool eachOnce) const
{
    const QString text = all();
    qsizetype last = -1;
    for (const QString& expected : texts) {
        const QString wanted = normalisedText(expected);
        const qsizetype at = text.indexOf(wanted, last + 1);
        if (at < 0)
            return wanted + (text.contains(wanted) ? u": out of order"_s : u": missing"_s);
        if (eachOnce && text.indexOf(wanted, at + 1) >= 0)
            return wanted + u": printed twice"_s;
        last = at;
    }
    return {};
}
