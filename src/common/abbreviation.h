#pragma once

#include "platform/db/recordset.h"
#include "text_box.h"

#include <QString>

// Abbreviation expansion: the user types a short code in a text box and, as soon as he types a
// space, a comma or Enter, or leaves the box, the code is replaced by the full text a reference
// list holds for it (the abbreviations `abbreviations` -> "chudu", correspondents `correspondents` ->
// "tendonvi", units `units` -> "Tendonvi", letter types `letterTypes` -> "loai").
namespace common {

// The key codes that trigger expansion. Forms pass every released key; others are ignored.
namespace expandkey {
constexpr int Space = 32;
constexpr int Comma = 188;
constexpr int Enter = 13;
constexpr int LeaveField = 9999; // passed by a box's lost-focus handler
} // namespace expandkey

// The expansion key code for a released Qt key (Qt::Key_Space, Qt::Key_Comma, Qt::Key_Return,
// Qt::Key_Enter), or 0 for any other key.
int expansionKey(int qtKey);

// Expands the code just before the cursor of `box`.
// - Nothing happens unless key is one of expandkey and the cursor is past the first character.
// - The cut is just before what was typed: before the space or comma (cursor - 1), before the
//   line break in a multi-line box on Enter ("\r\n" counts 2, "\n" 1); at the cursor for Enter in
//   a one-line box and for LeaveField.
// - The code is the run of characters ending at the cut whose codes are 48 or more: a blank,
//   "!" to "/" (comma, bracket, quote, ...) or a line break ends it, so a code right after a comma
//   or "(" is found. No code when the text before the cut begins with a blank (as the program
//   always did) or ends with one.
// - The code is looked up with FindFirst "chutat = '<code>'" on `source` (quotes doubled;
//   letter case ignored by the engine). No row: nothing changes. The found row becomes the
//   current row of `source`.
// - Found: the code is replaced by the trimmed value of `column` of that row (a null value counts
//   as ""), the rest of the text is kept, and the cursor is put right after what was typed:
//   after the space or comma, after the line break, or after the expansion for Enter in a one-line
//   box and LeaveField.
// A null `source` (a list not opened) does nothing.
// Raises db::DbError when `source` cannot be searched (no column chutat, unknown `column`).
void expandAbbreviation(TextBox& box, int key, db::Recordset& source, const QString& column);

} // namespace common
