#include "tracks/TrackRecord.h"

#include <cstring>

#include "base/RecordChecksum.h"

namespace vantrel {

TrackRecord TrackRecord::Read(const std::uint8_t* bytes) {
    TrackRecord record;
    std::memcpy(&record, bytes, kSize);
    return record;
}

void TrackRecord::Write(std::uint8_t* bytes) const {
    std::memcpy(bytes, this, kSize);
}

bool TrackRecord::ChecksumMatches(const std::uint8_t* bytes) {
    std::uint16_t stored = static_cast<std::uint16_t>(bytes[18] | (bytes[19] << 8));
    return RecordChecksum(bytes, kCheckedBytes) == stored;
}

}  // namespace vantrel
