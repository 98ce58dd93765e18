#pragma once

#include <QLabel>
#include <QString>

class QFontMetrics;

namespace app {

// Each line of text no wider than width pixels in metrics: a longer line keeps its beginning and
// its end (the caption and the file name) and loses its middle to "…".
QString elideLinesInMiddle(const QString& text, const QFontMetrics& metrics, int width);

// A label for data paths: it never asks for more width than its layout gives it, shows each line
// elided in the middle to the width it has, and keeps the full text in its tooltip and as its
// accessible description.
class ElidedPathLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedPathLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return m_full; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString m_full;
};

} // namespace app
