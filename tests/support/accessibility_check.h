#pragma once

#include <QStringList>
#include <gtest/gtest.h>

class QWidget;

namespace test {

// Accessibility check for any window of the program: reads the window as a screen reader does,
// through Qt's accessibility tree (QAccessibleInterface, from the window down through child()),
// and lists what a user of a screen reader would miss.
//
// Rules checked:
// - The window is announced with its true role: a window whose type is Qt::Dialog (every
//   QDialog made as a dialog) has the role Dialog; any other top-level window the role Window.
//   Either one has a name (its title).
// - Every control a user can reach with Tab (visible in the window, focus policy with Tab, not a
//   part that passes its focus to another control) has
//   - a name of its own: its accessible name, the text of a label whose buddy it is, or a caption
//     (a button's text); a value the control holds (the text typed in a box, the item shown in a
//     list) is not a name;
//   - a role that says what it is: not Client, Pane, NoRole or Window.
//   - when it is given a name (its label's text or an accessible name), that name is what is
//     announced: a drop-down list is not announced by the item it shows.
// - Every label shown is announced as what it shows (its text without "&"; blanks and line
//   breaks aside): a label whose text the program changes does not hide behind a fixed name.
// Controls that are only disabled are checked too: they become reachable later.
//
// Usage, in a test of any form, on the window as the user meets it: loaded, and shown (offscreen)
// when it has a tool bar, which lays out its boxes only once shown:
//     EXPECT_TRUE(test::isAccessible(&form));
// A failure lists every problem, one a line, each naming the control by its objectName.
::testing::AssertionResult isAccessible(QWidget* window);

// The problems isAccessible() reports, empty when there are none.
QStringList accessibilityProblems(QWidget* window);

// Every name the tree announces under window (the window's own included), in tree order, for
// tests that check what is read and how often ("the title is read once").
QStringList accessibleNames(QWidget* window);

} // namespace test
