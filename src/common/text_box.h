#pragma once

#include <QString>

namespace common {

// What the shared text procedures need from a text box: its text, its cursor and whether it
// holds several lines. Forms wrap their line edits and multi-line editors in it; tests use a
// plain value. Positions are 0-based UTF-16 offsets into text().
class TextBox
{
public:
    virtual ~TextBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    // Start of the selection, or the cursor position when nothing is selected.
    virtual int cursorPosition() const = 0;
    // Callers pass 0..text().size().
    virtual void setCursorPosition(int position) = 0;
    virtual bool isMultiLine() const = 0;
};

} // namespace common
