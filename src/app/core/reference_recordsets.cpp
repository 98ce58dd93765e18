#include "reference_recordsets.h"

#include "module1.h"

namespace app {

void openReferenceRecordsets(Module1& m)
{
    m.abbreviations =
        m.reference.openRecordset(QStringLiteral("SELECT * FROM chutat ORDER BY matt"), db::RecordsetType::Snapshot);
    m.units = m.scheduleReference.openRecordset(QStringLiteral("SELECT * FROM donvi ORDER BY matt"),
                                                db::RecordsetType::Snapshot);
    m.correspondents = m.lettersReference.openRecordset(
        QStringLiteral("select * from noigui ") + QStringLiteral(" order by matt"), db::RecordsetType::Snapshot);
    m.letterTypes = m.lettersReference.openRecordset(
        QStringLiteral("select * from loaicv ") + QStringLiteral(" order by matt"), db::RecordsetType::Snapshot);
}

} // namespace app
