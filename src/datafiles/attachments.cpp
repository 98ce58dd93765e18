#include "attachments.h"

#include "attachment_checks.h"
#include "logging.h"

#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/db/sql_quote.h"
#include "platform/db/transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace datafiles {
namespace {

db::FieldDef field(const QString& name, db::FieldType type, int size, int attributes)
{
    db::FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.attributes = attributes;
    return f;
}

db::FieldDef text(const QString& name, int size)
{
    return field(name, db::FieldType::Text, size, db::fieldattr::VariableField);
}

QString letterSelect(const QString& yearTable, long long letterId)
{
    return QStringLiteral("select * from ") + kAttachmentsTable + QStringLiteral(" where idcv = ") +
           QString::number(letterId) + QStringLiteral(" and bang = ") + db::quoteLiteral(yearTable) +
           QStringLiteral(" order by id");
}

Attachment rowOf(const db::Recordset& rs)
{
    Attachment a;
    a.id = rs.value(QStringLiteral("id")).toLongLong();
    a.letterId = rs.value(QStringLiteral("idcv")).toLongLong();
    a.yearTable = rs.value(QStringLiteral("bang")).toString();
    a.name = rs.value(QStringLiteral("tengoc")).toString();
    a.hash = rs.value(QStringLiteral("bam")).toString();
    a.size = rs.value(QStringLiteral("kichthuoc")).toLongLong();
    a.type = rs.value(QStringLiteral("kieu")).toString();
    a.addedBy = rs.value(QStringLiteral("nguoinap")).toString();
    a.addedAt = rs.value(QStringLiteral("ngaynap")).toDateTime();
    return a;
}

// A letter whose files changed is changed for the backup too: a letter the backup already holds
// (kieuupdate 0) gets 2, so the next replication mirrors its files. Runs in the caller's transaction.
void flagLetterChanged(db::Database& db, const QString& yearTable, long long letterId)
{
    if (!db.hasTable(yearTable) || !db.tableDef(yearTable).field(QStringLiteral("kieuupdate")))
        return;
    db.execute(QStringLiteral("update ") + yearTable + QStringLiteral(" set kieuupdate=2 where id=") +
               QString::number(letterId) + QStringLiteral(" and kieuupdate=0"));
}

bool cannotWrite(const db::DbError& e)
{
    return e.number() == db::errc::ReadOnlyFile || e.number() == db::errc::NotUpdatable;
}

// Adds the row naming a (its letter letterId of yearTable) through rs.
void addRow(db::Recordset& rs, const Attachment& a, long long letterId, const QString& yearTable)
{
    rs.addNew();
    rs.setValue(QStringLiteral("idcv"), letterId);
    rs.setValue(QStringLiteral("bang"), yearTable);
    rs.setValue(QStringLiteral("tengoc"), a.name);
    rs.setValue(QStringLiteral("bam"), a.hash);
    rs.setValue(QStringLiteral("kichthuoc"), static_cast<double>(a.size));
    rs.setValue(QStringLiteral("kieu"), a.type);
    rs.setValue(QStringLiteral("nguoinap"), a.addedBy);
    rs.setValue(QStringLiteral("ngaynap"), a.addedAt);
    rs.update();
}

} // namespace

db::TableDef attachmentsTableDef()
{
    using db::FieldType;
    namespace attr = db::fieldattr;
    db::TableDef def;
    def.name = kAttachmentsTable;
    def.fields = {field(QStringLiteral("id"), FieldType::Long, 4, attr::FixedField | attr::AutoIncrField),
                  field(QStringLiteral("idcv"), FieldType::Long, 4, attr::FixedField),
                  text(QStringLiteral("bang"), 50),
                  text(QStringLiteral("tengoc"), 255),
                  text(QStringLiteral("bam"), 64),
                  field(QStringLiteral("kichthuoc"), FieldType::Double, 8, attr::FixedField),
                  text(QStringLiteral("kieu"), 100),
                  text(QStringLiteral("nguoinap"), 100),
                  field(QStringLiteral("ngaynap"), FieldType::Date, 8, attr::FixedField)};
    def.indexes = {{QStringLiteral("PrimaryKey"), {QStringLiteral("id")}, true, true},
                   {QStringLiteral("thuoccv"), {QStringLiteral("bang"), QStringLiteral("idcv")}, false, false},
                   {QStringLiteral("bam"), {QStringLiteral("bam")}, false, false}};
    return def;
}

