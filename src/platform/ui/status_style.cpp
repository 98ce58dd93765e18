#include "status_style.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace ui {

QColor colorFromNumber(unsigned int bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

QColor statusForeground(StatusStyle style)
{
    if (style == StatusStyle::Editing)
        return colorFromNumber(65535);
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

QColor statusBackground(StatusStyle style)
{
    if (style == StatusStyle::Editing)
        return colorFromNumber(255);
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

void setStatusStyle(QLabel* label, StatusStyle style)
{
    setForeColor(label, statusForeground(style));
    setBackColor(label, statusBackground(style));
}

void setBackColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Button, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

QColor backColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window);
}

QColor foreColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

} // namespace ui
