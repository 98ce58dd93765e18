#include "hourglass.h"

#include <QApplication>
#include <QCursor>

namespace ui {

void setHourglass()
{
    if (!isHourglass())
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void setDefaultPointer()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

bool isHourglass()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

HourglassPointer::HourglassPointer() : m_wasHourglass(isHourglass())
{
    setHourglass();
}

HourglassPointer::~HourglassPointer()
{
    if (!m_wasHourglass)
        setDefaultPointer();
}

} // namespace ui
