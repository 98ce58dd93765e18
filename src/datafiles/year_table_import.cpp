#include "year_table_import.h"

#include "app/core/table_copy.h"
#include "attachments.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_quote.h"
#include "platform/db/statement.h"
#include "platform/db/transaction.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <stdexcept>

namespace datafiles {
namespace {

QString literal(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        // Dates are kept as text in one form; the same form finds them.
        return db::quoteLiteral(db::dateText(value.toDateTime()));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return value.toString();
    default:
        return db::quoteLiteral(value.toString());
    }
}

bool tableHasRow(db::Database& db, const QString& sql)
{
    db::Recordset rs = db.openRecordset(sql, db::RecordsetType::Snapshot);
    return !rs.eof();
}

long long largestId(db::Database& db, const QString& table)
{
    if (!db.hasTable(table))
        return 0;
    db::Recordset rs =
        db.openRecordset(QStringLiteral("select max(id) from ") + db::quoteJetName(table), db::RecordsetType::Snapshot);
    return rs.eof() ? 0 : rs.value(0).toLongLong();
}

// The attachments of the letters of table that come along, their files copied into the store of
// target before any row names them (each content once: the store keeps a hash once).
QList<Attachment> bringAttachmentFiles(ImportSource& source, db::Database& target, const QString& table,
                                       const QList<long long>& letterIds)
{
    QList<Attachment> brought;
    const QSet<long long> letters(letterIds.cbegin(), letterIds.cend());
    for (const Attachment& a : source.attachmentsOf(table)) {
        if (letters.contains(a.letterId))
            brought << a;
    }
    if (brought.isEmpty())
        return brought;
    const AttachmentStore from = source.attachmentStore();
    const AttachmentStore to = AttachmentStore::besideLettersFile(target.path());
    QSet<QString> copied;
    for (const Attachment& a : brought) {
        if (copied.contains(a.hash))
            continue;
        if (!from.holds(a.hash))
            throw AttachmentError(QStringLiteral("Không tìm thấy tệp đính kèm \"") + a.name +
                                  QStringLiteral("\" của bảng ") + table +
                                  QStringLiteral(" trong kho tệp đính kèm của file dữ liệu vừa chọn (") +
                                  QDir::toNativeSeparators(from.folder()) + QStringLiteral(")."));
        if (to.put(from.pathOf(a.hash)).hash != a.hash)
            throw AttachmentError(QStringLiteral("Tệp đính kèm \"") + a.name + QStringLiteral("\" của bảng ") + table +
                                  QStringLiteral(" trong kho tệp đính kèm của file dữ liệu vừa chọn đã bị hỏng "
                                                 "(nội dung không còn như khi đính kèm)."));
        copied.insert(a.hash);
    }
    if (!ensureAttachmentsTable(target))
        throw db::DbError(db::errc::ReadOnlyFile, QStringLiteral("tepdinhkem cannot be made in ") + target.path());
    return brought;
}

} // namespace

QList<YearTableKind> yearTableKinds(const QString& importKind)
{
    if (importKind == QLatin1String("cv")) {
        return {
            {QStringLiteral("cvden????"),
             QStringLiteral("cvdenmau"),
             {QStringLiteral("noigui"), QStringLiteral("so_cv"), QStringLiteral("tt_ndung")},
             QStringLiteral("Bảng công văn đến năm ")},
            {QStringLiteral("cvdi????"),
             QStringLiteral("cvdimau"),
             {QStringLiteral("dv_nhan"), QStringLiteral("so_cv"), QStringLiteral("tt_ndung")},
             QStringLiteral("Bảng công văn đi năm ")},
        };
    }
    if (importKind == QLatin1String("lich")) {
        return {
            {QStringLiteral("kehoach????"),
             QStringLiteral("kehoachmau"),
             {QStringLiteral("tendonvi"), QStringLiteral("nguoichidao"), QStringLiteral("ndungtt")},
             QStringLiteral("Bảng kế hoạch công tác năm ")},
            {QStringLiteral("lich????"),
             QStringLiteral("lichmau"),
             {QStringLiteral("ngay"), QStringLiteral("ndung"), QStringLiteral("diadiem")},
             QStringLiteral("Bảng lịch công tác năm ")},
        };
    }
    return {};
}

