#pragma once

namespace db {

enum class RecordsetType
{
    Dynaset,  // updatable keyset over the rows of one table; sees later changes to those rows
    Snapshot, // read-only copy taken when opened (or requeried)
};

} // namespace db
