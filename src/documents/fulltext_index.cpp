#include "fulltext_index.h"

#include "documents_log.h"

#include "platform/db/fold_tokenizer.h"
#include "platform/db/statement.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace documents {
namespace {

// The form of the index's tables, in its user_version: 1 keys documents by documentId().
constexpr int kFormVersion = 1;

QString timeText(const QDateTime& when)
{
    return when.toString(Qt::ISODate);
}

} // namespace

QString FullTextIndex::pathBeside(const QString& lettersPath)
{
    const QFileInfo info(lettersPath);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("_chimuc.db");
}

FullTextIndex::FullTextIndex(const QString& path, bool readOnly) : m_file(db::IndexFile::open(path, readOnly))
{
    if (readOnly)
        m_current = formVersion() >= kFormVersion;
    else
        makeTables();
}

FullTextIndex::~FullTextIndex() = default;

QString FullTextIndex::path() const
{
    return m_file->path();
}

qint64 FullTextIndex::documentId(const QString& hash)
{
    bool hex = false;
    const qint64 id = QStringView(hash).right(15).toLongLong(&hex, 16);
    if (hex && hash.size() >= 15)
        return id;
    const QByteArray again = QCryptographicHash::hash(hash.toUtf8(), QCryptographicHash::Sha256).toHex();
    return again.right(15).toLongLong(nullptr, 16);
}

bool DocumentHits::holds(const QString& hash) const
{
    return std::binary_search(m_ids.cbegin(), m_ids.cend(), FullTextIndex::documentId(hash));
}

int FullTextIndex::formVersion()
{
    db::Statement q(m_file->handle(), QStringLiteral("PRAGMA user_version"));
    q.step();
    const int version = int(q.int64(0));
    q.reset();
    return version;
}

void FullTextIndex::makeTables()
{
    db::IndexTransaction t(*m_file);
    if (formVersion() < kFormVersion) {
        // The ids of an older index were numbered as rows came; its texts are read again.
        m_file->exec(QStringLiteral("DROP TABLE IF EXISTS timtu; DROP TABLE IF EXISTS noidungtep;"));
    }
    m_file->exec(
        QStringLiteral("CREATE TABLE IF NOT EXISTS noidungtep (id INTEGER PRIMARY KEY, bam TEXT NOT NULL UNIQUE, "
                       "trangthai INTEGER NOT NULL, solan INTEGER NOT NULL DEFAULT 0, "
                       "sotrang INTEGER NOT NULL DEFAULT 0, ghichu TEXT NOT NULL DEFAULT '', ngaydoc TEXT)"));
    m_file->exec(QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS timtu USING fts5(noidung, tokenize = '") +
                 QLatin1String(db::kFoldTokenizer) + QStringLiteral("')"));
    m_file->exec(QStringLiteral("PRAGMA user_version = ") + QString::number(kFormVersion));
    t.commit();
}

TextStatus FullTextIndex::status(const QString& hash)
{
    TextStatus s;
    db::Statement q(m_file->handle(),
                    QStringLiteral("SELECT trangthai, solan, sotrang, ghichu FROM noidungtep WHERE bam = ?1"));
    q.bindText(1, hash);
    if (q.step()) {
        s.state = static_cast<TextState>(q.int64(0));
        s.attempts = int(q.int64(1));
        s.pages = int(q.int64(2));
        s.note = q.text(3);
        q.reset();
    }
    return s;
}

QStringList FullTextIndex::pending(const QStringList& hashes, const QDateTime& now)
{
    QStringList todo, exhausted;
    {
        db::Statement q(m_file->handle(), QStringLiteral("SELECT trangthai, solan FROM noidungtep WHERE bam = ?1"));
        db::Statement taken(m_file->handle(), QStringLiteral("SELECT bam FROM noidungtep WHERE id = ?1"));
        for (const QString& hash : hashes) {
            q.bindText(1, hash);
            if (!q.step()) {
                taken.bindInt64(1, documentId(hash));
                if (taken.step()) {
                    qCWarning(lcDocuments) << "cannot index" << hash << "- its id is taken by" << taken.text(0);
                    taken.reset();
                } else {
                    todo << hash;
                }
                continue;
            }
            const auto state = static_cast<TextState>(q.int64(0));
            const int attempts = int(q.int64(1));
            q.reset();
            if (state != TextState::Reading)
                continue;
            if (attempts < kMaxAttempts)
                todo << hash;
            else
                exhausted << hash;
        }
    }
    if (!m_file->readOnly()) {
        for (const QString& hash : std::as_const(exhausted))
            markFailed(hash,
                       QStringLiteral("Chương trình đã dừng giữa chừng ") + QString::number(kMaxAttempts) +
                           QStringLiteral(" lần khi đọc tệp này."),
                       now);
    }
    return todo;
}

void FullTextIndex::beginReading(const QString& hash, const QDateTime& now)
{
    db::IndexTransaction t(*m_file);
    db::Statement q(
        m_file->handle(),
        QStringLiteral("INSERT INTO noidungtep (id, bam, trangthai, solan, ngaydoc) VALUES (?1, ?2, 0, 1, ?3) "
                       "ON CONFLICT(bam) DO UPDATE SET trangthai = 0, solan = solan + 1, ngaydoc = ?3"));
    q.bindInt64(1, documentId(hash));
    q.bindText(2, hash);
    q.bindText(3, timeText(now));
    q.run();
    t.commit();
}

void FullTextIndex::abandonReading(const QString& hash)
{
    db::IndexTransaction t(*m_file);
    db::Statement q(m_file->handle(),
                    QStringLiteral("UPDATE noidungtep SET solan = solan - 1 WHERE bam = ?1 AND trangthai = 0"));
    q.bindText(1, hash);
    q.run();
    t.commit();
}

void FullTextIndex::putRow(const QString& hash, TextState state, int pages, const QString& note, const QDateTime& now)
{
    db::Statement row(m_file->handle(),
                      QStringLiteral("INSERT INTO noidungtep (id, bam, trangthai, solan, sotrang, ghichu, ngaydoc) "
                                     "VALUES (?1, ?2, ?3, 1, ?4, ?5, ?6) ON CONFLICT(bam) DO UPDATE SET "
                                     "trangthai = ?3, sotrang = ?4, ghichu = ?5, ngaydoc = ?6"));
    row.bindInt64(1, documentId(hash));
    row.bindText(2, hash);
    row.bindInt64(3, static_cast<int>(state));
    row.bindInt64(4, pages);
    row.bindText(5, note);
    row.bindText(6, timeText(now));
    row.run();
    db::Statement drop(m_file->handle(), QStringLiteral("DELETE FROM timtu WHERE rowid = ?1"));
    drop.bindInt64(1, documentId(hash));
    drop.run();
}

void FullTextIndex::storeText(const QString& hash, const QString& text, int pages, const QString& note,
                              const QDateTime& now)
{
    db::IndexTransaction t(*m_file);
    putRow(hash, TextState::Done, pages, note, now);
    db::Statement put(m_file->handle(), QStringLiteral("INSERT INTO timtu (rowid, noidung) VALUES (?1, ?2)"));
    put.bindInt64(1, documentId(hash));
    put.bindText(2, text);
    put.run();
    t.commit();
}

void FullTextIndex::markFailed(const QString& hash, const QString& reason, const QDateTime& now)
{
    db::IndexTransaction t(*m_file);
    putRow(hash, TextState::Failed, 0, reason, now);
    t.commit();
}

QString FullTextIndex::matchExpression(const QString& words)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList parts;
    for (QString word : words.split(blanks, Qt::SkipEmptyParts)) {
        const bool prefix = word.endsWith(QLatin1Char('*'));
        while (word.endsWith(QLatin1Char('*')))
            word.chop(1);
        // A word of signs only (a dash, a slash) holds nothing the index keeps.
        if (std::none_of(word.cbegin(), word.cend(), [](QChar c) { return c.isLetterOrNumber(); }))
            continue;
        word.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        parts << QLatin1Char('"') + word + QLatin1Char('"') + (prefix ? QStringLiteral(" *") : QString());
    }
    return parts.join(QLatin1Char(' '));
}

