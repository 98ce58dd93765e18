#pragma once

// What the work-plan forms share: the unit, department and type lists each form opens for itself
// (so the list and search forms have them though the entry form was not opened), and the
// end-before-start message.

#include "registers/register_session.h"

#include "platform/ui/data_combo.h"
#include "platform/ui/data_control.h"
#include "platform/ui/text_box.h"

#include <QString>

namespace registers {

inline const QString kEndBeforeStartMessage =
    QStringLiteral("Thời gian kết thúc không thể đặt trước thời gian bắt đầu!") + QChar(13) +
    QStringLiteral("Cần nạp lại con số thời gian kết thúc!");

// An end date (accepted by the date rule) before the date in start is told and the focus goes
// back to end, whose typed text stays; true then. An end equal to the start is fine.
bool refuseEndBeforeStart(const ui::TextBox* start, ui::TextBox* end, const QString& endDate);

// A hidden snapshot data control named name, child of parent.
ui::DataControl* makeListControl(QWidget* parent, const char* name);
// A drop-down list of rows' field, chosen from the list only, named for the reader; bound, when
// given, is the column whose value a choice hands over (the unit's and department's id).
void setUpListCombo(ui::DataCombo* combo, ui::DataControl* rows, const QString& field, const QString& caption,
                    const QString& bound = QString());
// Units ("SELECT * FROM donvi ORDER BY matt") and departments ("SELECT * FROM bophan ORDER BY
// matt") of the reference file beside the plans file, and the types already used in the plan
// table of the working year: the files and year of visit.
void bindPlanLists(RegisterSession& visit, ui::DataControl* units, ui::DataControl* departments,
                   ui::DataControl* types);

} // namespace registers
