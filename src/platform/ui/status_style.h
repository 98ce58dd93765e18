#pragma once

#include <QColor>

class QLabel;
class QWidget;

namespace ui {

// A colour written as the old colour numbers are (&H00BBGGRR): 65535 is yellow, 255 red,
// &HC0C0C0 light grey.
QColor colorFromNumber(unsigned int bgr);

enum class StatusStyle
{
    Viewing, // the system highlight colour on the button-face colour
    Editing, // yellow (65535) on red (255), while adding or editing
};

// Paints a status label (lbltrangthai) in one of the two styles of the entry and list forms.
void setStatusStyle(QLabel* label, StatusStyle style);
// The colours a status label shows in a style (what setStatusStyle paints).
QColor statusForeground(StatusStyle style);
QColor statusBackground(StatusStyle style);

// Background and text colour of any control; the background is filled.
void setBackColor(QWidget* widget, const QColor& color);
void setForeColor(QWidget* widget, const QColor& color);
QColor backColor(const QWidget* widget);
QColor foreColor(const QWidget* widget);

} // namespace ui
