#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace app {

// What the main window hands to the form a command opens: the data sources it prepared, as
// the register buttons and list menus describe them.
struct FormRequest
{
    QString command;      // the control that asked: "cmdnapcvden", "mnunapdonvi", ...
    QString databaseName; // the file the form's data control opens (may be empty)
    QString recordSource; // its table name or SELECT statement (may be empty)
    QStringList lookups;  // further SELECT statements for the form's lists, in the order given
    QStringList boxes;    // texts for the form's boxes (the week view: Monday and Sunday)
    QString title;        // a caption chosen by the caller, or empty for the form's own
    QString kind;         // the import's kind: "cv", "lich" or "tk" (the three import commands)
};

// Opens the form of a command. Register forms are shown without waiting (mainWindow is hidden by
// the caller and shown again by the form when it closes); list forms are shown modal and the
// opener returns when they have closed.
using FormOpener = std::function<void(const FormRequest& request, QWidget* mainWindow)>;

// The forms live in layers above this one, so they make themselves known here at start-up
// (main.cpp registers them). A command without an opener tells the user it is not available.
void registerFormOpener(const QString& command, FormOpener opener);
void unregisterFormOpeners(); // forgets every opener (tests)
bool hasFormOpener(const QString& command);
// Runs the opener of request.command; returns false, without showing anything, when there is none.
bool openForm(const FormRequest& request, QWidget* mainWindow);

inline const QString kNotAvailable = QStringLiteral("Chức năng này chưa có trong phiên bản này !");

} // namespace app
