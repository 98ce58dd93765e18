#include "elided_path_label.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <QStringList>

namespace app {

QString elideLinesInMiddle(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideMiddle, width);
    return lines.join(QLatin1Char('\n'));
}

ElidedPathLabel::ElidedPathLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedPathLabel::setFullText(const QString& text)
{
    m_full = text;
    setToolTip(text);
    setAccessibleDescription(text);
    elide();
}

QSize ElidedPathLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidedPathLabel::sizeHint() const
{
    // Wide enough for a usual path, never for a path of any length.
    const QSize full = QLabel::sizeHint();
    return {std::min(full.width(), fontMetrics().averageCharWidth() * 80), full.height()};
}

void ElidedPathLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedPathLabel::elide()
{
    const int room = contentsRect().width();
    setText(room > 0 ? elideLinesInMiddle(m_full, fontMetrics(), room) : m_full);
}

} // namespace app
