#include "legacy_import.h"

#include "app/core/run_time_error.h"
#include "app/core/table_copy.h"
#include "import_messages.h"
#include "import_source.h"
#include "legacy_rows.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_quote.h"
#include "platform/db/transaction.h"
#include "platform/jet/mdb_file.h"
#include "platform/jetsql/fold.h"
#include "reference_merge.h"
#include "year_table_import.h"

#include <QSet>
#include <optional>

namespace datafiles {

namespace {

const QString kUnreadable = QStringLiteral("File vừa chọn bị lỗi không dùng được.");
const QString kNotDataFile = QStringLiteral("File vừa chọn không phải là file dữ liệu (.mdb), không nhập được.");
const QString kSelvaroFile =
    QStringLiteral("File vừa chọn là file dữ liệu của chương trình này, không phải file dữ liệu cũ (Jet).");
const QString kDamaged = QStringLiteral("File vừa chọn bị hỏng hoặc không còn đủ dữ liệu, không nhập được.");
const QString kNoTables = QStringLiteral("File vừa chọn không có bảng dữ liệu nào cần nhập.");

QString valueText(const QVariant& value)
{
    return value.isValid() ? value.toString() : QString();
}

const QString kCatalogDamaged = QStringLiteral("danh sách bảng của file bị hỏng.");
const QString kStoppedBefore = QStringLiteral("việc nhập đã dừng ở một bảng trước.");

// The message of an error met while reading the old table `table` or the table in use: a text
// that is not TCVN3 or a value no engine stores names its place; a damaged file (the reader
// crashed, stopped answering or found the table broken) names the table it was reading; an engine
// error is told so. Every error but the first kind is recorded.
QString failureMessage(const std::exception& e, const QString& table)
{
    if (const auto* text = dynamic_cast<const LegacyTextError*>(&e))
        return text->text();
    app::recordRunTimeError(e, lcDatafiles());
    const auto* jetError = dynamic_cast<const jet::JetError*>(&e);
    if (!jetError)
        return importFailedMessage();
    if (jetError->kind() == jet::JetError::Kind::BadValue)
        return QStringLiteral("Bảng ") + jetError->table() + QStringLiteral(", cột ") + jetError->column() +
               QStringLiteral(", dòng ") + QString::number(jetError->row()) +
               (jetError->text().startsWith(QLatin1String("a date"))
                    ? QStringLiteral(": ngày không hợp lệ (ngoài khoảng năm 100 - 9999)")
                    : QStringLiteral(": số không hợp lệ")) +
               QStringLiteral(", bảng này không nhập được.");
    return kDamaged + QStringLiteral("\r\nBảng đang đọc khi gặp lỗi: ") + table + QStringLiteral(".");
}

class CancelledImport
{
};

// The source of an import whose file could not be opened.
class NoTables : public jet::Source
{
public:
    QStringList tableNames() const override { return {}; }
    QList<jet::Column> columns(const QString&) const override { return {}; }
    QList<jet::Row> rows(const QString&) const override { return {}; }
};

// Everything one import works with.
struct Run
{
    const jet::Source& source;
    QString kind;
    db::Database& target;
    const LegacyAsker& asker;
    const LegacyProgress& progress;
    LegacyOptions options;
    LegacyImportSummary summary;
    QList<YearTableKind> registers = yearTableKinds(kind);

    void tell(const QString& step, int done, int total)
    {
        if (progress && !progress(step, done, total))
            throw CancelledImport();
    }

    // Adds the rows inside the caller's transaction; CancelledImport when the user cancels.
    void writeRows(const QString& table, const LegacyRows& rows, const QList<int>& which, const QString& step)
    {
        db::Recordset rs = target.openRecordset(db::quoteJetName(table));
        const int total = static_cast<int>(which.size());
        for (int n = 0; n < total; ++n) {
            if (n % 200 == 0)
                tell(step, n, total);
            const QVariantList& values = rows.rows[which[n]];
            rs.addNew();
            for (int f = 0; f < rows.fields.size(); ++f) {
                if (values[f].isValid())
                    rs.setValue(rows.fields[f], values[f]);
            }
            rs.update();
        }
        tell(step, total, total);
    }

