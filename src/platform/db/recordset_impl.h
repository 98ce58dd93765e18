#pragma once

#include "connection.h"
#include "db_error.h"
#include "platform/jetsql/translator.h"
#include "recordset.h"
#include "row_source.h"

#include <QtEndian>

namespace db {

// The cursor of a Recordset handle: its place in the shared rows, the current row as last read,
// the edit buffer and the find state. Clones have their own Impl over the same RowSource.
struct Recordset::Impl
{
    std::shared_ptr<RowSource> rows;
    int pos = -1; // index in the keyset; -1 before the first, size() after the last
    bool bof = false;
    bool eof = false;
    QVector<QVariant> row; // values of the current row as last read
    bool hasRow = false;
    RowSource::Stamp rowStamp; // the data's stamp when row was read
    EditMode mode = EditMode::None;
    QVector<QVariant> buffer;
    QVector<bool> dirty;
    QVector<QVariant> base; // an edit's fields as the editor saw them: update() writes a field only over these
    bool noMatch = false;
    Bookmark lastModified;

    RowSource& src() const
    {
        if (!rows)
            throw DbError(errc::ObjectClosed,
                          QStringLiteral("Object invalid or no longer set (the recordset is closed)."));
        return *rows;
    }

    bool positioned() const { return !bof && !eof && pos >= 0 && pos < src().size(); }
    bool hasCurrent() const { return positioned() && !src().isDead(pos) && hasRow; }

    void requireCurrent() const
    {
        if (!hasCurrent())
            throw DbError(errc::NoCurrentRecord, QStringLiteral("No current record."));
    }

    void dropEdit()
    {
        mode = EditMode::None;
        buffer.clear();
        dirty.clear();
        base.clear();
    }

    void setEmptyIfNoRows()
    {
        if (src().liveCount() == 0) {
            bof = true;
            eof = true;
            hasRow = false;
        }
    }

    // Reads the row at index into row; false (and the row marked dead) when it is gone.
    bool load(int index) { return load(index, src().stamp()); }

    // The same with the data's stamp read by the caller in this same step.
    bool load(int index, const RowSource::Stamp& stamp)
    {
        RowSource& r = src();
        if (r.isDead(index))
            return false;
        if (const QVector<QVariant>* kept = r.found(index, stamp)) {
            row = *kept;
        } else if (!r.fetchAt(index, stamp, row)) {
            r.markDead(index);
            return false;
        }
        rowStamp = stamp;
        return true;
    }

    void landAt(int index)
    {
        pos = index;
        bof = false;
        eof = false;
        hasRow = true;
    }

    // Goes to the first readable row at or after index; eof when there is none.
    void forwardFrom(int index)
    {
        dropEdit();
        for (int i = qMax(index, 0); i < src().size(); ++i) {
            if (load(i)) {
                landAt(i);
                return;
            }
        }
        pos = src().size();
        eof = true;
        hasRow = false;
        setEmptyIfNoRows();
    }

    // Goes to the last readable row at or before index; bof when there is none.
    void backwardFrom(int index)
    {
        dropEdit();
        for (int i = qMin(index, src().size() - 1); i >= 0; --i) {
            if (load(i)) {
                landAt(i);
                return;
            }
        }
        pos = -1;
        bof = true;
        hasRow = false;
        setEmptyIfNoRows();
    }

    // Re-reads the current row when the data may have changed since it was read: a change through
    // this connection, a commit by another one, a rollback.
    void refreshCurrent()
    {
        requireCurrent();
        if (src().stamp() == rowStamp)
            return;
        if (!load(pos)) {
            hasRow = false;
            throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
        }
    }

    // identity of the row source (4 bytes), rowid (8), print of the row's key values (8).
    static constexpr int MarkSize = 20;

    Bookmark markOf(qint64 rowid, const QVector<QVariant>& values) const
    {
        Bookmark mark(MarkSize, Qt::Uninitialized);
        qToBigEndian<quint32>(src().identity(), mark.data());
        qToBigEndian<qint64>(rowid, mark.data() + 4);
        qToBigEndian<quint64>(src().printOf(values), mark.data() + 12);
        return mark;
    }

    int column(const QString& name) const
    {
        const int index = src().columnIndex(name);
        if (index < 0)
            throw DbError(errc::ItemNotFound,
                          QStringLiteral("Item not found in this collection: field '") + name + QStringLiteral("'."));
        return index;
    }

    void start()
    {
        pos = -1;
        bof = false;
        eof = false;
        hasRow = false;
        noMatch = false;
        dropEdit();
        if (src().liveCount() == 0)
            setEmptyIfNoRows();
        else
            forwardFrom(0);
    }

    enum class Find
    {
        First,
        Last,
        Next,
        Previous
    };

    void find(Find how, const QString& criterion)
    {
        RowSource& r = src();
        const RowSource::Stamp now = r.stamp();
        const std::vector<int>& hits = r.matching(criterion, now);
        const bool forward = how == Find::First || how == Find::Next;
        int index = forward ? 0 : r.size() - 1;
        if (how == Find::Next && positioned())
            index = pos + 1;
        else if (how == Find::Previous && positioned())
            index = pos - 1;
        // Rows added to the keyset since the find ran lie beyond the end of hits: no hits.
        for (int i = index; i >= 0 && i < r.size(); i += forward ? 1 : -1) {
            if (size_t(i) < hits.size() && hits[size_t(i)] != RowSource::NoHit && !r.isDead(i) && load(i, now)) {
                dropEdit();
                landAt(i);
                noMatch = false;
                return;
            }
        }
        noMatch = true;
    }
};

} // namespace db
