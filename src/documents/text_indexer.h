#pragma once

// The background reader that fills the words index (fulltext_index.h): it takes the documents a
// letters file names, reads those the index still lacks (text_extraction.h) in a thread of its
// own, one at a time and at low priority, and stores each text as soon as it is read. Forms
// never wait for it; they show its progress (progressText()). Stopping the program stops it
// between two pages; what it had not finished stays pending in the index and is read at the next
// start. A document it cannot read is marked failed with the reason and the reader goes on.

#include "text_extraction.h"

#include "platform/db/database.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>

#include <atomic>
#include <memory>

class QThread;

namespace documents {

struct DocumentToRead
{
    QString hash;
    DocumentKind kind = DocumentKind::None;
};

// The documents with a text to read that the letters file letters names (each content once).
// None when it has no attachments table.
QList<DocumentToRead> documentsNamedIn(db::Database& letters);

class TextIndexer : public QObject
{
    Q_OBJECT

public:
    explicit TextIndexer(QObject* parent = nullptr);
    // Stops the reader and waits for it (at most the time of one OCR step).
    ~TextIndexer() override;

    void setLimits(const ExtractionLimits& limits);

    // Hands the reader the documents letters names (read here, in the caller's thread) for the
    // index beside its file. Nothing for a closed or read-only letters file: its index cannot be
    // written (a search still reads an index already there).
    void queueFrom(db::Database& letters);
    // The same for a letters file at lettersPath naming docs (whose files are in its store).
    void queue(const QString& lettersPath, const QList<DocumentToRead>& docs);

    struct Progress
    {
        int done = 0;   // documents read since the reader last had nothing to do
        int total = 0;  // documents to read in that time
        int failed = 0; // of done, those that could not be read
        bool busy = false;
    };
    Progress progress() const;
    // What the progress label shows: "Đang đọc nội dung tệp đính kèm: 3/10 tệp" while reading, ""
    // when the reader has nothing to do and never had.
    QString progressText() const;

    // Waits until the reader has nothing left to do (tests, benchmarks). False on timeout.
    bool waitIdle(int timeoutMs);

signals:
    // Sent (from the reader's thread) after every document and when the reader starts or ends.
    void progressChanged();

private:
    struct Job
    {
        QString lettersPath;
        QList<DocumentToRead> docs;
    };
    void run();
    void runJob(const Job& job, std::unique_ptr<class OcrReader>& ocr);

    QThread* m_thread = nullptr;
    mutable QMutex m_mutex;
    QWaitCondition m_wake, m_idle;
    QList<Job> m_jobs;
    Progress m_progress;
    bool m_everBusy = false;
    ExtractionLimits m_limits;
    std::atomic<bool> m_stop{false};
};

// The reader of the program (set by main for its lifetime; null in tests that make none).
TextIndexer* programIndexer();
void setProgramIndexer(TextIndexer* indexer);

} // namespace documents
