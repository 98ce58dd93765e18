#pragma once

#include <QString>
#include <QStringList>

namespace app {

struct Module1;

// The settings file data/sysmem: one line of four quoted items separated by commas, ending with
// CR LF, in this order: the schedule file (schedulePath), the letters file (lettersPath), the backup
// file (backupPath, a single blank when none) and the working year (workingYear), for example
//   "/opt/selvaro/data/vemolich.MDB","/opt/selvaro/data/vemocv.MDB"," ","2009"
// The file is UTF-8. A path inside the program folder is stored relative to it
// ("data/vemocv.MDB"), so that a copied or moved program folder uses its own files; a path
// elsewhere is stored in full. Full paths written by older versions are read as they stand.

struct Sysmem
{
    QString schedulePath;
    QString lettersPath;
    QString backupPath;
    QString workingYear;
};

// Items of a line written the old way: items are separated by commas or line ends; blanks before
// an item are skipped; a quoted item runs to the next double quote (no escape), and what follows
// it up to the next separator is ignored; an unquoted item runs to the next separator with
// trailing blanks dropped. wellFormed is false when an item is not quoted, a quote is not closed
// or something other than blanks follows a closing quote.
struct SysmemItems
{
    QStringList items;
    bool wellFormed = true;
};
SysmemItems splitSysmemItems(const QString& text);

// The defaults when there is no settings file: <program>/data/vemolich.MDB,
// <program>/data/vemocv.MDB, " " and year.
Sysmem sysmemDefaults(const QString& programFolder, const QString& year);

// The item written for path: relative to programFolder (this platform's separators) when path
// lies inside it, else path unchanged (a blank, a relative path, a path elsewhere).
QString pathForSysmem(const QString& path, const QString& programFolder);
// The path an item stands for: a relative item is taken inside programFolder (this platform's
// separators); a full path, or a blank, is returned unchanged.
QString pathFromSysmem(const QString& item, const QString& programFolder);

// Reads the settings from text. Relative paths are taken inside programFolder (pathFromSysmem). A damaged file gives
// safe values and repaired = true so that the caller rewrites it:
//   - fewer than four items: the missing ones take their defaults; more than four: the extra
//     ones are ignored;
//   - an empty schedule or letters path takes its default; an empty backup path becomes " ";
//   - an empty or missing year stays empty: start-up's year check settles it against the clock
//     (and stops when the clock is before 2008);
//   - any other year that is not exactly four digits (after trimming) becomes clockYear;
//   - badly quoted items are read as the old reader read them (see splitSysmemItems).
struct SysmemReading
{
    Sysmem values;
    bool repaired = false;
};
SysmemReading parseSysmem(const QString& text, const QString& programFolder, const QString& clockYear);

// The file's text for values: each item in double quotes, separated by commas, ending with CR LF.
QString formatSysmem(const Sysmem& values);

// Path of the settings file of programFolder.
QString sysmemPath(const QString& programFolder);

// Reads the settings file of state's program folder into its schedulePath, lettersPath, backupPath
// and workingYear (a damaged file is rewritten only when state is not readOnly). A damaged file is read as
// parseSysmem() says and rewritten at once. A missing file gives the defaults (the clock's year) and is not written:
// start-up first checks the clock's year and then calls writeSysmem(). Returns true when a damaged file was rewritten.
// Raises sys::FileError when the file exists but cannot be read, or cannot be written.
bool readSysmem(Module1& state);

// Writes state's schedulePath, lettersPath, backupPath and workingYear to the settings file of its
// program folder (replacing it in one step; a read-only file is replaced too). Raises sys::FileError when it cannot be
// written.
void writeSysmem(const Module1& state);

} // namespace app
