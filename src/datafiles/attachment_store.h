#pragma once

// The folder that keeps the files attached to letters, each once, under the SHA-256 of its
// content (64 lower-case hex digits, no extension). It lives beside the letters file:
// "vemocv.mdb" keeps its files in "vemocv_tepdinhkem". A stored file is never changed: a new
// content is a new name. No window, no database: the table that names the files is attachments.h.

#include <QDateTime>
#include <QSet>
#include <QString>

#include <functional>
#include <stdexcept>

namespace datafiles {

// A refusal told to the user as it stands (a Vietnamese sentence), with nothing changed.
class AttachmentError : public std::runtime_error
{
public:
    explicit AttachmentError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A file as the store keeps it.
struct StoredFile
{
    QString hash; // SHA-256 of the content, lower-case hex
    qint64 size = 0;
};

class AttachmentStore
{
public:
    // The store of the letters file lettersPath (the folder need not exist yet).
    static AttachmentStore besideLettersFile(const QString& lettersPath);
    explicit AttachmentStore(QString folder);

    QString folder() const { return m_folder; }
    // Where the file of hash is kept (whether or not it is there).
    QString pathOf(const QString& hash) const;
    bool holds(const QString& hash) const;

    // Copies source into the store and returns its hash and size. The copy is written under a
    // temporary name in the store, flushed to the disk and renamed to its hash, so that the name
    // of a hash always holds the whole file. A content already kept is not written again (its
    // time is renewed, so a sweep running meanwhile leaves it). Raises AttachmentError when the
    // source cannot be read (gone, unreadable) or the store cannot be written (no such folder,
    // no permission, disk full); the store is then as it was.
    StoredFile put(const QString& source) const;

    // Removes the files no row names (names not in named) whose last change is older than
    // now - grace, and the temporary files of copies interrupted as long ago. Younger files stay:
    // another program may be attaching them. Returns how many files were removed; a file that
    // cannot be removed is recorded and left.
    int sweep(const QSet<QString>& named, const QDateTime& now, qint64 graceSeconds) const;

    // Test seam: called with each block written (its running total) before it is written; a hook
    // that throws makes the copy fail there, as a full disk does.
    static void setWriteHook(std::function<void(qint64 written)> hook);

private:
    QString m_folder;
};

// The hash and size the store would give the file at source, without copying it. Raises
// AttachmentError when it cannot be read (gone, unreadable).
StoredFile hashOf(const QString& source);

// True for a name the store gives a file (64 lower-case hex digits).
bool isStoreName(const QString& name);

// The refusal for a file that cannot be read: gone since it was chosen, or unreadable.
QString unreadableRefusal(const QString& path);

} // namespace datafiles
