#pragma once

// The register forms of the program, one instance each, found by name. The old forms handed
// control to each other by showing and hiding instances that stayed loaded; the registry keeps
// that: a form is made on first use and lives until the program ends (or a test destroys it).

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace ui {
class FormBase;
}

namespace registers {

class RegisterSession;
using FormFactory = std::function<ui::FormBase*()>;

// Makes the form `name` known; a second call replaces the factory (an instance already made stays).
void addForm(const QString& name, FormFactory factory);
// The form's one instance, made on first use; nullptr for an unknown name.
ui::FormBase* form(const QString& name);
template <typename T> T* form(const QString& name)
{
    return dynamic_cast<T*>(form(name));
}
// The instance when it has been made, else nullptr (does not make it).
ui::FormBase* existingForm(const QString& name);
// Deletes every instance (tests, end of the program); the factories stay.
void destroyForms();

// The print-by-date dialog DatePrintDialog made afresh for caller (a form name) of visit, loaded,
// with its first date box holding letterDate (as stored) through the date check; nullptr when the
// dialog is not known. The caller shows it modal.
ui::FormBase* datePrintDialog(const QString& caller, std::shared_ptr<RegisterSession> visit, const QString& letterDate);

// The main window the register forms return to (set by the openers).
void setMainWindow(QWidget* window);
QWidget* mainWindow();
void showMainWindow();

} // namespace registers
