#pragma once

namespace ui {

class BoundControl;

// What a bound control is bound to, as the control sees it: the data control that fills it on
// every record move. A control binds itself through this (BoundControl::setDataSource), so the
// control needs nothing else of the data control.
class BindingSource
{
public:
    // Takes control into the source's list (again after its field changed) and, when the source
    // has a current record, shows it there at once.
    virtual void bind(BoundControl* control) = 0;
    virtual void unbind(BoundControl* control) = 0;

protected:
    BindingSource() = default;
    ~BindingSource() = default;
    BindingSource(const BindingSource&) = default;
    BindingSource& operator=(const BindingSource&) = default;
};

} // namespace ui
