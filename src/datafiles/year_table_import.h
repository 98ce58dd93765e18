#pragma once

#include "import_source.h"

#include <QString>
#include <QStringList>
#include <functional>

// Importing the year tables of an old letters or plans-and-schedule file into the file in use.
namespace datafiles {

// One register's year tables: their name pattern, the template a missing table is made from, the
// three columns compared to tell whether a table was imported before, and the start of the
// question asked then.
struct YearTableKind
{
    QString pattern;      // "cvden????", "cvdi????", "kehoach????", "lich????"
    QString templateName; // "cvdenmau", "cvdimau", "kehoachmau", "lichmau"
    QStringList compared; // e.g. noigui, so_cv, tt_ndung
    QString title;        // "Bảng công văn đến năm " ...
};

// The two registers of an import kind: "cv" incoming and outgoing letters, "lich" work plans and
// schedule; empty for any other kind.
QList<YearTableKind> yearTableKinds(const QString& importKind);

// The kind whose pattern the lower-cased table name matches, whatever its last four characters;
// nullptr for any other table (the templates "cvdenmau", "lichmau", ... included).
const YearTableKind* yearTableKindNamed(const QString& table, const QList<YearTableKind>& kinds);

// True when the last four characters of table are a year (four digits) strictly between 1900
// and 2500: only such tables are imported.
bool isImportedYear(const QString& table);

// yearTableKindNamed() for a table whose year isImportedYear(); nullptr for any other table.
const YearTableKind* yearTableKindOf(const QString& table, const QList<YearTableKind>& kinds);

// The question asked when table seems imported already:
// title + year + " trong file dữ liệu vừa chọn đã được nhập một lần. " CR LF
// "Có muốn xoá dữ liệu hiện có và nhập lại bảng này không?"
QString reimportQuestion(const YearTableKind& kind, const QString& table);

// The condition that finds the old table's first row in the file in use: each compared column
// whose value is not blank, as column = value (a text quoted with its quotes doubled, a date or
// number as such), joined by " and ". Empty when every compared value is blank.
QString importedCriterion(const QStringList& columns, const QVariantList& values);

enum class YearTableOutcome
{
    SkippedEmpty, // the old table has no rows
    Kept,         // imported before; the user answered "no": the table in use is untouched
    Copied,       // the rows were added to the (new or empty) table in use
    Replaced,     // imported before; the user agreed: the table was emptied and copied again
};

// Imports the year table named table from source into target (the file in use). kind is the
// table's kind (yearTableKindOf). ask receives reimportQuestion() and returns false for "no".
//
// The table counts as imported before when the table in use has a row matching
// importedCriterion() of the old first row; when all compared values are blank, when the table in
// use holds any row. Then ask() decides; "no" keeps it.
//
// The letters' attachments come along: their files are copied from the old file's store into the
// store of target first (each content once), then the copy is one transaction on target: dropping
// the table (when it is replaced) with the attachment rows of its letters, making it from its
// template in target when missing, adding every old row (fields matched by name, the counter id
// excepted, in id order) and a tepdinhkem row for each attachment, naming its letter's new id.
// Any error rolls all of it back, so the table in use is as it was before this table's copy began
// (files copied stay, named by no row, for the sweep), and raises (db::DbError; AttachmentError
// when a file is missing from the old store or damaged there; std::runtime_error when the
// template is missing).
YearTableOutcome importYearTable(ImportSource& source, db::Database& target, const QString& table,
                                 const YearTableKind& kind, const std::function<bool(const QString&)>& ask);

} // namespace datafiles
