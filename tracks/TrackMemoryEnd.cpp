#include "tracks/TrackMemoryEnd.h"

#include "base/TransferArea.h"

namespace vantrel {

namespace {

// The flash's layout: 4096-byte pages of 204 records of 20 bytes, then 16
// filler bytes; a record's flags are its bytes 16 and 17.
constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kSlotsPerPage = 204;
constexpr std::size_t kRecordSize = 20;
constexpr std::size_t kFlagsAt = 16;

bool ErasedAt(std::span<const std::uint8_t> memory, std::size_t at) {
    return memory[at + kFlagsAt] == 0xFF && memory[at + kFlagsAt + 1] == 0xFF;
}

}  // namespace

bool TrackMemoryIsWhole(std::span<const std::uint8_t> memory) {
    for (std::size_t page = 0; page * kPageSize < memory.size(); ++page) {
        for (std::size_t slot = 0; slot < kSlotsPerPage; ++slot) {
            const std::size_t at = page * kPageSize + slot * kRecordSize;
            if (at + kRecordSize > memory.size()) return false;
            if (ErasedAt(memory, at)) return true;
        }
    }
    return memory.size() >= TransferArea::kSize;
}

}  // namespace vantrel
