#pragma once

#include "form_commands.h"

#include "common/weeks.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace app {

// The twelve register buttons of the main window: which data file each needs and the data sources
// it prepares for its form.
struct RegisterButton
{
    QString name;    // "cmdnapcvden", "Cmdxemcvden", ...
    QString caption; // "Nạp, sửa, in CV đến", ...
    bool letters;    // true: needs the letters file lettersPath; false: the schedule file schedulePath
};

// In the order of the four frames (incoming, outgoing, plans, schedule), three buttons each:
// enter/correct, view list, search.
const QList<RegisterButton>& registerButtons();
// The button named name (any letter case); nullptr when there is none.
const RegisterButton* findRegisterButton(const QString& name);

// The request the button hands to its form, built from the working year's table names and data
// files in module1(); today gives the week of the week view (Cmdxemlich).
FormRequest registerRequest(const RegisterButton& button, const QDate& today);

// The statement run on letters before a letters list opens (it clears every print mark);
// "" for the other buttons.
QString printMarkReset(const RegisterButton& button);

// The week that holds today (Monday to Sunday): the one week arithmetic of the schedule.
using common::Week;
using common::weekOf;

// "Không tìm thấy file dữ liệu <path> !" ... : the register's data file cannot be found.
QString dataFileMissingMessage(const QString& path);

} // namespace app
