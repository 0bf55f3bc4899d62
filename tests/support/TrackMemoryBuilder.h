#pragma once
// Builds images of the device's track memory for tests and benchmarks, one
// record at a time, on the simulator's track memory encoding: fixes turned
// into ECEF records with their checksums, records of any field values, and
// records with a spoilt checksum, laid out in the flash's pages.

#include <cstdint>
#include <vector>

#include "sim/TrackMemory.h"

namespace vantrel::testing {

using sim::Ecef;
using sim::EncodeTrackRecord;
using sim::GeodeticToEcef;
using sim::GeodeticToEcefExact;
using sim::TrackRecordBytes;

class TrackMemoryBuilder {
  public:
    // Appends a record in the next slot; a full page gets its filler.
    std::size_t Add(const TrackRecordBytes& record) {
        bytes_.insert(bytes_.end(), record.begin(), record.end());
        if (++slots_ % sim::kFixesPerPage == 0) bytes_.resize(sim::RecordOffset(slots_), 0xFF);
        return slots_ - 1;
    }
    std::size_t AddFix(std::uint32_t seconds, double latDeg, double lonDeg, double height,
                       unsigned speedRaw, bool trackStart) {
        return Add(EncodeTrackRecord(seconds, GeodeticToEcef(latDeg, lonDeg, height), speedRaw,
                                     trackStart));
    }
    // A record whose checksum does not match.
    std::size_t AddCorrupt(std::uint32_t seconds) {
        TrackRecordBytes r = EncodeTrackRecord(seconds, GeodeticToEcef(10, 10, 0), 0, false);
        r[19] ^= 0x5A;
        return Add(r);
    }
    // Erased flash up to `length` bytes.
    std::vector<std::uint8_t> Image(std::size_t length) const {
        std::vector<std::uint8_t> out = bytes_;
        if (out.size() < length) out.resize(length, 0xFF);
        return out;
    }
    std::size_t Slots() const { return slots_; }
    std::size_t Size() const { return bytes_.size(); }

  private:
    std::vector<std::uint8_t> bytes_;
    std::size_t slots_ = 0;
};

}  // namespace vantrel::testing
