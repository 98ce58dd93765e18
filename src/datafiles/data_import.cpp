#include "data_import.h"

#include "app/core/data_file_messages.h"
#include "app/core/data_paths.h"
#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "app/core/run_time_error.h"
#include "app/core/year_tables.h"
#include "import_source.h"
#include "logging.h"
#include "reference_merge.h"
#include "year_table_import.h"

#include <QDir>
#include <QFileInfo>

namespace datafiles {
namespace {

bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

db::Database& targetDatabase(const QString& kind)
{
    app::Module1& m = app::module1();
    if (kind == QLatin1String("tk"))
        return m.scheduleReference;
    return kind == QLatin1String("lich") ? m.schedule : m.letters;
}

// Merges every list; the summary says how many rows each list received, or that it failed.
LegacyImportSummary mergeLists(ImportSource& source)
{
    LegacyImportSummary summary;
    for (const ReferenceList& list : referenceLists()) {
        LegacyTableReport report;
        report.table = list.table;
        report.outcome = LegacyTableReport::Outcome::Merged;
        try {
            report.rows = mergeReferenceList(source, targetDatabase(QStringLiteral("tk")), list);
        } catch (const std::exception& e) {
            // One list that cannot be merged does not stop the others.
            app::recordRunTimeError(e, lcDatafiles());
            report.outcome = LegacyTableReport::Outcome::Failed;
        }
        summary.tables << report;
    }
    return summary;
}

// Returns "" when done, else the message to tell after an error (recorded): the table being
// copied is as it was.
QString importYearTables(ImportSource& source, const QString& kind)
{
    db::Database& target = targetDatabase(kind);
    const QList<YearTableKind> kinds = yearTableKinds(kind);
    try {
        for (const QString& table : source.tableNames()) {
            if (const YearTableKind* k = yearTableKindOf(table, kinds))
                importYearTable(source, target, table, *k, [](const QString& question) { return app::ask(question); });
        }
    } catch (const AttachmentError& e) {
        app::recordRunTimeError(e, lcDatafiles());
        return e.message() + QStringLiteral("\r\n") + importFailedMessage();
    } catch (const std::exception& e) {
        app::recordRunTimeError(e, lcDatafiles());
        return importFailedMessage();
    }
    return QString();
}

// After the rows are in: the reference recordsets read the merged lists, or the working year's
// tables are made again (createYearTables tells when one cannot be made).
void afterImport(app::Module1& m, const QString& kind)
{
    if (kind != QLatin1String("tk")) {
        app::createYearTables(m);
        return;
    }
    try {
        app::openReferenceRecordsets(m);
    } catch (const std::exception& e) {
        app::recordRunTimeError(e, lcDatafiles());
    }
}

// The hourglass (and the progress window) while the import copies.
class Working
{
public:
    explicit Working(const std::function<void(bool)>& working) : m_working(working)
    {
        if (m_working)
            m_working(true);
    }
    ~Working() { end(); }
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;
    void end()
    {
        if (m_working && !m_ended)
            m_working(false);
        m_ended = true;
    }

private:
    const std::function<void(bool)>& m_working;
    bool m_ended = false;
};

} // namespace

OpenFileRequest importFileRequest(const QString& kind)
{
    OpenFileRequest request;
    request.folder = app::dataFolder(app::module1().programFolder);
    QString file;
    if (kind == QLatin1String("lich")) {
        request.title = QStringLiteral("Chon file ke hoach, lich cong tac vemolich.mdb");
        file = QStringLiteral("vemolich.MDB");
    } else if (kind == QLatin1String("tk")) {
        request.title = QStringLiteral("Chon file du lieu tham khao vemotk.mdb");
        file = QStringLiteral("vemotk.MDB");
    } else {
        request.title = QStringLiteral("Chon file cong van vemocv.mdb");
        file = QStringLiteral("vemocv.MDB");
    }
    request.filters = {QStringLiteral("File ") + file + QStringLiteral(" (*.MDB *.mdb)"),
                       QStringLiteral("All (*.*) (*)")};
    return request;
}

ImportOutcome importOldData(const QString& kind, const ImportHooks& hooks)
{
    if (hooks.administrator && !hooks.administrator())
        return ImportOutcome::NotAllowed;
    app::Module1& m = app::module1();
    const QString target = kind == QLatin1String("lich") ? m.schedulePath
                           : kind == QLatin1String("tk") ? m.scheduleReferencePath
                                                         : m.lettersPath;
    // Imports go only into files inside the program folder (letter case counts).
    if (!QDir::fromNativeSeparators(target).startsWith(QDir::fromNativeSeparators(m.programFolder) +
                                                       QLatin1Char('/'))) {
        app::tell(importOutsideMessage(m.programFolder));
        return ImportOutcome::Outside;
    }

    std::unique_ptr<ImportSource> source;
    QString jetFile;
    while (!source && jetFile.isEmpty()) {
        const QString chosen = hooks.chooseFile ? hooks.chooseFile(importFileRequest(kind)) : QString();
        if (chosen.isEmpty())
            return ImportOutcome::Cancelled;
        if (sameFile(chosen, target)) {
            // Importing a file into itself would empty each table it replaces.
            app::tell(QStringLiteral("File dữ liệu vừa chọn chính là file đang dùng ! (") +
                      QDir::toNativeSeparators(chosen) + QStringLiteral(")."));
            continue;
        }
        if (recogniseSource(chosen) == SourceKind::JetFile) {
            jetFile = chosen;
            break;
        }
        source = openImportSource(chosen);
        if (!source)
            app::tell(importUnusableMessage());
    }

    Working busy(hooks.working);
    ImportOutcome outcome = ImportOutcome::Done;
    QString message = importClosingMessage(kind);
    if (!jetFile.isEmpty()) {
        const LegacyImportSummary summary = importLegacyFile(
            jetFile, kind, targetDatabase(kind), [](const QString& question) { return app::ask(question); },
            hooks.progress);
        message = summary.message(kind);
        outcome = !summary.error.isEmpty() ? ImportOutcome::Failed
                  : summary.cancelled      ? ImportOutcome::Cancelled
                                           : ImportOutcome::Done;
    } else if (kind == QLatin1String("tk")) {
        message = mergeLists(*source).message(kind);
    } else if (const QString failure = importYearTables(*source, kind); !failure.isEmpty()) {
        message = failure;
        outcome = ImportOutcome::Failed;
    }
    // After a failure nothing needs reading again: the table in progress is as it was.
    if (outcome != ImportOutcome::Failed)
        afterImport(m, kind);
    busy.end();
    app::tell(message);
    return outcome;
}

} // namespace datafiles