    static QList<int> allRows(const LegacyRows& rows)
    {
        QList<int> which(rows.rows.size());
        for (int i = 0; i < which.size(); ++i)
            which[i] = i;
        return which;
    }

    // The already-imported test: the table in use holds the old table's first row (compared on
    // the register's columns whose value is not blank). A table in use that holds rows while the
    // first old row has all three blank counts as imported, so it is asked about rather than
    // copied twice.
    bool alreadyImported(const QString& table, const LegacyRows& rows, const QStringList& compared)
    {
        db::Recordset any = target.openRecordset(QStringLiteral("SELECT * FROM ") + db::quoteJetName(table),
                                                 db::RecordsetType::Snapshot);
        if (any.eof())
            return false;
        QVariantList values;
        for (const QString& column : compared) {
            const int f = fieldIndex(rows.fields, column);
            values << (f < 0 ? QVariant() : rows.rows.first()[f]);
        }
        const QString criterion = importedCriterion(compared, values);
        if (criterion.isEmpty())
            return true;
        db::Recordset match = target.openRecordset(QStringLiteral("SELECT * FROM ") + db::quoteJetName(table) +
                                                       QStringLiteral(" WHERE ") + criterion,
                                                   db::RecordsetType::Snapshot);
        return !match.eof();
    }

    // Returns false when the import stops.
    bool importYearTable(const QString& table, const YearTableKind& reg, const QString& step, LegacyTableReport& report)
    {
        tell(step, 0, 0);
        const bool exists = target.hasTable(table);
        LegacyRows rows;
        bool replace = false;
        try {
            const db::TableDef def = target.tableDef(exists ? table : reg.templateName);
            rows = prepareLegacyRows(source, table, def, options.encoding);
            if (rows.rows.isEmpty()) {
                report.outcome = LegacyTableReport::Outcome::Empty;
                return true;
            }
            if (exists && alreadyImported(table, rows, reg.compared)) {
                if (!asker || !asker(reimportQuestion(reg, table))) {
                    report.outcome = LegacyTableReport::Outcome::KeptAsItWas;
                    return true;
                }
                replace = true;
                // The table is made again from its template: map onto the template's columns.
                rows = prepareLegacyRows(source, table, target.tableDef(reg.templateName), options.encoding);
            }
        } catch (const std::exception& e) {
            return fail(report, failureMessage(e, table), true);
        }
        report.droppedColumns = rows.dropped;
        report.textsConverted = rows.textsConverted;

        std::optional<db::Transaction> transaction;
        try {
            transaction.emplace(target, QStringLiteral("undoing the import of ") + table);
        } catch (const db::DbError& e) {
            app::recordRunTimeError(e, lcDatafiles());
            return fail(report, importFailedMessage(), true);
        }
        try {
            if (replace)
                target.execute(QStringLiteral("drop table ") + db::quoteJetName(table));
            if (!target.hasTable(table) && !app::copyTableStructure(target, target, reg.templateName, table, false))
                throw db::DbError(0, QStringLiteral("table ") + table + QStringLiteral(" cannot be made from ") +
                                         reg.templateName);
            writeRows(table, rows, allRows(rows), step);
            transaction->commit();
        } catch (const CancelledImport&) {
            transaction->rollback();
            report.outcome = LegacyTableReport::Outcome::Cancelled;
            summary.cancelled = true;
            return false;
        } catch (const std::exception& e) {
            app::recordRunTimeError(e, lcDatafiles());
            transaction->rollback();
            return fail(report, importFailedMessage(), true);
        }
        report.outcome = LegacyTableReport::Outcome::Imported;
        report.rows = static_cast<int>(rows.rows.size());
        return true;
    }

    bool fail(LegacyTableReport& report, const QString& message, bool stops)
    {
        report.outcome = LegacyTableReport::Outcome::Failed;
        report.error = message;
        report.droppedColumns.clear();
        report.textsConverted = 0;
        if (stops)
            summary.error = message;
        return !stops;
    }

    static QString keyOf(const QVariantList& values, const QList<int>& keyFields)
    {
        QString key;
        for (int f : keyFields)
            key += f < 0 ? QString() : valueText(values[f]);
        return jetsql::foldCase(key);
    }

