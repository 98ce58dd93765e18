#pragma once

#include <QString>

// The search-criteria language. Every search form has one box per searchable field; each box's
// criterion becomes one piece of a Jet WHERE condition (without the word WHERE), appended by one
// of these builders to the condition the form is building. `count` is the number of pieces
// already in the condition: when it is greater than 0 a builder first appends " and ".
//
//   numbers  12    1, 5-9, >100    <a    >a    a-b (a to b)    !a or #a (not a)
//   texts    Bộ    Bộ,Sở+!Hà       "," means or, "+" means and, "!" or "#" first means "does not
//            contain"; every other part is a substring match, letter case ignored by the engine
//   dates    from/to pair on a normalised-date column ("yyyymmdd")
//
// A blank criterion adds nothing and leaves count and status as they were.
namespace common {

// Status words of appendNumberCriterion.
inline const QString kStatusDung = QStringLiteral("dung"); // at least one valid item
inline const QString kStatusSai = QStringLiteral("sai");   // no valid item: do not search

// Numeric criterion on `field` (as written in SQL, e.g. "[stt]"). The criterion is cut at commas
// into items; each item is rewritten and invalid items are dropped silently ("5, x" searches 5):
//   a-b  -> field between a and b (a and b numbers, blanks around them allowed; 7-3 finds nothing)
//   >a <a -> field>a, field<a      !a #a -> field <> a      a -> field=a
// A number is a plain decimal: optional sign, digits, optional decimal point and digits, blanks
// around it allowed. So a negative number, "=5", ">=5", "<=5" and "3-x" are invalid.
// With at least one valid item: status "dung", " and " when count > 0, then
// "(" + field + item1 + " or " + field + item2 ... + ")", and count + 1.
// With none: status "sai" and condition and count unchanged.
// "12" -> ([stt]=12); "1, 5-9, >100" -> ([stt]=1 or [stt] between 5 and 9 or [stt]>100).
void appendNumberCriterion(const QString& criterion, const QString& field, QString& condition, qint16& count,
                           QString& status);

// Text criterion on `field`. Items are cut at commas and trimmed (empty ones dropped); an item's
// parts are cut at "+" (a part keeps its trailing blanks: "a +b" wants "a " and "b"; empty parts
// are skipped). A part starting with "!" or "#" gives field Not Like '*rest*' (rest trimmed);
// any other part field Like '*part*'. Single quotes typed in a part are doubled; the Jet
// wildcards * ? # [..] inside a part keep their meaning. Parts of an item are joined by " and "
// in parentheses, items by " or ", the whole in parentheses:
// "Bộ,Sở+!Hà" -> (([noigui] Like '*Bộ*') or ([noigui] Like '*Sở*' and [noigui] Not Like '*Hà*')).
// Returns true and adds 1 to count when a piece was appended, true when the criterion is blank.
// Returns false, appending nothing, when the criterion has no usable part: only commas, an item
// of pluses only, or an item ending in "+" ("a+", ",", "a,+"); the form then shows
// invalidCriterionMessage() and does not search.
bool appendTextCriterion(const QString& criterion, const QString& field, QString& condition, qint16& count);

// Date range on a normalised-date `field`. `fromDate` and `toDate` are "dd/mm/yyyy" texts that
// passed the date check, or blank. Both blank: nothing. Otherwise one piece without parentheses
// (" and " first when count > 0), and count + 1:
//   both  field between 'from' and 'to'     from only  field  >= 'from'     to only  field  <= 'to'
// (two blanks before >= and <=; the dates normalised to "yyyymmdd", quotes doubled).
void appendDateRange(const QString& fromDate, const QString& toDate, const QString& field, QString& condition,
                     qint16& count);

// Appends field + " = " + value (" and " first when count > 0). `value` is SQL the caller
// supplies ("True", "False"), never typed text. The count is NOT changed: the caller adds 1.
void appendEquals(const QString& value, const QString& field, QString& condition, qint16 count);

// The message shown, kind "ok", when a box holds an invalid criterion (its text is trimmed).
QString invalidCriterionMessage(const QString& boxText);

} // namespace common
