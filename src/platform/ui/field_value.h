#pragma once

#include "platform/db/field_def.h"

#include <QString>
#include <QVariant>

namespace ui {

// How a bound control shows a field's value: a null field shows as an empty text; a yes/no field
// as "True"/"False"; whole numbers without decimals; other numbers in their shortest exact form;
// a date as dd/mm/yyyy (with the time when it has one).
QString displayText(const QVariant& value);

// The value a bound control's text stores in a field of the given kind:
// - Text and Memo: the text as typed; an empty text is stored as null when the field does not
//   allow a zero-length string.
// - numbers: the trimmed text read as a number (a leading blank is allowed, as in " 6");
//   an empty or blank text is null.
// - yes/no: "True", "-1", "1" (any letter case) are yes; "False", "0" and "" are no.
// - dates: dd/mm/yyyy, yyyy-mm-dd or with a time; empty is null.
// A text that cannot be read as the field's kind sets *ok to false and returns null.
QVariant storedValue(const QString& text, const db::FieldDef& field, bool* ok = nullptr);

// Whether a value read from a yes/no field (or any field a check box is bound to) means yes.
bool isYes(const QVariant& value);

} // namespace ui