    // Merges one reference list; returns false when the user cancelled.
    bool mergeList(const QString& oldName, const ReferenceList& list, const QString& step, LegacyTableReport& report)
    {
        tell(step, 0, 0);
        if (!target.hasTable(list.table)) {
            fail(report,
                 QStringLiteral("Bảng ") + list.table + QStringLiteral(" không có trong file dữ liệu đang dùng."),
                 false);
            return true;
        }
        LegacyRows rows;
        try {
            rows =
                prepareLegacyRows(source, oldName, target.tableDef(list.table), options.encoding, list.sortKeySource);
        } catch (const std::exception& e) {
            fail(report, failureMessage(e, oldName), false);
            return true;
        }
        if (rows.rows.isEmpty()) {
            report.outcome = LegacyTableReport::Outcome::Empty;
            return true;
        }
        QList<int> keyFields;
        for (const QString& k : list.keyColumns())
            keyFields << fieldIndex(rows.fields, k);

        try {
            // Keys already present, compared as the database compares texts.
            QSet<QString> present;
            const QStringList keyColumns = list.keyColumns();
            db::Recordset rs = target.openRecordset(QStringLiteral("SELECT * FROM ") + db::quoteJetName(list.table),
                                                    db::RecordsetType::Snapshot);
            for (; !rs.eof(); rs.moveNext()) {
                QString key;
                for (const QString& k : keyColumns)
                    key += rs.hasField(k) ? valueText(rs.value(k)) : QString();
                present.insert(jetsql::foldCase(key));
            }
            rs.close();
            // Each distinct old row once, when its key is not yet present.
            QSet<QString> seen;
            QList<int> added;
            for (int r = 0; r < rows.rows.size(); ++r) {
                if (present.contains(keyOf(rows.rows[r], keyFields)))
                    continue;
                QString signature;
                for (const QVariant& v : rows.rows[r])
                    signature +=
                        (v.isValid() ? QStringLiteral("v") + jetsql::foldCase(v.toString()) : QStringLiteral("n")) +
                        QChar(0x1F);
                if (seen.contains(signature))
                    continue;
                seen.insert(signature);
                added << r;
            }
            report.droppedColumns = rows.dropped;
            report.textsConverted = rows.textsConverted;
            db::Transaction transaction(target, QStringLiteral("undoing the merge of ") + list.table);
            writeRows(list.table, rows, added, step);
            transaction.commit();
            report.rows = static_cast<int>(added.size());
        } catch (const CancelledImport&) {
            report.outcome = LegacyTableReport::Outcome::Cancelled;
            summary.cancelled = true;
            return false;
        } catch (const std::exception& e) {
            app::recordRunTimeError(e, lcDatafiles());
            fail(report, importFailedMessage(), false);
            return true;
        }
        report.outcome = LegacyTableReport::Outcome::Merged;
        return true;
    }

    void importYearTables(const QStringList& tables)
    {
        QStringList candidates;
        for (const QString& t : tables) {
            if (yearTableKindNamed(t, registers))
                candidates << t;
        }
        if (candidates.isEmpty()) {
            summary.error = kNoTables;
            return;
        }
        for (int i = 0; i < candidates.size(); ++i) {
            const QString& table = candidates[i];
            LegacyTableReport report;
            report.table = table;
            if (!isImportedYear(table)) {
                report.outcome = LegacyTableReport::Outcome::YearOutOfRange;
                summary.tables << report;
                continue;
            }
            const QString step = QStringLiteral("Đang nhập bảng ") + table + QStringLiteral(" (") +
                                 QString::number(i + 1) + QStringLiteral("/") + QString::number(candidates.size()) +
                                 QStringLiteral(")");
            bool goOn = false;
            try {
                goOn = importYearTable(table, *yearTableKindNamed(table, registers), step, report);
            } catch (const CancelledImport&) {
                report.outcome = LegacyTableReport::Outcome::Cancelled;
                summary.cancelled = true;
            }
            summary.tables << report;
            if (!goOn) {
                notImported(candidates.mid(i + 1), kStoppedBefore);
                return;
            }
        }
    }

    // Lists tables of the file that were not imported, and why.
    void notImported(const QStringList& tables, const QString& why)
    {
        for (const QString& table : tables) {
            LegacyTableReport report;
            report.table = table;
            report.outcome = LegacyTableReport::Outcome::NotImported;
            report.error = why;
            summary.tables << report;
        }
    }

