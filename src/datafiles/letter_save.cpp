#include "letter_save.h"

#include "app/core/run_time_error.h"
#include "logging.h"
#include "platform/db/db_error.h"
#include "platform/db/transaction.h"

#include <QDir>
#include <QList>
#include <QPair>
#include <stdexcept>

namespace datafiles {
namespace {
const QString kFlag = QStringLiteral("kieuupdate");
const QString kSourceId = QStringLiteral("idcu");
const QString kId = QStringLiteral("id");
} // namespace

void saveLetter(db::Database& db, db::Recordset& rs, const std::function<void(db::Recordset& rs)>& beforeAdd)
{
    if (!rs.belongsTo(db)) {
        const QString file = db.isOpen() ? QDir::toNativeSeparators(db.path()) : QStringLiteral("(closed)");
        throw std::invalid_argument(
            (QStringLiteral("The letter cannot be saved: its recordset was not opened from the connection to ") + file +
             QStringLiteral(" that saves it."))
                .toStdString());
    }
    switch (rs.editMode()) {
    case db::EditMode::None:
        rs.update(); // raises UpdateWithoutEdit
        return;
    case db::EditMode::Edit: {
        const QVariant flag = rs.value(kFlag);
        rs.setValue(kFlag, !flag.isNull() && flag.toInt() == 1 ? 1 : 2);
        rs.setValue(kSourceId, rs.value(kId));
        rs.update();
        return;
    }
    case db::EditMode::AddNew:
        break;
    }
    rs.setValue(kFlag, 1);
    // The values typed, to start the row again if it cannot be completed.
    QList<QPair<QString, QVariant>> typed;
    for (const QString& name : rs.fieldNames()) {
        if (name.compare(kId, Qt::CaseInsensitive) != 0)
            typed.append({name, rs.value(name)});
    }
    db::Transaction transaction(db, QStringLiteral("rolling back a letter's save"));
    try {
        if (beforeAdd)
            beforeAdd(rs);
        rs.update();
        rs.setBookmark(rs.lastModified());
        rs.edit();
        rs.setValue(kSourceId, rs.value(kId));
        rs.update();
        transaction.commit();
    } catch (...) {
        // The first error is the one to report; the clean-up only restores what it can.
        try {
            if (rs.editMode() == db::EditMode::Edit)
                rs.cancelUpdate();
        } catch (const db::DbError& e) {
            app::logDroppedError(e, lcDatafiles(), QStringLiteral("cancelling the idcu edit of a letter"));
        }
        transaction.rollback();
        try {
            if (rs.editMode() != db::EditMode::AddNew) {
                // The row written is undone: make it pending again with the values typed.
                rs.addNew();
                for (const auto& [name, value] : typed)
                    rs.setValue(name, value);
            }
        } catch (const db::DbError& e) {
            app::logDroppedError(e, lcDatafiles(), QStringLiteral("restoring the typed values of a letter"));
        }
        throw;
    }
}

} // namespace datafiles