bool ensureAttachmentsTable(db::Database& db)
{
    if (db.hasTable(kAttachmentsTable))
        return true;
    if (db.isReadOnly())
        return false;
    try {
        db::Transaction t(db, QStringLiteral("creating the attachments table"));
        if (!db.hasTable(kAttachmentsTable))
            db.appendTableDef(attachmentsTableDef());
        t.commit();
        return true;
    } catch (const db::DbError& e) {
        if (!cannotWrite(e))
            throw;
        qCInfo(lcDatafiles) << "no attachments table in a file that cannot be written:" << e.what();
        return false;
    }
}

QList<Attachment> attachmentsOf(db::Database& db, const QString& yearTable, long long letterId)
{
    QList<Attachment> list;
    if (!db.hasTable(kAttachmentsTable))
        return list;
    db::Recordset rs = db.openRecordset(letterSelect(yearTable, letterId), db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext())
        list << rowOf(rs);
    return list;
}

QList<Attachment> attachmentsOfTable(db::Database& db, const QString& yearTable)
{
    QList<Attachment> list;
    if (!db.hasTable(kAttachmentsTable))
        return list;
    db::Recordset rs =
        db.openRecordset(QStringLiteral("select * from ") + kAttachmentsTable + QStringLiteral(" where bang = ") +
                             db::quoteLiteral(yearTable) + QStringLiteral(" order by id"),
                         db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext())
        list << rowOf(rs);
    return list;
}

void removeAttachmentsOfTable(db::Database& db, const QString& yearTable)
{
    if (db.hasTable(kAttachmentsTable))
        db.execute(QStringLiteral("delete * from ") + kAttachmentsTable + QStringLiteral(" where bang = ") +
                   db::quoteLiteral(yearTable));
}

void addAttachmentRows(db::Database& db, const QString& yearTable, const QList<Attachment>& attachments,
                       const QHash<long long, long long>& newIds)
{
    db::Recordset rs =
        db.openRecordset(QStringLiteral("select * from ") + kAttachmentsTable + QStringLiteral(" where id = -1"));
    for (const Attachment& a : attachments) {
        const auto id = newIds.constFind(a.letterId);
        if (id == newIds.constEnd()) {
            // A row left by a letter deleted in the other file names nothing here.
            qCInfo(lcDatafiles) << "attachment" << a.name << "names letter" << a.letterId << "not in" << yearTable;
            continue;
        }
        addRow(rs, a, id.value(), yearTable);
    }
}

Attachment attachFile(db::Database& db, const AttachmentStore& store, const QString& yearTable, long long letterId,
                      const QString& source, const QString& user, const QDateTime& now)
{
    const QString refusal = checkAttachment(source);
    if (!refusal.isEmpty())
        throw AttachmentError(refusal);
    if (!ensureAttachmentsTable(db))
        throw db::DbError(db::errc::ReadOnlyFile, QStringLiteral("tepdinhkem cannot be made in ") + db.path());
    const QString name = QFileInfo(source).fileName();
    // The file is whole and flushed in the store before its row is written.
    const StoredFile stored = store.put(source);
    if (stored.size > kAttachmentSizeLimit) // grown since it was checked
        throw AttachmentError(attachmentRefusal(name, stored.size, QByteArray()));

    db::Transaction t(db, QStringLiteral("attaching a file"));
    db::Recordset rs = db.openRecordset(letterSelect(yearTable, letterId));
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.value(QStringLiteral("bam")).toString() == stored.hash)
            throw AttachmentError(duplicateRefusal(name, rs.value(QStringLiteral("tengoc")).toString()));
    }
    Attachment a;
    a.letterId = letterId;
    a.yearTable = yearTable;
    a.name = name;
    a.hash = stored.hash;
    a.size = stored.size;
    a.type = attachmentType(name);
    a.addedBy = user;
    a.addedAt = now;
    addRow(rs, a, letterId, yearTable);
    rs.setBookmark(rs.lastModified());
    a.id = rs.value(QStringLiteral("id")).toLongLong();
    rs.close();
    flagLetterChanged(db, yearTable, letterId);
    t.commit();
    return a;
}

