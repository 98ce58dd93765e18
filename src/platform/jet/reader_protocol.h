#pragma once

// What the Jet reader process (reader/jet_reader_main.cpp) writes to the program over its
// standard output, and the program decodes (reader_stream.h). Plain C++: the reader links no Qt.
//
// A stream of frames: a tag byte, the payload's length as 4 bytes little-endian, the payload.
// Numbers in payloads are little-endian; texts are UTF-8 with a 4-byte length before them.
//   Table    name                        one per user table of the catalog ("tables")
//   Column   type byte, size (4), name   one per column, in stored order ("columns", "rows")
//   Row      a value per column          ("rows"); each value: a Value tag byte, then its data
//   Complete count (4)                   the request was answered whole: tables or rows sent
//   Failure  kind byte, text             the reader refused (the kinds of jet::JetError)
// A stream that ends without Complete or Failure is a reader that died or was stopped.
#include <cstdint>

namespace jet::protocol {

enum Tag : std::uint8_t
{
    Table = 'N',
    Column = 'C',
    Row = 'R',
    Complete = 'K',
    Failure = 'X',
};

// The kind of a value in a Row frame and the data after it.
enum Value : std::uint8_t
{
    Null = 0,     // nothing
    Bool = 1,     // one byte, 0 or 1
    Integer = 2,  // 8 bytes, signed
    Real = 3,     // 8 bytes, IEEE double (Single and Double columns)
    Currency = 4, // 8 bytes, signed, ten-thousandths
    Date = 5,     // 8 bytes, IEEE double as the engine stores it (days since 30 December 1899)
    Text = 6,     // 4-byte length, UTF-8
    Bytes = 7,    // 4-byte length, the bytes
};

// Column type codes: jet::ColumnType in its order.
// Failure kinds: jet::JetError::Kind in its order.

constexpr std::uint32_t kMaxFrame = 64u * 1024u * 1024u; // a frame longer than this is refused
constexpr std::uint32_t kMaxColumns = 255;               // the engine's limit per table

} // namespace jet::protocol
