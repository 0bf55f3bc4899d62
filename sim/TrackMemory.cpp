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

std::array<double, 3> GeodeticToEcefExact(double latitudeDeg, double longitudeDeg, double heightM) {
    const double lat = latitudeDeg * std::numbers::pi / 180.0;
    const double lon = longitudeDeg * std::numbers::pi / 180.0;
    const double e2 = kFlattening * (2.0 - kFlattening);
    const double sinLat = std::sin(lat);
    const double n = kSemiMajorAxis / std::sqrt(1.0 - e2 * sinLat * sinLat);
    const double ring = (n + heightM) * std::cos(lat);
    return {ring * std::cos(lon), ring * std::sin(lon), (n * (1.0 - e2) + heightM) * sinLat};
}

Ecef GeodeticToEcef(double latitudeDeg, double longitudeDeg, double heightM) {
    const auto p = GeodeticToEcefExact(latitudeDeg, longitudeDeg, heightM);
    return {static_cast<std::int32_t>(std::lround(p[0])),
            static_cast<std::int32_t>(std::lround(p[1])),
            static_cast<std::int32_t>(std::lround(p[2]))};
}

TrackRecordBytes EncodeTrackRecord(const TrackPoint& point) {
    const Ecef e = GeodeticToEcef(point.latitudeDeg, point.longitudeDeg, point.heightM);
    const double speedRaw =
        std::clamp(std::round(point.speedMps * 10.0), 0.0, double(kMaxSpeedRaw));
    return EncodeTrackRecord(point.gpsSeconds & kTimeStampMask,
                             {WholeMetres(e.x), WholeMetres(e.y), WholeMetres(e.z)},
                             static_cast<unsigned>(speedRaw), point.trackStart);
}

TrackRecordBytes EncodeTrackRecord(std::uint32_t timeStamp, Ecef at, unsigned speedRaw,
                                   bool trackStart) {
    const auto flags =
        static_cast<std::uint16_t>((speedRaw & kMaxSpeedRaw) | (trackStart ? kTrackStartFlag : 0));
    TrackRecordBytes record{};
    PutLittleEndian(&record[0], timeStamp, 4);
    PutLittleEndian(&record[4], static_cast<std::uint32_t>(at.x), 4);
    PutLittleEndian(&record[8], static_cast<std::uint32_t>(at.y), 4);
    PutLittleEndian(&record[12], static_cast<std::uint32_t>(at.z), 4);
    PutLittleEndian(&record[16], flags, 2);
    PutLittleEndian(&record[18], RecordChecksum(record.data(), 18), 2);
    return record;
}

std::vector<std::uint8_t> LayOutTrackMemory(std::span<const TrackPoint> points) {
    const std::size_t pages = points.size() / kRecordsPerPage + 1;
    std::vector<std::uint8_t> flash(pages * kPageSize, 0xFF);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TrackRecordBytes record = EncodeTrackRecord(points[i]);
        std::copy(record.begin(), record.end(),
                  flash.begin() + static_cast<std::ptrdiff_t>(RecordOffset(i)));
    }
    return flash;
}

}  // namespace vantrel::sim
