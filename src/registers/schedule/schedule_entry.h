#pragma once

// What the schedule's entry form and its list (a grid of the same boxes) share: the
// configuration, the weekday derived from the day, and the steps on the boxes mngay, mthu and mgio.

#include "registers/entry_form.h"

#include <QString>

namespace registers {

// The weekday's name ("Thứ hai" ...) of a day as typed ("" for no date).
QString weekdayOf(const QString& day);

// The schedule register's configuration of the entry form.
EntryConfig scheduleEntryConfig();

// What the schedule's entry and list forms share on their boxes mngay, mthu and mgio: the weekday
// shown when a day is accepted, the weekday box that only explains itself, the derived columns
// written with every save.
void attachScheduleBoxes(EntryForm& form);
void writeScheduleRecord(const EntryForm& form, db::Recordset& rs);
// Runs the day check's derivation after F5 or F6 changed the day box (the key handler's tail).
void scheduleKeyUp(EntryForm& form, int keyCode);

} // namespace registers