QString duplicateRefusal(const QString& name, const QString& attachedName)
{
    return QStringLiteral("Tệp \"") + name + QStringLiteral("\" đã được đính kèm công văn này (tệp \"") + attachedName +
           QStringLiteral("\" có cùng nội dung). Không đính kèm lần nữa.");
}

void removeAttachment(db::Database& db, long long id)
{
    db::Transaction t(db, QStringLiteral("removing an attachment"));
    {
        db::Recordset rs = db.openRecordset(QStringLiteral("select bang, idcv from ") + kAttachmentsTable +
                                                QStringLiteral(" where id = ") + QString::number(id),
                                            db::RecordsetType::Snapshot);
        if (!rs.eof())
            flagLetterChanged(db, rs.value(0).toString(), rs.value(1).toLongLong());
    }
    db.execute(QStringLiteral("delete * from ") + kAttachmentsTable + QStringLiteral(" where id = ") +
               QString::number(id));
    t.commit();
}

namespace {

void writeCopy(QFile& in, const QString& target)
{
    QSaveFile out(target);
    const QString refusal = QStringLiteral("Không ghi được tệp \"") + QDir::toNativeSeparators(target) +
                            QStringLiteral("\" (ổ đĩa đầy hoặc không có quyền ghi vào thư mục này).");
    if (!out.open(QIODevice::WriteOnly))
        throw AttachmentError(refusal);
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() || out.write(block) != block.size()) {
            out.cancelWriting();
            throw AttachmentError(refusal);
        }
    }
    if (!out.commit())
        throw AttachmentError(refusal);
}

} // namespace

void saveAttachmentAs(const AttachmentStore& store, const Attachment& a, const QString& target)
{
    QFile in(store.pathOf(a.hash));
    if (!store.holds(a.hash) || !in.open(QIODevice::ReadOnly))
        throw AttachmentError(QStringLiteral("Không tìm thấy tệp \"") + a.name +
                              QStringLiteral("\" trong kho tệp đính kèm \"") +
                              QDir::toNativeSeparators(store.folder()) + QStringLiteral("\"."));
    writeCopy(in, target);
}

void copyFileAs(const QString& source, const QString& target)
{
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        throw AttachmentError(unreadableRefusal(source));
    writeCopy(in, target);
}

QString copyForOpening(const AttachmentStore& store, const Attachment& a, const QString& folder)
{
    QString name = a.name;
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        name = a.hash;
    const QString dir = folder + QLatin1Char('/') + a.hash.left(12);
    const QString path = dir + QLatin1Char('/') + name;
    if (QFileInfo(path).size() == a.size && QFileInfo(path).isFile())
        return path;
    if (!QDir().mkpath(dir))
        throw AttachmentError(QStringLiteral("Không ghi được tệp \"") + QDir::toNativeSeparators(path) +
                              QStringLiteral("\" (ổ đĩa đầy hoặc không có quyền ghi vào thư mục này)."));
    saveAttachmentAs(store, a, path);
    return path;
}

int sweepAttachments(db::Database& db, const AttachmentStore& store, const QDateTime& now, qint64 graceSeconds)
{
    if (!db.hasTable(kAttachmentsTable) || db.isReadOnly())
        return 0;
    QSet<QString> named;
    db::Recordset rs =
        db.openRecordset(QStringLiteral("select distinct bam from ") + kAttachmentsTable, db::RecordsetType::Snapshot);
    for (; !rs.eof(); rs.moveNext())
        named.insert(rs.value(0).toString());
    return store.sweep(named, now, graceSeconds);
}

} // namespace datafiles
