#pragma once

#include <Qt>

class QKeyEvent;

namespace ui {

// Key codes as the forms' key handlers receive them (the old virtual-key numbering), so a handler
// reads "if (keyCode == key::F5 && shift == shift::Shift)" exactly as the behaviour is described.
namespace key {
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112;
constexpr int F2 = 113;
constexpr int F3 = 114;
constexpr int F4 = 115;
constexpr int F5 = 116;
constexpr int F6 = 117;
constexpr int F12 = 123;
constexpr int Comma = 188;
constexpr int Minus = 189;
constexpr int Period = 190;
} // namespace key

// Shift state bits: a handler compares the whole state ("Shift state exactly 1").
namespace shift {
constexpr int None = 0;
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
} // namespace shift

// The old key code of a Qt key: letters give their upper-case code (65-90) whatever the shift
// state, digits 48-57, punctuation its keyboard code (comma 188, full stop 190 ...). A key
// with no old code (a letter outside ASCII, a media key) gives 0.
int keyCodeFromQt(int qtKey);
// The Qt key of an old key code (0 when there is none); keyCodeFromQt(qtKeyFromCode(c)) == c.
int qtKeyFromCode(int keyCode);
int shiftState(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers modifiersFromShift(int shift);
int keyCode(const QKeyEvent& event);

} // namespace ui
