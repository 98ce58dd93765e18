#pragma once

#include <QString>

// Recovery and copying of data files at file level, outside any open Database.
namespace db {

// The rollback journal SQLite keeps beside a data file while it writes: path + "-journal".
QString journalPath(const QString& path);

enum class Recovery
{
    Clean,        // no journal beside the file
    Recovered,    // a journal was there: the file is rolled back to its last commit, the journal gone
    NotRecovered, // a journal is still there (the file or its folder cannot be written, or the file
                  // is busy): the file must not be replaced, copied over or judged yet
};

// A program killed while it wrote a data file leaves a hot journal beside it; SQLite rolls the
// file back to its last commit the next time the file is read on a connection that may write,
// and deletes the journal (and a super-journal of a transaction over several files once none of
// its journals is hot any more). This opens path read-write without the password check, reads
// it so that the rollback happens, and removes a journal that is not hot (left by a commit that
// ended before its journal was deleted) while it holds the file exclusively. A super-journal of
// path ("<path>-mj...") none of whose journals exists any more (left by a kill before the commit
// wrote its name into them) is removed too. Never raises; a file that is not an SQLite file is
// left as it is.
Recovery recoverFile(const QString& path);

// Copies the data file source to target through SQLite's online backup: the copy is the state of
// one commit even while another program writes source. target must not exist (write to a
// temporary name and rename it). Raises DbError (FileNotFound, FileLocked past the busy timeout,
// ReadOnlyFile, engine errors); a target left half-written by a failure is removed.
void copyDataFile(const QString& source, const QString& target);

} // namespace db
