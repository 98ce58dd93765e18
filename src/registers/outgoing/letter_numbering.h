#pragma once

// Outgoing letters are numbered separately for each letter type: a letter's register number is
// one more than that of the letter of its type before it (in table order). Kept free of widgets.

#include "platform/db/recordset.h"

#include <QString>

namespace registers {

struct TypeNumber
{
    enum class Outcome
    {
        Numbered, // number is the register number to propose
        NoType,   // the type is blank: nothing can be numbered
        Taken,    // editing: number is already held by the next letter of that type
    };
    Outcome outcome = Outcome::Numbered;
    int number = 0;
};

// The register number for a letter of type `type` in the records of rs (which is not moved; a
// clone looks). editedPosition is -1 for a letter being added (the last letter of the type gives
// the number), else the zero-based position of the letter being edited (the nearest earlier letter
// of the type gives it, and a number already used by the next letter of the type is Taken).
// The first record edited has no earlier letter: it gets 1, checked against the later ones.
TypeNumber numberForType(const db::Recordset& rs, const QString& type, int editedPosition);

// The Jet criterion selecting the letters of type ("loai ='Công văn'"), quotes doubled.
QString typeCriterion(const QString& type);

// The letter number built from the register number: "12" gives "12/", ready for the suffix.
QString letterNumberPrefix(const QString& registerNumber);

} // namespace registers