DocumentHits FullTextIndex::search(const QString& words)
{
    const QString match = matchExpression(words);
    if (match.isEmpty() || !m_current)
        return {};
    QList<qint64> ids;
    db::Statement q(m_file->handle(), QStringLiteral("SELECT rowid FROM timtu WHERE timtu MATCH ?1 ORDER BY rowid"));
    q.bindText(1, match);
    while (q.step())
        ids << q.int64(0);
    return DocumentHits(std::move(ids));
}

QSet<QString> FullTextIndex::find(const QString& words)
{
    QSet<QString> hits;
    const QString match = matchExpression(words);
    if (match.isEmpty() || !m_current)
        return hits;
    db::Statement q(m_file->handle(), QStringLiteral("SELECT n.bam FROM timtu JOIN noidungtep n ON n.id = timtu.rowid "
                                                     "WHERE timtu MATCH ?1"));
    q.bindText(1, match);
    while (q.step())
        hits.insert(q.text(0));
    return hits;
}

QString FullTextIndex::excerpt(const QString& hash, const QString& words)
{
    const QString match = matchExpression(words);
    if (match.isEmpty() || !m_current)
        return QString();
    db::Statement q(m_file->handle(),
                    QStringLiteral("SELECT snippet(timtu, 0, '«', '»', '…', 16) FROM timtu WHERE timtu MATCH ?1 "
                                   "AND rowid = ?2"));
    q.bindText(1, match);
    q.bindInt64(2, documentId(hash));
    QString text;
    if (q.step()) {
        text = q.text(0);
        q.reset();
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.replace(blanks, QStringLiteral(" ")).trimmed();
}

int FullTextIndex::countIn(TextState state)
{
    db::Statement q(m_file->handle(), QStringLiteral("SELECT count(*) FROM noidungtep WHERE trangthai = ?1"));
    q.bindInt64(1, static_cast<int>(state));
    q.step();
    const int n = int(q.int64(0));
    q.reset();
    return n;
}

} // namespace documents