    // The tables of the file this kind of import takes: year tables or reference lists.
    QStringList wanted(const QStringList& tables) const
    {
        QStringList result;
        for (const QString& t : tables) {
            if (kind == QLatin1String("tk")) {
                for (const ReferenceList& list : referenceLists()) {
                    if (t.compare(list.table, Qt::CaseInsensitive) == 0)
                        result << t;
                }
            } else if (yearTableKindNamed(t, registers)) {
                result << t;
            }
        }
        return result;
    }

    void mergeReferenceLists(const QStringList& tables)
    {
        const QList<ReferenceList> lists = referenceLists();
        QList<QPair<QString, const ReferenceList*>> found;
        for (const ReferenceList& list : lists) {
            for (const QString& t : tables) {
                if (t.compare(list.table, Qt::CaseInsensitive) == 0) {
                    found << qMakePair(t, &list);
                    break;
                }
            }
        }
        if (found.isEmpty()) {
            summary.error = kNoTables;
            return;
        }
        for (int i = 0; i < found.size(); ++i) {
            LegacyTableReport report;
            report.table = found[i].second->table;
            const QString step = QStringLiteral("Đang ghép bảng ") + report.table + QStringLiteral(" (") +
                                 QString::number(i + 1) + QStringLiteral("/") + QString::number(found.size()) +
                                 QStringLiteral(")");
            bool goOn = false;
            try {
                goOn = mergeList(found[i].first, *found[i].second, step, report);
            } catch (const CancelledImport&) {
                report.outcome = LegacyTableReport::Outcome::Cancelled;
                summary.cancelled = true;
            }
            summary.tables << report;
            if (!goOn)
                return;
        }
    }
};

// A catalog that cannot be read whole: nothing is imported, and the tables it named before the
// damage are listed as not imported.
LegacyImportSummary damagedCatalog(Run& run, const jet::JetError& e)
{
    app::recordRunTimeError(e, lcDatafiles());
    run.summary.error = kDamaged;
    run.notImported(run.wanted(e.tablesSeen), kCatalogDamaged);
    return run.summary;
}

} // namespace

LegacyImportSummary importLegacySource(const jet::Source& source, const QString& kind, db::Database& target,
                                       const LegacyAsker& asker, const LegacyProgress& progress,
                                       const LegacyOptions& options)
{
    if (kind != QLatin1String("cv") && kind != QLatin1String("lich") && kind != QLatin1String("tk"))
        throw std::invalid_argument("importLegacySource: kind must be \"cv\", \"lich\" or \"tk\"");
    Run run{source, kind, target, asker, progress, options, {}};
    QStringList tables;
    try {
        tables = source.tableNames();
    } catch (const jet::JetError& e) {
        return damagedCatalog(run, e);
    }
    if (kind == QLatin1String("tk"))
        run.mergeReferenceLists(tables);
    else
        run.importYearTables(tables);
    return run.summary;
}

LegacyImportSummary importLegacyFile(const QString& path, const QString& kind, db::Database& target,
                                     const LegacyAsker& asker, const LegacyProgress& progress,
                                     const LegacyOptions& options)
{
    LegacyImportSummary summary;
    switch (recogniseSource(path)) {
    case SourceKind::JetFile:
        break;
    case SourceKind::DataFile:
        summary.error = kSelvaroFile;
        return summary;
    case SourceKind::NotADataFile:
        summary.error = kNotDataFile;
        return summary;
    case SourceKind::Unreadable:
        summary.error = kUnreadable;
        return summary;
    }
    std::unique_ptr<jet::MdbFile> jetFile;
    try {
        jetFile = std::make_unique<jet::MdbFile>(path, options.readerLimits);
    } catch (const jet::JetError& e) {
        if (e.kind() == jet::JetError::Kind::Damaged) {
            const NoTables none;
            Run run{none, kind, target, asker, progress, options, {}};
            return damagedCatalog(run, e);
        }
        app::recordRunTimeError(e, lcDatafiles());
        summary.error = kUnreadable;
        return summary;
    }
    return importLegacySource(*jetFile, kind, target, asker, progress, options);
}

} // namespace datafiles
