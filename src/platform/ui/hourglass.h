#pragma once

namespace ui {

// The screen's mouse pointer. The old program set the hourglass in one handler and the default
// pointer in another (often in a form's Reposition); these two calls keep that style, and
// HourglassPointer covers a single command.

// Shows the hourglass over every window of the program (calling it again changes nothing).
void setHourglass();
// Back to the default pointer, whatever was set before (also undoes HourglassPointer objects
// still alive; their destructors then change nothing).
void setDefaultPointer();
bool isHourglass();

// The hourglass for the lifetime of the object, e.g. while a long command runs.
// The destructor restores the pointer that was in use when the object was made.
class HourglassPointer
{
public:
    HourglassPointer();
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;

private:
    bool m_wasHourglass;
};

} // namespace ui
