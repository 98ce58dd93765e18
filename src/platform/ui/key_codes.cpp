#include "key_codes.h"

#include <QKeyEvent>

namespace ui {
namespace {

struct KeyPair
{
    int qt;
    int code;
};

// Keys whose old code differs from their Qt value.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, key::Backspace},
    {Qt::Key_Tab, key::Tab},
    {Qt::Key_Backtab, key::Tab},
    {Qt::Key_Return, key::Enter},
    {Qt::Key_Enter, key::Enter},
    {Qt::Key_Shift, key::Shift},
    {Qt::Key_Control, key::Control},
    {Qt::Key_Alt, key::Alt},
    {Qt::Key_Escape, key::Escape},
    {Qt::Key_Space, key::Space},
    {Qt::Key_PageUp, key::PageUp},
    {Qt::Key_PageDown, key::PageDown},
    {Qt::Key_End, key::End},
    {Qt::Key_Home, key::Home},
    {Qt::Key_Left, key::Left},
    {Qt::Key_Up, key::Up},
    {Qt::Key_Right, key::Right},
    {Qt::Key_Down, key::Down},
    {Qt::Key_Insert, key::Insert},
    {Qt::Key_Delete, key::Delete},
    {Qt::Key_Comma, key::Comma},
    {Qt::Key_Less, key::Comma},
    {Qt::Key_Minus, key::Minus},
    {Qt::Key_Underscore, key::Minus},
    {Qt::Key_Period, key::Period},
    {Qt::Key_Greater, key::Period},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
};

} // namespace

int keyCodeFromQt(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // Qt's letter keys are the upper-case ASCII codes
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return key::F1 + (qtKey - Qt::Key_F1);
    for (const KeyPair& k : kKeys) {
        if (k.qt == qtKey)
            return k.code;
    }
    return 0;
}

int qtKeyFromCode(int keyCode)
{
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9'))
        return keyCode;
    if (keyCode >= key::F1 && keyCode <= key::F1 + 23)
        return Qt::Key_F1 + (keyCode - key::F1);
    for (const KeyPair& k : kKeys) {
        if (k.code == keyCode)
            return k.qt; // the first pair of a code is its unshifted key
    }
    return 0;
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int state = shift::None;
    if (modifiers & Qt::ShiftModifier)
        state |= shift::Shift;
    if (modifiers & Qt::ControlModifier)
        state |= shift::Ctrl;
    if (modifiers & Qt::AltModifier)
        state |= shift::Alt;
    return state;
}

Qt::KeyboardModifiers modifiersFromShift(int state)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (state & shift::Shift)
        modifiers |= Qt::ShiftModifier;
    if (state & shift::Ctrl)
        modifiers |= Qt::ControlModifier;
    if (state & shift::Alt)
        modifiers |= Qt::AltModifier;
    return modifiers;
}

int keyCode(const QKeyEvent& event)
{
    return keyCodeFromQt(event.key());
}

} // namespace ui
