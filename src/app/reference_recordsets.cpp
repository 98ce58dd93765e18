#include "reference_recordsets.h"

#include "module1.h"

namespace app {

void openReferenceRecordsets()
{
    Module1& m = module1();
    m.rschutat =
        m.dbthamkhao.openRecordset(QStringLiteral("SELECT * FROM chutat ORDER BY matt"), db::RecordsetType::Snapshot);
    m.rsdonvi = m.dbthamkhaolich.openRecordset(QStringLiteral("SELECT * FROM donvi ORDER BY matt"),
                                               db::RecordsetType::Snapshot);
    m.rsnoigui = m.dbthamkhaocv.openRecordset(
        QStringLiteral("select * from noigui ") + QStringLiteral(" order by matt"), db::RecordsetType::Snapshot);
    m.rsloaicv = m.dbthamkhaocv.openRecordset(
        QStringLiteral("select * from loaicv ") + QStringLiteral(" order by matt"), db::RecordsetType::Snapshot);
}

} // namespace app
