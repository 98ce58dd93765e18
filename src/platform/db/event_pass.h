#pragma once

#include <QtGlobal>

namespace db {

// The action the program's event loop is handling now, as a number: it stays the same while one
// event that begins an action (a key press, a click, a timer, a queued call) is handled, with the
// events sent on the way, and changes with the next such event and every wake of the loop, also
// inside a nested loop (a modal dialog). A value read from the file
// in one user action may be reused until the number changes, so another program's commit is
// still seen at the next action.
//
// 0 outside a running event loop (tests and tools calling the layer directly, a QCoreApplication
// that has not entered exec()) and in any thread but the application's: there nothing is reused.
quint64 currentEventPass();

} // namespace db
