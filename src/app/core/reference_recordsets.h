#pragma once

namespace app {

struct Module1;

// Opens the four shared lookup recordsets of state, snapshots kept until the program ends:
//   abbreviations  on reference:     "SELECT * FROM chutat ORDER BY matt"
//   units   on scheduleReference: "SELECT * FROM donvi ORDER BY matt"
//   correspondents  on lettersReference:   "select * from noigui  order by matt"
//   letterTypes  on lettersReference:   "select * from loaicv  order by matt"
// Recordsets open before are replaced. Raises DbError when a database is not open or lacks its
// table; the recordsets opened before the failure stay set.
void openReferenceRecordsets(Module1& state);

} // namespace app
