#include "sim/TrackMemory.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/RecordChecksum.h"

namespace vantrel::sim {

namespace {

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;

std::int32_t WholeMetres(double metres) {
    const auto rounded = static_cast<std::int32_t>(std::lround(metres));
    return rounded != 0 ? rounded : 1;
}

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

Ecef GeodeticToEcef(double latitudeDeg, double longitudeDeg, double heightM) {
    const double lat = latitudeDeg * std::numbers::pi / 180.0;
    const double lon = longitudeDeg * std::numbers::pi / 180.0;
    const double e2 = kFlattening * (2.0 - kFlattening);
    const double sinLat = std::sin(lat);
    const double n = kSemiMajorAxis / std::sqrt(1.0 - e2 * sinLat * sinLat);
    const double ring = (n + heightM) * std::cos(lat);
    return {static_cast<std::int32_t>(std::lround(ring * std::cos(lon))),
            static_cast<std::int32_t>(std::lround(ring * std::sin(lon))),
            static_cast<std::int32_t>(std::lround((n * (1.0 - e2) + heightM) * sinLat))};
}

TrackRecordBytes EncodeTrackRecord(const TrackPoint& point) {
    const Ecef e = GeodeticToEcef(point.latitudeDeg, point.longitudeDeg, point.heightM);
    const double speedRaw =
        std::clamp(std::round(point.speedMps * 10.0), 0.0, double(kMaxSpeedRaw));
    const auto flags = static_cast<std::uint16_t>(static_cast<std::uint16_t>(speedRaw) |
                                                  (point.trackStart ? kTrackStartFlag : 0));
    TrackRecordBytes record{};
    PutLittleEndian(&record[0], point.gpsSeconds & kTimeStampMask, 4);
    PutLittleEndian(&record[4], static_cast<std::uint32_t>(WholeMetres(e.x)), 4);
    PutLittleEndian(&record[8], static_cast<std::uint32_t>(WholeMetres(e.y)), 4);
    PutLittleEndian(&record[12], static_cast<std::uint32_t>(WholeMetres(e.z)), 4);
    PutLittleEndian(&record[16], flags, 2);
    PutLittleEndian(&record[18], RecordChecksum(record.data(), 18), 2);
    return record;
}

std::vector<std::uint8_t> LayOutTrackMemory(std::span<const TrackPoint> points) {
    const std::size_t pages = points.size() / kRecordsPerPage + 1;
    std::vector<std::uint8_t> flash(pages * kPageSize, 0xFF);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::size_t offset =
            (i / kRecordsPerPage) * kPageSize + (i % kRecordsPerPage) * kRecordSize;
        const TrackRecordBytes record = EncodeTrackRecord(points[i]);
        std::copy(record.begin(), record.end(),
                  flash.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    return flash;
}

}  // namespace vantrel::sim
