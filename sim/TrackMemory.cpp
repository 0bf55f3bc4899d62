#include "sim/TrackMemory.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/RecordChecksum.h"
#include "tracks/Geodesy.h"

namespace vantrel::sim {

namespace {

std::int32_t WholeMetres(double metres) {
    const auto rounded = static_cast<std::int32_t>(std::lround(metres));
    return rounded != 0 ? rounded : 1;
}

}  // namespace

std::array<double, 3> GeodeticToEcefExact(double latitudeDeg, double longitudeDeg, double heightM) {
    const double lat = latitudeDeg * std::numbers::pi / 180.0;
    const double lon = longitudeDeg * std::numbers::pi / 180.0;
    const double a = Wgs84Datum.semiMajorAxis;
    const double f = Wgs84Datum.flattening;
    const double e2 = f * (2.0 - f);
    const double sinLat = std::sin(lat);
    const double n = a / std::sqrt(1.0 - e2 * sinLat * sinLat);
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
        std::clamp(std::round(point.speedMps * 10.0), 0.0, double(TrackRecord::kSpeedMask));
    return EncodeTrackRecord(point.gpsSeconds & TrackRecord::kTimeStampMask,
                             {WholeMetres(e.x), WholeMetres(e.y), WholeMetres(e.z)},
                             static_cast<unsigned>(speedRaw), point.trackStart);
}

TrackRecordBytes EncodeTrackRecord(std::uint32_t timeStamp, Ecef at, unsigned speedRaw,
                                   bool trackStart) {
    const auto flags = static_cast<std::uint16_t>((speedRaw & TrackRecord::kSpeedMask) |
                                                  (trackStart ? TrackRecord::kTrackStartFlag : 0));
    TrackRecord record{timeStamp, at.x, at.y, at.z, flags, 0};
    TrackRecordBytes bytes{};
    record.Write(bytes.data());
    record.checksum = RecordChecksum(bytes.data(), TrackRecord::kCheckedBytes);
    record.Write(bytes.data());
    return bytes;
}

std::vector<std::uint8_t> LayOutTrackMemory(std::span<const TrackPoint> points) {
    const std::size_t pages = points.size() / kRecordsPerTrackPage + 1;
    std::vector<std::uint8_t> flash(pages * kTrackPageSize, 0xFF);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TrackRecordBytes record = EncodeTrackRecord(points[i]);
        std::copy(record.begin(), record.end(),
                  flash.begin() + static_cast<std::ptrdiff_t>(RecordOffset(i)));
    }
    return flash;
}

}  // namespace vantrel::sim
