#include "text_indexer.h"

#include "documents_log.h"
#include "fulltext_index.h"
#include "ocr_reader.h"

#include "datafiles/attachment_store.h"
#include "datafiles/attachments.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QHash>
#include <QSet>
#include <QThread>

namespace documents {
namespace {

TextIndexer* g_program = nullptr;

} // namespace

QList<DocumentToRead> documentsNamedIn(db::Database& letters)
{
    QList<DocumentToRead> docs;
    if (!letters.isOpen() || !letters.hasTable(datafiles::kAttachmentsTable))
        return docs;
    QSet<QString> seen;
    db::Recordset rs = letters.openRecordset(QStringLiteral("select bam, kieu from ") + datafiles::kAttachmentsTable +
                                                 QStringLiteral(" order by id"),
                                             db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext()) {
        const DocumentKind kind = documentKind(rs.value(1).toString());
        const QString hash = rs.value(0).toString();
        if (kind != DocumentKind::None && datafiles::isStoreName(hash) && !seen.contains(hash)) {
            seen.insert(hash);
            docs << DocumentToRead{hash, kind};
        }
    }
    return docs;
}

TextIndexer::TextIndexer(QObject* parent) : QObject(parent)
{
    // Tesseract's own threads would take every core from the forms; one is enough in the background.
    if (qEnvironmentVariableIsEmpty("OMP_THREAD_LIMIT"))
        qputenv("OMP_THREAD_LIMIT", "1");
    m_thread = QThread::create([this] { run(); });
    m_thread->setObjectName(QStringLiteral("selvaro-text-reader"));
    m_thread->start(QThread::LowPriority);
}

TextIndexer::~TextIndexer()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_wake.wakeAll();
    }
    m_thread->wait();
    delete m_thread;
    if (g_program == this)
        g_program = nullptr;
}

void TextIndexer::setLimits(const ExtractionLimits& limits)
{
    QMutexLocker lock(&m_mutex);
    m_limits = limits;
}

void TextIndexer::queueFrom(db::Database& letters)
{
    if (!letters.isOpen() || letters.isReadOnly())
        return;
    try {
        queue(letters.path(), documentsNamedIn(letters));
    } catch (const db::DbError& e) {
        // The index is a help to searching; the letters stay usable without it.
        qCWarning(lcDocuments) << "cannot list the attached documents of" << letters.path() << e.what();
    }
}

void TextIndexer::queue(const QString& lettersPath, const QList<DocumentToRead>& docs)
{
    if (docs.isEmpty())
        return;
    QMutexLocker lock(&m_mutex);
    m_jobs.append({lettersPath, docs});
    m_wake.wakeAll();
}

TextIndexer::Progress TextIndexer::progress() const
{
    QMutexLocker lock(&m_mutex);
    return m_progress;
}

QString TextIndexer::progressText() const
{
    QMutexLocker lock(&m_mutex);
    const Progress& p = m_progress;
    const QString failed =
        p.failed > 0 ? QStringLiteral(" (") + QString::number(p.failed) + QStringLiteral(" tệp không đọc được)")
                     : QString();
    if (p.busy)
        return QStringLiteral("Đang đọc nội dung tệp đính kèm để tìm theo từ: ") + QString::number(p.done) +
               QLatin1Char('/') + QString::number(p.total) + QStringLiteral(" tệp") + failed;
    if (!m_everBusy)
        return QString();
    return QStringLiteral("Đã đọc xong nội dung các tệp đính kèm") + failed + QLatin1Char('.');
}

bool TextIndexer::waitIdle(int timeoutMs)
{
    QMutexLocker lock(&m_mutex);
    QDeadlineTimer deadline(timeoutMs);
    while (!m_jobs.isEmpty() || m_progress.busy) {
        if (!m_idle.wait(&m_mutex, deadline))
            return false;
    }
    return true;
}

void TextIndexer::run()
{
    std::unique_ptr<OcrReader> ocr;
    for (;;) {
        Job job;
        {
            QMutexLocker lock(&m_mutex);
            while (m_jobs.isEmpty() && !m_stop) {
                if (m_progress.busy) {
                    m_progress.busy = false;
                    lock.unlock();
                    emit progressChanged();
                    lock.relock();
                    m_idle.wakeAll();
                    continue;
                }
                m_wake.wait(&m_mutex);
            }
            if (m_stop) {
                m_progress.busy = false;
                m_idle.wakeAll();
                return;
            }
            job = m_jobs.takeFirst();
            if (!m_progress.busy)
                m_progress = Progress{0, 0, 0, true};
            m_everBusy = true;
        }
        try {
            runJob(job, ocr);
        } catch (const db::DbError& e) {
            qCWarning(lcDocuments) << "the words index of" << job.lettersPath << "cannot be written:" << e.what();
        }
        emit progressChanged();
    }
}

void TextIndexer::runJob(const Job& job, std::unique_ptr<OcrReader>& ocr)
{
    FullTextIndex index(FullTextIndex::pathBeside(job.lettersPath), false);
    const datafiles::AttachmentStore store = datafiles::AttachmentStore::besideLettersFile(job.lettersPath);
    QStringList hashes;
    QHash<QString, DocumentKind> kinds;
    for (const DocumentToRead& d : job.docs) {
        hashes << d.hash;
        kinds.insert(d.hash, d.kind);
    }
    const QStringList todo = index.pending(hashes, QDateTime::currentDateTime());
    ExtractionLimits limits;
    {
        QMutexLocker lock(&m_mutex);
        m_progress.total += int(todo.size());
        limits = m_limits;
    }
    if (todo.isEmpty())
        return;
    emit progressChanged();
    for (const QString& hash : todo) {
        if (m_stop)
            return;
        const DocumentKind kind = kinds.value(hash);
        if (kind == DocumentKind::Image || kind == DocumentKind::Pdf) {
            if (!ocr)
                ocr = std::make_unique<OcrReader>();
        }
        index.beginReading(hash, QDateTime::currentDateTime());
        const ExtractedText text = extractText(store.pathOf(hash), kind, limits, ocr.get(), &m_stop);
        if (text.stopped) {
            index.abandonReading(hash);
            return;
        }
        if (!text.failure.isEmpty()) {
            qCInfo(lcDocuments) << "cannot read" << hash << text.failure;
            index.markFailed(hash, text.failure, QDateTime::currentDateTime());
        } else {
            index.storeText(hash, text.text, text.pages, text.note, QDateTime::currentDateTime());
        }
        {
            QMutexLocker lock(&m_mutex);
            ++m_progress.done;
            if (!text.failure.isEmpty())
                ++m_progress.failed;
        }
        emit progressChanged();
    }
}

TextIndexer* programIndexer()
{
    return g_program;
}

void setProgramIndexer(TextIndexer* indexer)
{
    g_program = indexer;
}

} // namespace documents