const YearTableKind* yearTableKindNamed(const QString& table, const QList<YearTableKind>& kinds)
{
    const QString name = table.toLower();
    for (const YearTableKind& kind : kinds) {
        const QString stem = kind.pattern.left(kind.pattern.size() - 4);
        if (name.size() == kind.pattern.size() && name.startsWith(stem))
            return &kind;
    }
    return nullptr;
}

bool isImportedYear(const QString& table)
{
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    const QString year = table.right(4);
    return fourDigits.match(year).hasMatch() && year.toInt() > 1900 && year.toInt() < 2500;
}

const YearTableKind* yearTableKindOf(const QString& table, const QList<YearTableKind>& kinds)
{
    return isImportedYear(table) ? yearTableKindNamed(table, kinds) : nullptr;
}

QString reimportQuestion(const YearTableKind& kind, const QString& table)
{
    return kind.title + table.right(4) + QStringLiteral(" trong file dữ liệu vừa chọn đã được nhập một lần. ") +
           QStringLiteral("\r\n") + QStringLiteral("Có muốn xoá dữ liệu hiện có và nhập lại bảng này không?");
}

QString importedCriterion(const QStringList& columns, const QVariantList& values)
{
    QString criterion;
    for (qsizetype i = 0; i < columns.size() && i < values.size(); ++i) {
        const QVariant& v = values.at(i);
        if (v.isNull() || v.toString().trimmed().isEmpty())
            continue;
        if (!criterion.isEmpty())
            criterion += QStringLiteral(" and ");
        criterion += db::quoteJetName(columns.at(i)) + QStringLiteral("=") + literal(v);
    }
    return criterion;
}

YearTableOutcome importYearTable(ImportSource& source, db::Database& target, const QString& table,
                                 const YearTableKind& kind, const std::function<bool(const QString&)>& ask)
{
    if (!source.hasRows(table))
        return YearTableOutcome::SkippedEmpty;

    const QString quoted = db::quoteJetName(table);
    bool importedBefore = false;
    if (target.hasTable(table)) {
        const QString criterion = importedCriterion(kind.compared, source.firstRow(table, kind.compared));
        // With nothing to compare, a table in use that holds rows may hold these: ask.
        importedBefore =
            tableHasRow(target, QStringLiteral("select * from ") + quoted +
                                    (criterion.isEmpty() ? QString() : QStringLiteral(" where ") + criterion));
    }
    if (importedBefore && !ask(reimportQuestion(kind, table)))
        return YearTableOutcome::Kept;

    const QStringList fields = fieldsWithoutId(source.fieldNames(table));
    const QList<long long> oldIds = source.rowIds(table);
    // Files first, whole and flushed; a failure after this leaves only files no row names.
    const QList<Attachment> attachments = bringAttachmentFiles(source, target, table, oldIds);
    db::Transaction transaction(target, QStringLiteral("rolling back the import of ") + table);
    if (importedBefore) {
        target.execute(QStringLiteral("drop table ") + quoted);
        // Their letters are gone, and their ids will be given to the letters coming in.
        removeAttachmentsOfTable(target, table);
    }
    if (!app::copyTableStructure(target, target, kind.templateName, table, true))
        throw std::runtime_error("cannot make the table " + table.toStdString() + " from " +
                                 kind.templateName.toStdString());
    const long long above = attachments.isEmpty() ? 0 : largestId(target, table);
    source.copyRows(table, fields, target, table);
    if (!attachments.isEmpty()) {
        // The rows were added in the old ids' order, each with a counter above those before.
        QHash<long long, long long> newIds;
        db::Recordset rs =
            target.openRecordset(QStringLiteral("select id from ") + quoted + QStringLiteral(" where id > ") +
                                     QString::number(above) + QStringLiteral(" order by id"),
                                 db::RecordsetType::Snapshot);
        for (long long oldId : oldIds) {
            if (rs.eof())
                throw std::runtime_error("the import of " + table.toStdString() + " added fewer rows than it read");
            newIds.insert(oldId, rs.value(0).toLongLong());
            rs.moveNext();
        }
        rs.close();
        addAttachmentRows(target, table, attachments, newIds);
    }
    transaction.commit();
    return importedBefore ? YearTableOutcome::Replaced : YearTableOutcome::Copied;
}

} // namespace datafiles
