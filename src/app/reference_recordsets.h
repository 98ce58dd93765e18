#pragma once

namespace app {

// Opens the four shared lookup recordsets, snapshots kept until the program ends:
//   rschutat  on dbthamkhao:     "SELECT * FROM chutat ORDER BY matt"
//   rsdonvi   on dbthamkhaolich: "SELECT * FROM donvi ORDER BY matt"
//   rsnoigui  on dbthamkhaocv:   "select * from noigui  order by matt"
//   rsloaicv  on dbthamkhaocv:   "select * from loaicv  order by matt"
// Recordsets open before are replaced. Raises DbError when a database is not open or lacks its
// table; the recordsets opened before the failure stay set.
void openReferenceRecordsets();

} // namespace app
