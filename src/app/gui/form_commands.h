#pragma once

#include "app/core/module1.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace app {

// What the main window hands to the form a command opens: the data sources it prepared, as
// the register buttons and list menus describe them.
//
// The form works on the program's own connection to its data file, database(): its data control
// is bound to it (ui::DataControl::setDatabase), never opened again by path, so the form's writes,
// the procedures it calls (saving a letter, replication) and the other forms share one connection
// and one transaction.
struct FormRequest
{
    QString command;                    // the control that asked: "cmdnapcvden", "mnunapdonvi", ...
    DataFile dataFile = DataFile::None; // the data file the form works on (None: no data control)
    QString recordSource;               // its table name or SELECT statement (may be empty)
    QStringList lookups;                // further SELECT statements for the form's lists, in the order given
    QStringList boxes;                  // texts for the form's boxes (the week view: Monday and Sunday)
    QString title;                      // a caption chosen by the caller, or empty for the form's own
    QString kind;                       // the import's kind: "cv", "lich" or "tk" (the three import commands)
    QString confirmedRights;            // what the rights check before the command confirmed ("" for none)

    // module1()'s open database of dataFile, read when called (after a change of data file it is
    // the new one); a closed handle for None.
    db::Database database() const { return module1().database(dataFile); }
    // The path of dataFile, for messages; "" for None.
    QString databasePath() const { return module1().path(dataFile); }
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
