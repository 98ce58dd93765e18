#pragma once

// The bytes a fuzz target is given, taken as the program's inputs are: UTF-8 text as typed.
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz {

inline QString text(const std::uint8_t* data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

} // namespace fuzz
