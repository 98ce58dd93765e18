#include "recordset.h"

#include "recordset_impl.h"

namespace db {

Recordset::Recordset() = default;

Recordset::Recordset(std::shared_ptr<Impl> impl) : d(std::move(impl)) {}

namespace {

Recordset::Impl& checked(const std::shared_ptr<Recordset::Impl>& d)
{
    if (!d || !d->rows)
        throw DbError(errc::ObjectClosed, QStringLiteral("Object invalid or no longer set (the recordset is closed)."));
    return *d;
}

} // namespace

RecordsetType Recordset::type() const
{
    return checked(d).src().type();
}

bool Recordset::isUpdatable() const
{
    return checked(d).src().updatable();
}

void Recordset::close()
{
    if (d) {
        d->dropEdit();
        d->rows.reset();
    }
}

bool Recordset::bof() const
{
    return checked(d).bof;
}

bool Recordset::eof() const
{
    return checked(d).eof;
}

void Recordset::moveFirst()
{
    Impl& r = checked(d);
    r.forwardFrom(0);
}

void Recordset::moveLast()
{
    Impl& r = checked(d);
    r.backwardFrom(r.src().size() - 1);
}

void Recordset::moveNext()
{
    Impl& r = checked(d);
    if (r.eof)
        throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record."));
    r.forwardFrom(r.pos < 0 ? 0 : r.pos + 1);
}

void Recordset::movePrevious()
{
    Impl& r = checked(d);
    if (r.bof)
        throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record."));
    if (r.pos < 0) { // a new clone: nothing before
        r.backwardFrom(-1);
        return;
    }
    r.backwardFrom(r.pos >= r.src().size() ? r.src().size() - 1 : r.pos - 1);
}

void Recordset::move(int rows)
{
    Impl& r = checked(d);
    if (rows == 0) {
        r.refreshCurrent();
        r.dropEdit();
        return;
    }
    if ((rows > 0 && r.eof) || (rows < 0 && r.bof))
        throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record."));
    RowSource& src = r.src();
    const int step = rows > 0 ? 1 : -1;
    int remaining = rows > 0 ? rows : -rows;
    int i = r.pos;
    if (r.eof)
        i = src.size();
    while (remaining > 0) {
        i += step;
        if (i < 0 || i >= src.size())
            break;
        if (!src.isDead(i))
            --remaining;
    }
    if (i < 0) {
        r.backwardFrom(-1);
    } else if (i >= src.size()) {
        r.forwardFrom(src.size());
    } else if (rows > 0) {
        r.forwardFrom(i);
    } else {
        r.backwardFrom(i);
    }
}

int Recordset::absolutePosition() const
{
    Impl& r = checked(d);
    if (!r.hasCurrent())
        return -1;
    return r.pos - r.src().deadBefore(r.pos);
}

void Recordset::setAbsolutePosition(int position)
{
    Impl& r = checked(d);
    RowSource& src = r.src();
    if (position < 0 || position >= src.liveCount())
        throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record (position ") +
                                                 QString::number(position) + QStringLiteral(" of ") +
                                                 QString::number(src.liveCount()) + QStringLiteral(" rows)."));
    int index = position;
    if (src.liveCount() != src.size()) {
        int live = -1;
        for (index = 0; index < src.size(); ++index) {
            if (!src.isDead(index) && ++live == position)
                break;
        }
    }
    if (!r.load(index))
        throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
    r.dropEdit();
    r.landAt(index);
}

int Recordset::recordCount() const
{
    return checked(d).src().liveCount();
}

void Recordset::findFirst(const QString& criterion)
{
    checked(d).find(Impl::Find::First, criterion);
}

void Recordset::findLast(const QString& criterion)
{
    checked(d).find(Impl::Find::Last, criterion);
}

void Recordset::findNext(const QString& criterion)
{
    checked(d).find(Impl::Find::Next, criterion);
}

void Recordset::findPrevious(const QString& criterion)
{
    checked(d).find(Impl::Find::Previous, criterion);
}

bool Recordset::noMatch() const
{
    return checked(d).noMatch;
}

bool Recordset::bookmarkable() const
{
    checked(d);
    return true;
}

Bookmark Recordset::bookmark() const
{
    Impl& r = checked(d);
    if (r.src().reusesRowids())
        r.refreshCurrent(); // the mark records the row's key values as they are now
    else
        r.requireCurrent();
    return r.markOf(r.src().key(r.pos), r.row);
}

void Recordset::setBookmark(const Bookmark& mark)
{
    Impl& r = checked(d);
    RowSource& src = r.src();
    if (mark.size() != Impl::MarkSize || qFromBigEndian<quint32>(mark.constData()) != src.identity())
        throw DbError(errc::InvalidBookmark, QStringLiteral("Not a valid bookmark."));
    const qint64 rowid = qFromBigEndian<qint64>(mark.constData() + 4);
    const int index = src.positionOf(rowid);
    const auto invalid = [] {
        return DbError(errc::InvalidBookmark, QStringLiteral("Not a valid bookmark (the record is deleted)."));
    };
    if (index < 0 || src.isDead(index))
        throw invalid();
    // Read into a copy first: the position and the current row stay when the mark is refused.
    QVector<QVariant> values;
    const RowSource::Stamp stamp = src.stamp();
    if (!src.fetch(rowid, values)) {
        src.markDead(index);
        throw invalid();
    }
    if (!src.samePrint(rowid, qFromBigEndian<quint64>(mark.constData() + 12), values))
        throw invalid(); // the rowid now belongs to another row (a table without a counter)
    r.row = values;
    r.rowStamp = stamp;
    r.dropEdit();
    r.landAt(index);
}

Bookmark Recordset::lastModified() const
{
    return checked(d).lastModified;
}

void Recordset::addNew()
{
    Impl& r = checked(d);
    if (!r.src().updatable())
        throw DbError(errc::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    const int n = int(r.src().columns().size());
    r.mode = EditMode::AddNew;
    // Emptied, not made anew: rows added one after another reuse the buffer's room.
    r.buffer.clear();
    r.buffer.resize(n);
    r.dirty.fill(false, n);
}

void Recordset::edit()
{
    Impl& r = checked(d);
    if (!r.src().updatable())
        throw DbError(errc::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    r.requireCurrent();
    // The buffer starts from the row as the file holds it: read again unless nothing can have
    // changed since it was read (the same stamp).
    if (!(r.src().stamp() == r.rowStamp) && !r.load(r.pos)) {
        r.hasRow = false;
        throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
    }
    r.mode = EditMode::Edit;
    r.buffer = r.row;
    r.base = r.row;
    r.dirty = QVector<bool>(r.row.size(), false);
}

void Recordset::expect(const QString& field, const QVariant& value)
{
    Impl& r = checked(d);
    const int index = r.column(field);
    if (r.mode == EditMode::Edit)
        r.base[index] = value;
}

QVariant Recordset::storedValue(const QString& field) const
{
    Impl& r = checked(d);
    const int index = r.column(field);
    if (!r.hasRow)
        throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record."));
    return r.row[index];
}

void Recordset::update()
{
    Impl& r = checked(d);
    RowSource& src = r.src();
    if (r.mode == EditMode::None)
        throw DbError(errc::UpdateWithoutEdit, QStringLiteral("Update without AddNew or Edit."));
    if (r.mode == EditMode::AddNew) {
        const qint64 rowid = src.insertRow(r.buffer, r.dirty);
        src.append(rowid);
        QVector<QVariant> written;
        if (src.reusesRowids() && !src.fetch(rowid, written))
            written.clear();
        r.lastModified = r.markOf(rowid, written);
        if (r.bof && r.eof && src.liveCount() > 0) {
            // The first row of an empty recordset: the cursor stays with no current row.
            r.bof = false;
            r.eof = true;
            r.pos = src.size();
        }
    } else {
        if (!r.positioned() || src.isDead(r.pos))
            throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record."));
        const qint64 rowid = src.key(r.pos);
        const QVector<QVariant> before = r.row;
        RowStore::StoredRow stored;
        try {
            const RowStore::ReadRow read{r.row, r.rowStamp};
            stored = src.updateRow(rowid, r.buffer, r.dirty, r.base, &read);
        } catch (const DbError& e) {
            // The row as the other client left it becomes the edit's starting point: the edit
            // stays, and an update again writes over what the error named.
            QVector<QVariant> now;
            const RowSource::Stamp stamp = src.stamp();
            if (e.number() == errc::WriteConflict && src.fetch(rowid, now)) {
                r.rowStamp = stamp;
                r.row = now;
                r.base = now;
            }
            throw;
        }
        // The row as now stored: from the store where it knows it, else read again.
        bool loaded = false;
        if (stored) {
            r.row = std::move(*stored);
            r.rowStamp = src.stamp();
            loaded = true;
        } else {
            loaded = r.load(r.pos);
        }
        if (loaded)
            src.rewritten(rowid, before, r.row);
        r.lastModified = r.markOf(rowid, r.row);
    }
    r.dropEdit();
}

void Recordset::cancelUpdate()
{
    Impl& r = checked(d);
    if (r.mode == EditMode::None)
        throw DbError(errc::UpdateWithoutEdit, QStringLiteral("CancelUpdate without AddNew or Edit."));
    r.dropEdit();
}

void Recordset::deleteRecord()
{
    Impl& r = checked(d);
    RowSource& src = r.src();
    if (!src.updatable())
        throw DbError(errc::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    r.requireCurrent();
    r.dropEdit();
    try {
        src.deleteRow(src.key(r.pos));
    } catch (const DbError& e) {
        if (e.number() == errc::RecordIsDeleted) {
            src.markDead(r.pos);
            r.hasRow = false;
        }
        throw;
    }
    src.markDead(r.pos);
    r.hasRow = false;
}

EditMode Recordset::editMode() const
{
    return checked(d).mode;
}

Recordset Recordset::clone() const
{
    Impl& r = checked(d);
    auto copy = std::make_shared<Impl>();
    copy->rows = r.rows;
    if (r.src().liveCount() == 0) {
        copy->bof = true;
        copy->eof = true;
    }
    return Recordset(copy);
}

void Recordset::requery()
{
    Impl& r = checked(d);
    r.dropEdit();
    r.rows = r.src().reopen();
    r.start();
}

int Recordset::fieldCount() const
{
    return int(checked(d).src().columns().size());
}

QString Recordset::fieldName(int index) const
{
    const auto& columns = checked(d).src().columns();
    if (index < 0 || index >= columns.size())
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: field %1.").arg(index));
    return columns[index].name;
}

QStringList Recordset::fieldNames() const
{
    QStringList names;
    for (const auto& c : checked(d).src().columns())
        names << c.name;
    return names;
}

FieldDef Recordset::fieldDef(const QString& name) const
{
    Impl& r = checked(d);
    return r.src().columns()[r.column(name)].def;
}

bool Recordset::hasField(const QString& name) const
{
    return checked(d).src().columnIndex(name) >= 0;
}

QVariant Recordset::value(const QString& field) const
{
    Impl& r = checked(d);
    return value(r.column(field));
}

QVariant Recordset::value(int index) const
{
    Impl& r = checked(d);
    if (index < 0 || index >= r.src().columns().size())
        throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: field %1.").arg(index));
    if (r.mode != EditMode::None)
        return r.buffer[index];
    r.refreshCurrent();
    return r.row[index];
}

void Recordset::setValue(const QString& field, const QVariant& value)
{
    Impl& r = checked(d);
    const int index = r.column(field);
    if (r.mode == EditMode::None)
        throw DbError(errc::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const RowSource::Column& c = r.src().columns()[index];
    if (c.baseColumn.isEmpty() || (c.def.attributes & fieldattr::AutoIncrField))
        throw DbError(errc::FieldNotUpdatable,
                      QStringLiteral("Field '") + c.name + QStringLiteral("' cannot be updated."));
    const auto length = [&] {
        return value.typeId() == QMetaType::QString ? static_cast<const QString*>(value.constData())->size()
                                                    : value.toString().size();
    };
    if (c.def.type == FieldType::Text && c.def.size > 0 && value.isValid() && !value.isNull() && length() > c.def.size)
        throw DbError(errc::FieldTooSmall,
                      QStringLiteral("The field '%1' is too small to accept the amount of data you attempted to add "
                                     "(at most %2 characters).")
                          .arg(c.name, QString::number(c.def.size)));
    r.buffer[index] = value;
    r.dirty[index] = true;
}

} // namespace db
