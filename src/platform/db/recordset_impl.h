#pragma once

#include "connection.h"
#include "db_error.h"
#include "jet_translator.h"
#include "recordset.h"
#include "row_source.h"

#include <QtEndian>

namespace db {

// The cursor of a Recordset handle: its place in the shared rows, the current row as last read,
// the edit buffer and the find state. Clones have their own Impl over the same RowSource.
struct Recordset::Impl
{
    std::shared_ptr<RowSource> rows;
    int pos = -1;  // index in the keyset; -1 before the first, size() after the last
    bool bof = false;
    bool eof = false;
    QVector<QVariant> row;  // values of the current row as last read
    bool hasRow = false;
    qint64 rowStamp = 0;    // change counter when row was read
    EditMode mode = EditMode::None;
    QVector<QVariant> buffer;
    QVector<bool> dirty;
    bool noMatch = false;
    Bookmark lastModified;

    RowSource& src() const
    {
        if (!rows)
            throw DbError(errc::ObjectClosed, QStringLiteral("Object invalid or no longer set (the recordset is closed)."));
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
    bool load(int index)
    {
        RowSource& r = src();
        if (r.isDead(index))
            return false;
        const qint64 stamp = r.changeCounter();
        if (!r.fetch(r.key(index), row)) {
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

    // Re-reads the current row when this connection changed data since it was read.
    void refreshCurrent()
    {
        requireCurrent();
        if (src().changeCounter() == rowStamp)
            return;
        if (!load(pos)) {
            hasRow = false;
            throw DbError(errc::RecordIsDeleted, QStringLiteral("Record is deleted."));
        }
    }

    Bookmark markOf(qint64 rowid) const
    {
        Bookmark mark(12, Qt::Uninitialized);
        qToBigEndian<quint32>(src().identity(), mark.data());
        qToBigEndian<qint64>(rowid, mark.data() + 4);
        return mark;
    }

    int column(const QString& name) const
    {
        const int index = src().columnIndex(name);
        if (index < 0)
            throw DbError(errc::ItemNotFound, QStringLiteral("Item not found in this collection: field '%1'.").arg(name));
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

    enum class Find { First, Last, Next, Previous };

    void find(Find how, const QString& criterion)
    {
        RowSource& r = src();
        const QString sql = jet::translateCriterion(criterion, *r.connection());
        const QSet<qint64> hits = r.matching(sql);
        const bool forward = how == Find::First || how == Find::Next;
        int index = forward ? 0 : r.size() - 1;
        if (how == Find::Next && positioned())
            index = pos + 1;
        else if (how == Find::Previous && positioned())
            index = pos - 1;
        if (!hits.isEmpty()) {
            for (int i = index; i >= 0 && i < r.size(); i += forward ? 1 : -1) {
                if (!r.isDead(i) && hits.contains(r.key(i)) && load(i)) {
                    dropEdit();
                    landAt(i);
                    noMatch = false;
                    return;
                }
            }
        }
        noMatch = true;
    }
};

} // namespace db
