#pragma once

#include <QString>
#include <functional>

namespace ui {

// The platform message box, used where the old program called MsgBox directly (the login
// dialog, help, the data control's own error display). Everything else goes through the
// program's message dialog.
namespace msgbox {
// Buttons and icon, added together as the old constants were (YesNo + Question).
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
// Answers.
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace msgbox

// Shows prompt with the buttons and icon of `buttons` and waits for an answer; the title is the
// application's name when empty. Closing the box with Esc or its close box answers Cancel when
// there is a Cancel button, No for YesNo, otherwise Ok.
int msgBox(const QString& prompt, int buttons = msgbox::OkOnly, const QString& title = QString());

// Test seam: while a handler is installed it is called instead of showing a box, and its
// return value is the answer. Returns the previous handler; an empty one restores the box.
using MsgBoxHandler = std::function<int(const QString& prompt, int buttons, const QString& title)>;
MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler);

} // namespace ui
