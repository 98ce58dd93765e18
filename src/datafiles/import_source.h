#pragma once

#include "attachments.h"
#include "platform/db/database.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

// Where old data comes from when it is imported (the import of old letters, plans and schedules
// and the merge of old reference lists). The import reads an old file only through ImportSource,
// so every kind of old file the program can read is one class beside the others.
namespace datafiles {

// What a file chosen for an import is, judged by its content, never by its name.
enum class SourceKind
{
    DataFile,     // a data file of this program (an SQLite file with the program's password)
    JetFile,      // a data file of the old Windows program (a Jet 3 or Jet 4 file), read by
                  // importLegacyFile() with its texts converted
    NotADataFile, // anything else: another program's file, garbage, an empty file, a folder
    Unreadable,   // missing, unreadable, another password or damaged
};

// Recognises the file at path by its first bytes (the SQLite header, or the Jet header of the old
// program's files) and, for an SQLite file, by opening it read-only with the program's password. This is the one place
// where the kind of an old file is told: a reader for another kind of file is recognised here and opened by
// openImportSource().
SourceKind recogniseSource(const QString& path);

// An old file opened for import. Table names compare without regard to letter case.
class ImportSource
{
public:
    virtual ~ImportSource() = default;

    virtual QString path() const = 0;
    // Every table of the file, in the file's order.
    virtual QStringList tableNames() = 0;
    // The fields of table, in table order.
    virtual QStringList fieldNames(const QString& table) = 0;
    // True when table holds at least one row.
    virtual bool hasRows(const QString& table) = 0;
    // The values of columns in the first row of table (in the order of its counter id when it has
    // one); an empty list when the table is empty. A column the table lacks gives a null value.
    virtual QVariantList firstRow(const QString& table, const QStringList& columns) = 0;
    // Appends every row of table to targetTable of target, fields matched by name (fields lists
    // the source fields to copy; the target must have them all), in the order of the source's
    // counter id. New rows get the target's own counter values. Runs inside target's open
    // transaction when there is one. Raises db::DbError on any failure; what it wrote is then
    // undone with the statement (or with the caller's transaction).
    virtual void copyRows(const QString& table, const QStringList& fields, db::Database& target,
                          const QString& targetTable) = 0;
    // The counter ids of table's rows in the order copyRows() adds them; empty for a table
    // without a counter.
    virtual QList<long long> rowIds(const QString& table) = 0;
    // The attachments (tepdinhkem) of the letters of year table table, in the order they were
    // added; none when the file keeps none (an old Jet file never does). Their files are in
    // attachmentStore().
    virtual QList<Attachment> attachmentsOf(const QString& table) = 0;
    AttachmentStore attachmentStore() const { return AttachmentStore::besideLettersFile(path()); }
};

// Opens the file at path as an import source: a data file of this program. Returns nullptr when
// the file is not of a kind copied this way or cannot be opened (recogniseSource() tells why; an
// old Jet file is imported by importLegacyFile() instead).
std::unique_ptr<ImportSource> openImportSource(const QString& path);

// The field list of the copy: every name of fields except "id" (in any letter case), in order.
QStringList fieldsWithoutId(const QStringList& fields);

} // namespace datafiles
