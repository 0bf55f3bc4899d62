#pragma once
// Whether a downloaded track memory is whole: the device sends its memory up
// to and including the page that holds the end of the data, so a memory that
// neither holds its end-of-data mark nor fills the device's whole 2 MiB was
// cut short on the way.

#include <cstdint>
#include <span>

namespace vantrel {

// True when one of the memory's record slots holds an erased record (flags
// 0xFFFF at byte 16 of the 20-byte record), slot s of page p lying at byte
// p * 4096 + s * 20 with s < 204, or when the memory fills all 2 MiB.
bool TrackMemoryIsWhole(std::span<const std::uint8_t> memory);

}  // namespace vantrel
