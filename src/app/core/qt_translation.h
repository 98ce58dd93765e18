#pragma once

#include <QString>
#include <QStringList>

namespace app {

// The Vietnamese texts of Qt's own dialogs and menus (the file dialog, the print dialog, the print
// preview's buttons, a text box's menu): Qt ships no Vietnamese, so the program keeps its own
// translation, selvaro_qt_vi.qm, among its data files.
inline const QString kQtTranslationFile = QStringLiteral("selvaro_qt_vi.qm");

// Where the translation is looked for, in order: the program folder's data folder, the data
// folder beside the executable (a program folder chosen with --home may lack the file), and the
// installed share folder.
QStringList qtTranslationFolders(const QString& programFolder);

// Loads the translation from the first of folders that holds a readable one and puts it in
// effect for the whole application (again from the same file: nothing changes; from another file:
// it replaces the one in effect). Returns the file in effect, or "" when none could be loaded:
// Qt's dialogs then speak English, and the log says so.
QString installQtTranslation(const QStringList& folders);

} // namespace app
