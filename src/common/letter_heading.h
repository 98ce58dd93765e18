#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace common {

// What the heading of an official letter tells, read from the letter's text (a PDF's text or a
// scan's OCR) so that a letter taken in from a file starts with its boxes filled. The secretary
// checks them before saving, so a value is given only where the text shows it plainly; anything
// unsure is left empty.
struct LetterHeading
{
    QString number; // the number and sign, "123/UBND-VP", blanks removed
    QDate date;     // the date of the place-and-date line; null when none can be read
    QString sender; // the correspondent whose name stands in the heading, as the list writes it
};

// Reads the heading from `text`:
// - the number and sign follow "Số:" (or "SỐ:") and begin with a digit: "Số: 123/UBND-VP",
//   "Số 45/2026/NĐ-CP"; a form left to fill ("Số: ..../BC-UBND") gives no number;
// - the date is written "ngày 05 tháng 3 năm 2026"; the place-and-date line ("Hà Nội, ngày …")
//   is preferred over dates the body cites, and an impossible date is no date;
// - the sender is the one of `correspondents` whose name stands last in the heading (the text
//   before the number line, or its first 600 characters): the issuing organisation stands under
//   its governing body. Of two names ending at one place, the longer. Names are compared as whole
//   words, ignoring letter case and line breaks, tone marks respected.
LetterHeading readLetterHeading(const QString& text, const QStringList& correspondents);

} // namespace common
