#pragma once

#include "jet_source.h"

#include <memory>

namespace jet {

// True when the file at path starts with the header of a Jet (or later ACE) database file:
// bytes 00 01 00 00 followed by "Standard Jet DB" or "Standard ACE DB". The name does not matter;
// a missing or unreadable file is not a Jet file.
bool isJetFile(const QString& path);

// How long and how much the reader process may take.
struct ReaderLimits
{
    int idleMs = 20000;   // longest wait for the reader's next frame: past it, the reader hangs
    int memoryMb = 1024;  // its address space (RLIMIT_AS)
    int cpuSeconds = 600; // its processor time (RLIMIT_CPU), a backstop behind idleMs
};

// The reader program (selvaro-jet-reader): $SELVARO_JET_READER when set, else beside the
// executable (a build), else ../lib/selvaro/ beside it (the installed program, /usr/bin/selvaro
// and /usr/lib/selvaro/selvaro-jet-reader). "" when none exists.
QString readerProgram();

// A Jet 3 or Jet 4 file read through libmdb (mdbtools) in a separate process, the reader program:
// each request (the catalog, a table's columns, its rows) runs the reader once, with the limits,
// and decodes its answer (reader_stream.h). A reader that crashes, runs out of memory or stops
// answering ends in JetError Damaged naming what it was reading; nothing it sent is used then.
// What libmdb prints goes to the log (jet_log.h). The file is opened read-only and never written;
// its database password is not needed (in these formats it guards nothing).
//
// Values are read from the row itself, not from libmdb's text rendering, which shows dates
// before 1900 and after about 2100 as "1900-01-00" (the year 9999 among them): a date keeps its
// day and time over the engine's whole range (jet_date.h). A fixed-width value is read only when
// its length is its type's. Null and a zero-length text both read as Null (the library does not
// tell them apart). Text arrives as Unicode: Jet 4 stores it so, and Jet 3 text is decoded from
// the file's Western code page.
class MdbFile : public Source
{
public:
    // Raises JetError: NotJet when the header is not Jet's; Damaged when the file's size is not a
    // whole number of pages (a truncated file) or its catalog cannot be read whole (tablesSeen
    // then lists the tables named before the damage); ReaderMissing without a reader program.
    explicit MdbFile(const QString& path, const ReaderLimits& limits = {});
    ~MdbFile() override;
    MdbFile(const MdbFile&) = delete;
    MdbFile& operator=(const MdbFile&) = delete;

    // 3 for Jet 3, 4 for Jet 4 and the later ACE formats.
    int jetVersion() const;

    QStringList tableNames() const override;
    QList<Column> columns(const QString& table) const override;
    // Damaged when fewer rows are read than the table's definition counts (pages missing) or a
    // value's length is not its type's; TooLong when a memo is longer than 256 KiB of text;
    // BadValue for a date outside the engine's range or a number that is not finite.
    QList<Row> rows(const QString& table) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace jet
