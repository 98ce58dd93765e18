#pragma once

#include "legacy_text.h"
#include "platform/db/database.h"
#include "platform/jet/jet_source.h"
#include "platform/jet/mdb_file.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Importing the data files of the old Windows installation: Jet files (vemocv.mdb, vemolich.mdb,
// vemotk.mdb) whose Vietnamese text is TCVN3. Year tables are copied whole, one table at a time,
// with the already-imported question; reference lists are merged row by row on their keys; every
// text is converted to Unicode and the normalised dates and sort keys are computed again.
// Each table is written in one transaction: an error or a cancel leaves it as it was.
namespace datafiles {

// Asks a yes/no question; false only when the answer is "no" (app::ask answers so).
using LegacyAsker = std::function<bool(const QString& question)>;
// Told what is being done: step text, rows done, rows of the table (0 while reading). Returns
// false to cancel: the table in progress is left as it was and the import stops.
using LegacyProgress = std::function<bool(const QString& step, int done, int total)>;

struct LegacyOptions
{
    LegacyEncoding encoding = LegacyEncoding::Detect; // the user's choice for the whole file
    jet::ReaderLimits readerLimits;                   // how long and how much the reader may take
};

struct LegacyTableReport
{
    enum class Outcome
    {
        Imported,       // a year table copied
        Merged,         // a reference list merged (rows: the rows added)
        Empty,          // the old table holds no rows
        KeptAsItWas,    // already imported and answered "no"
        YearOutOfRange, // its year is not strictly between 1900 and 2500
        Failed,         // error: the table is as it was before
        Cancelled,      // cancelled: the table is as it was before
        NotImported,    // named by the file but not read (error: why): the file's list of tables is
                        // damaged, or the import stopped at an earlier table
    };
    QString table;
    Outcome outcome = Outcome::Imported;
    int rows = 0;
    QStringList droppedColumns;
    int textsConverted = 0;
    QString error; // Failed: the message; NotImported: why
};

struct LegacyImportSummary
{
    QList<LegacyTableReport> tables;
    // The message of the failure that stopped the import ("" when none): an unreadable or damaged
    // file, a file without the expected tables, an error while copying a year table.
    QString error;
    bool cancelled = false;

    int tablesWritten() const; // Imported or Merged
    int rows() const;          // rows written
    int textsConverted() const;
    // The final message in the system's words: the failure or the kind's closing sentence, then a
    // line per table and the totals, marked "(căn trái)" for the message dialog to show the list
    // left-aligned. With no table looked at, the failure alone.
    QString message(const QString& kind) const;
};

// Imports the Jet file at path into target (kind "cv": the letters file in use; "lich": the plans
// and schedule file; "tk": the reference file beside the schedule file). Year tables of "cv"
// ("cvden????", "cvdi????") and "lich" ("kehoach????", "lich????") whose year lies strictly
// between 1900 and 2500 are created from their template in target ("cvdenmau", "cvdimau",
// "kehoachmau", "lichmau") when missing and filled; a table that already holds the old table's
// first row is asked about through asker, and replaced unless the answer is "no". Kind "tk"
// merges donvi, bophan, noigui, chutat, loaicv and nguoidung on their keys (users keep their
// passwords as stored: clear text is upgraded at the first login). An error in a year table stops
// the import (tables done stay; the year tables after it are listed as not imported); an error in
// a reference list is reported and the next is merged. A file whose list of tables cannot be read
// whole imports nothing: the tables it named are listed as not imported. The file is read by the
// reader process (jet::MdbFile) within options.readerLimits: its crash, hang or runaway memory is
// the damaged-file message naming the table it was reading.
// What the file is, recogniseSource() tells: another file gets its message in the summary.
// Never throws for bad input: the summary carries the message.
LegacyImportSummary importLegacyFile(const QString& path, const QString& kind, db::Database& target,
                                     const LegacyAsker& asker, const LegacyProgress& progress,
                                     const LegacyOptions& options = {});

// The same from an open source (tests, benchmarks).
LegacyImportSummary importLegacySource(const jet::Source& source, const QString& kind, db::Database& target,
                                       const LegacyAsker& asker, const LegacyProgress& progress,
                                       const LegacyOptions& options = {});

} // namespace datafiles
