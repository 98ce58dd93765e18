#include "type_text.h"

#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace test {

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        QString chars(c);
        if (c == u'\n') {
            key = Qt::Key_Return;
            chars = u"\r"_s;
        } else if (c.unicode() < 128 && c.isPrint()) {
            key = c.toUpper().unicode();
            if (c.isUpper())
                modifiers = Qt::ShiftModifier;
        }
        QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(key), chars, modifiers);
    }
}

void pressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyPress(widget, key, modifiers);
    QTest::keyRelease(widget, key, modifiers);
}

} // namespace test
