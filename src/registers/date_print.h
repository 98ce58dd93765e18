#pragma once

// What a form that opens the print-by-date dialog tells it: its own form name, which picks the
// register ("frmcvden" and "frmgridcvden" the incoming letters, any other the outgoing), and the
// visit it belongs to (the letters file, the working year and the files of the program). The
// dialog belongs to the letters registers; the forms that open it know it by this alone.

#include <QString>
#include <memory>

namespace registers {

class RegisterSession;

class DatePrintCaller
{
public:
    virtual ~DatePrintCaller() = default;
    // Called before the dialog is loaded. The dialog does not keep the visit alive: it prints
    // only while the caller's forms still hold it.
    virtual void setCaller(const QString& caller, std::shared_ptr<RegisterSession> visit) = 0;
    // Puts date (as displayed) in the first date box of the loaded dialog.
    virtual void proposeFirstDate(const QString& date) = 0;
};

} // namespace registers
