#pragma once

#include <QString>
#include <QStringList>

// The text of a PDF file as pdftotext (poppler-utils) reads it, page by page, in drawing order,
// with every run of blanks and line breaks made one blank and the letters in composed form, so
// that a cell's text wrapped over several lines reads as written.
struct PdfText
{
    QStringList pages;
    QString error; // set when pdftotext could not be run or failed

    static PdfText read(const QString& pdfPath);

    int pageCount() const { return int(pages.size()); }
    QString all() const { return pages.join(u' '); }
    // How many pages contain text.
    int pagesContaining(const QString& text) const;
    // The first of texts missing, out of order or (eachOnce) printed twice, with what is wrong;
    // "" when every text is printed, in the order given.
    QString orderProblem(const QStringList& texts, bool eachOnce = true) const;
};

// The same normalisation for an expected text.
QString normalisedText(const QString& text);
