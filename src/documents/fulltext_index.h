#pragma once

// The words index of the documents attached to letters: a plain SQLite file beside the letters
// file ("vemocv.mdb" -> "vemocv_chimuc.db"), kept apart from the letters file so that a crash
// while indexing can never touch the letters, a long indexing run never holds the letters file's
// write lock, and the letters file stays readable by standard SQLite tools. It is made again
// from the attachment store when lost.
//
// A document is known by the hash of its content (the store's name for it): a content attached
// to several letters is read once. Table noidungtep says for each hash what became of its
// reading (reading, done, failed, with the number of attempts and a note); the FTS5 table timtu
// holds the text of each done hash, tokenized by the registers' fold
// (platform/db/fold_tokenizer.h): letter case ignored, tone marks respected.
//
// Both tables key a document by documentId(hash), a number taken from the hash itself, so a
// search can tell whether a letter's attachment is among the hits from the FTS5 rowids alone,
// with no join back to the hashes: a word found in most documents costs little more than the
// bare FTS5 query. An index made before the ids were taken from the hashes is made again.
//
// The work still to do is therefore kept on disk: every extractable hash the letters file names
// without a done or failed row here (pending()). A row left in the reading state by a program that
// was killed is read again at most kMaxAttempts times in all, so a file that kills the reader
// cannot stop the program from starting.

#include "platform/db/index_file.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

namespace documents {

enum class TextState
{
    None = -1,   // no row: never read
    Reading = 0, // being read (left so by a program that stopped while reading)
    Done = 1,    // its text is in the index
    Failed = 2   // could not be read; the note says why
};

struct TextStatus
{
    TextState state = TextState::None;
    int attempts = 0;
    int pages = 0;
    QString note; // why it failed, or what was left unread ("" when all was read)
};

// Times a document is begun before it counts as failed: once, and once more after a stop.
constexpr int kMaxAttempts = 2;

// The documents a search found, by id (ascending, as FTS5 gives them).
class DocumentHits
{
public:
    DocumentHits() = default;
    explicit DocumentHits(QList<qint64> ids) : m_ids(std::move(ids)) {}
    bool holds(const QString& hash) const;
    bool isEmpty() const { return m_ids.isEmpty(); }
    qsizetype size() const { return m_ids.size(); }

private:
    QList<qint64> m_ids;
};

class FullTextIndex
{
public:
    // The index of the letters file lettersPath: "<folder>/<name without extension>_chimuc.db".
    static QString pathBeside(const QString& lettersPath);

    // The key of a document in the index: the last 60 bits of its SHA-256 hash (a hash that is
    // not hexadecimal text, hashed again). Two contents sharing them (odds about one in 10^9 for
    // a million documents) cannot both be indexed; pending() leaves the second out and logs it.
    static qint64 documentId(const QString& hash);

    // Opens the index at path. For writing the file and its tables are made when missing (and
    // made again when of an older form). Raises db::DbError (FileNotFound reading an index never
    // made; ReadOnlyFile when it cannot be made).
    FullTextIndex(const QString& path, bool readOnly);
    ~FullTextIndex();

    QString path() const;
    TextStatus status(const QString& hash);

    // The hashes of hashes (in their order) still to be read: no row, or a reading row begun fewer
    // than kMaxAttempts times. A reading row begun kMaxAttempts times is marked failed here.
    QStringList pending(const QStringList& hashes, const QDateTime& now);

    // Records, committed at once, that hash is being read (one attempt more).
    void beginReading(const QString& hash, const QDateTime& now);
    // Takes back the attempt of beginReading when the reading was stopped on purpose (the program
    // closing), so the hash stays pending with its attempts as they were.
    void abandonReading(const QString& hash);
    // Stores text as the text of hash (replacing any), done, with its page count and note.
    void storeText(const QString& hash, const QString& text, int pages, const QString& note, const QDateTime& now);
    // Marks hash failed with reason (its text, if any, is removed).
    void markFailed(const QString& hash, const QString& reason, const QDateTime& now);

    // The documents whose text holds every word of words (a word ending in "*" also finds the
    // words it begins). Empty for words that hold no word, and when the index is of an older form
    // (read-only, so not yet made again).
    DocumentHits search(const QString& words);
    // The same as hashes, for the few callers that need them.
    QSet<QString> find(const QString& words);
    // A short passage of the text of hash around the words, the words between « and »; "" when
    // its text does not hold them.
    QString excerpt(const QString& hash, const QString& words);

    // The FTS5 query of the words typed: each word a quoted string (quotes doubled), all required;
    // "" when words holds no word.
    static QString matchExpression(const QString& words);

    // Documents done and failed, for the progress shown to the user.
    int countIn(TextState state);

private:
    int formVersion();
    void makeTables();
    // Writes the row of hash: its state, and for done and failed rows the pages and the note.
    void putRow(const QString& hash, TextState state, int pages, const QString& note, const QDateTime& now);
    std::unique_ptr<db::IndexFile> m_file;
    bool m_current = true; // the tables are of today's form
};

} // namespace documents
