#include "tracks/RecordDecode.h"

#include <iterator>
#include <string_view>

#include "base/NumberText.h"

namespace vantrel {

GeodeticFix DecodePosition(const TrackRecord& record) {
    EcefState ecef{static_cast<double>(record.ecefX),
                   static_cast<double>(record.ecefY),
                   static_cast<double>(record.ecefZ),
                   0,
                   0,
                   0};
    DatumTransform(ecef, ecef);
    GeodeticFix fix{};
    LatLonTrig trig{};
    EcefToGeodetic(ecef, fix, trig);
    return fix;
}

DecodedFix DecodeRecord(const TrackRecord& record, ZoneOffset zone, const LeapSecondTable& leaps) {
    DecodedFix out{};
    out.fix = DecodePosition(record);
    // The device time plus the zone offset, taken modulo 2^32 as the
    // 32-bit seconds argument; the leap seconds are those of the record's
    // own time, whatever the zone.
    auto local = static_cast<std::uint32_t>(static_cast<std::int64_t>(record.Seconds()) +
                                            static_cast<std::int64_t>(zone.minutes) * 60);
    GpsToCalendar(local, 0, out.time, leaps.ParametersAt(record.Seconds()));
    return out;
}

namespace {

std::size_t SlotCount(std::size_t length) {
    return (length % kTrackPageSize) / TrackRecord::kSize +
           (length / kTrackPageSize) * kRecordsPerTrackPage;
}

bool IsFiller(const std::uint8_t* bytes) {
    return bytes[0] == 0xFF && bytes[1] == 0xFF && bytes[2] == 0xFF && bytes[3] == 0xFF;
}

}  // namespace

TrackMemoryReader::TrackMemoryReader(std::span<const std::uint8_t> memory)
    : memory_(memory), slots_(SlotCount(memory.size())) {}

std::optional<TrackMemoryReader::Slot> TrackMemoryReader::Next() {
    const std::size_t length = memory_.size();
    if (slot_ >= slots_) return std::nullopt;
    if (pos_ + 4 <= length && IsFiller(memory_.data() + pos_)) pos_ += kTrackPageFiller;
    // Filler-like bytes inside a page can push the position on; never read
    // past the bytes the image holds.
    if (pos_ + TrackRecord::kSize > length) {
        slot_ = slots_;
        return std::nullopt;
    }
    const std::uint8_t* at = memory_.data() + pos_;
    pos_ += TrackRecord::kSize;
    Slot slot{slot_++, TrackRecord::Read(at), TrackRecord::ChecksumMatches(at)};
    if (slot.record.IsErased() || (slot.checksumOk && slot.record.MarksEndOfData())) {
        slot_ = slots_;
        return std::nullopt;
    }
    return slot;
}

void AppendCalendarText(std::string& out, const CalendarTime& time) {
    const int fields[] = {time.year + 1900, int(time.month), int(time.day),
                          int(time.hour),   int(time.minute), int(time.second)};
    constexpr std::string_view separators[] = {"/", "/", "  ", ":", ":", ""};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        AppendPadded(out, fields[i], 0);
        out += separators[i];
    }
}

std::string CalendarText(const CalendarTime& time) {
    std::string text;
    AppendCalendarText(text, time);
    return text;
}

}  // namespace vantrel
