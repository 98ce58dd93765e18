#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace ui {

// How a screen reader meets a drop-down list (every QComboBox of the program): by its name, the
// label that names it (its buddy) or its accessible name, and with the item shown as its value.
// Qt's own interface on Linux announces the item shown as the name, so a list said "Phòng Hành
// chính" instead of "Chọn phòng, bộ phận" once an item was picked.
//
// Returns the interface for object when it is a QComboBox (key is the class name being asked
// for), nullptr otherwise; installAccessibleCombos() installs it as a factory, once.
QAccessibleInterface* accessibleCombo(const QString& key, QObject* object);
void installAccessibleCombos();

} // namespace ui
