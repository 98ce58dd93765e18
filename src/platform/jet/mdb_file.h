#pragma once

#include "jet_source.h"

#include <memory>

namespace jet {

// True when the file at path starts with the header of a Jet (or later ACE) database file:
// bytes 00 01 00 00 followed by "Standard Jet DB" or "Standard ACE DB". The name does not matter;
// a missing or unreadable file is not a Jet file.
bool isJetFile(const QString& path);

// A Jet 3 or Jet 4 file read through libmdb (mdbtools). The file is opened read-only and never
// written; its database password is not needed (in these formats it guards nothing).
//
// Values are read from the row itself, not from libmdb's text rendering, which shows dates
// before 1900 and after about 2100 as "1900-01-00" (the year 9999 among them): a date keeps its
// day and time over the engine's whole range (jet_date.h). Null and a zero-length text both read
// as Null (the library does not tell them apart). Text arrives as Unicode: Jet 4 stores it so,
// and Jet 3 text is decoded from the file's Western code page.
class MdbFile : public Source
{
public:
    // Raises JetError: NotJet when the header is not Jet's; Damaged when the file's size is not a
    // whole number of pages (a truncated file) or its catalog cannot be read.
    explicit MdbFile(const QString& path);
    ~MdbFile() override;
    MdbFile(const MdbFile&) = delete;
    MdbFile& operator=(const MdbFile&) = delete;

    // 3 for Jet 3, 4 for Jet 4 and the later ACE formats.
    int jetVersion() const;

    QStringList tableNames() const override;
    QList<Column> columns(const QString& table) const override;
    // Damaged when fewer rows are read than the table's definition counts (pages missing);
    // TooLong when a memo is longer than 256 KiB of text.
    QList<Row> rows(const QString& table) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace jet
