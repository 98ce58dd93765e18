#pragma once

#include <QString>
#include <Qt>

class QWidget;

namespace test {

// Types text into widget one character at a time, as key press and release events carrying the
// character (QTest::keyClicks aborts on characters outside Latin-1, such as most Vietnamese
// letters). ASCII characters carry their own key (space 32, comma ...), others Qt::Key_unknown;
// "\n" is the Enter key.
void typeText(QWidget* widget, const QString& text);

// Presses and releases one key with modifiers at widget (release carries the modifiers too).
void pressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace test
