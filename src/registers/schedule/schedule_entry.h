#pragma once

// What the schedule's entry form and its list (a grid of the same boxes) share: the
// configuration, the weekday derived from the day, and the steps on the boxes mngay, mthu and mgio.

#include "registers/entry_form.h"

#include <QString>

namespace registers {

// The weekday's name ("Thứ hai" ...) of a day as typed ("" for no date).
QString weekdayOf(const QString& day);

// The boxes both schedule forms have under the same names.
struct ScheduleBoxes
{
    ui::TextBox* day = nullptr;          // mngay
    ui::TextBox* weekday = nullptr;      // mthu
    ui::TextBox* time = nullptr;         // mgio
    ui::TextBox* content = nullptr;      // mndung
    ui::TextBox* place = nullptr;        // mdiadiem
    ui::TextBox* chair = nullptr;        // mchutri
    ui::TextBox* preparer = nullptr;     // mchuanbi
    ui::TextBox* participants = nullptr; // mthanhphan
    ui::TextBox* note = nullptr;         // mghichu
};

template <class Ui> ScheduleBoxes scheduleBoxes(const Ui& ui)
{
    return {ui.mngay, ui.mthu, ui.mgio, ui.mndung, ui.mdiadiem, ui.mchutri, ui.mchuanbi, ui.mthanhphan, ui.mghichu};
}

// The schedule register's configuration of the entry form, on boxes and the id box id (txtFields).
EntryConfig scheduleEntryConfig(const ScheduleBoxes& boxes, ui::TextBox* id);

// What the schedule's entry and list forms share on their day, weekday and time boxes: the weekday
// shown when a day is accepted, the weekday box that only explains itself, the derived columns
// written with every save.
void attachScheduleBoxes(EntryForm& form, const ScheduleBoxes& boxes);
void writeScheduleRecord(const EntryForm& form, const ScheduleBoxes& boxes, db::Recordset& rs);
// Runs the day check's derivation after F5 or F6 changed the day box (the key handler's tail).
void scheduleKeyUp(EntryForm& form, const ScheduleBoxes& boxes, int keyCode);

// Before the item the boxes hold is written: when its person chairing or its place already has an
// item within two hours that day (findClash, in the form's year table and those of the day's
// week), the secretary is asked once whether to write it anyway. False when the answer is "no".
// An item that cannot be checked (the rows cannot be read) is written; the error is recorded.
bool confirmNoClash(const EntryForm& form, const ScheduleBoxes& boxes);

// After an item of day (as typed, dd/mm/yyyy) was written or deleted: the week of day published
// again in the publish folder, when one is set (republishWeek).
void republishAfterChange(const EntryForm& form, const QString& day);

} // namespace registers
