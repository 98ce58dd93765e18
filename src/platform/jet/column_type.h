#pragma once

#include <cstdint>

namespace jet {

// Column types by the Jet engine's type codes. Free of Qt: the reader process, which has no Qt,
// sends them over its pipe as these numbers.
enum class ColumnType : std::uint8_t
{
    Boolean,
    Byte,
    Integer,
    Long,
    Currency,
    Single,
    Double,
    DateTime,
    Text, // up to 255 characters
    Memo, // long text
    Binary,
    Other, // replication ids and decimals, read as text; OLE objects, not read (Null)
};

} // namespace jet
