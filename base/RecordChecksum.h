#pragma once
// The 16-bit sum of a run of bytes, negated, so that the bytes' sum plus the
// checksum is 0 modulo 65536. Device track records and plan image headers
// are checked with it.

#include <cstddef>
#include <cstdint>

namespace vantrel {

inline std::uint16_t RecordChecksum(const std::uint8_t* bytes, std::size_t count) {
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum = static_cast<std::uint16_t>(sum + bytes[i]);
    return static_cast<std::uint16_t>(-sum);
}

}  // namespace vantrel
