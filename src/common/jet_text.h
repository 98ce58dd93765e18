#pragma once

#include <QString>

namespace common {

// A typed text as a Jet string literal: wrapped in single quotes, every single quote inside
// doubled, so that whatever the user typed stays one ordinary value ("Nhà 'A'" -> 'Nhà ''A''').
QString jetText(const QString& text);

} // namespace common
