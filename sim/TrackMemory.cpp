#include "sim/TrackMemory.h"

#include <algorithm>
#include <cmath>
#include <numbers>


namespace vantrel::sim {

namespace {

std::int32_t WholeMetres(double metres) {
    const auto rounded = static_cast<std::int32_t>(std::lround(metres));
    return rounded != 0 ? rounded : 1;
}

// The WGS-84 ellipsoid.
constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;

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
        std::clamp(std::round(point.speedMps * 10.0), 0.0, double(fix::kSpeedMask));
    return EncodeTrackRecord(point.gpsSeconds & fix::kTimeMask,
                             {WholeMetres(e.x), WholeMetres(e.y), WholeMetres(e.z)},
                             static_cast<unsigned>(speedRaw), point.trackStart);
}

TrackRecordBytes EncodeTrackRecord(std::uint32_t timeStamp, Ecef at, unsigned speedRaw,
                                   bool trackStart) {
    const unsigned flags = (speedRaw & fix::kSpeedMask) | (trackStart ? fix::kTrackStartFlag : 0);
    TrackRecordBytes bytes{};
    PutLe(&bytes[fix::kTimeAt], timeStamp, 4);
    const std::int32_t ecef[] = {at.x, at.y, at.z};
    for (std::size_t i = 0; i < 3; ++i)
        PutLe(&bytes[fix::kEcefAt + 4 * i], static_cast<std::uint32_t>(ecef[i]), 4);
    PutLe(&bytes[fix::kFlagsAt], flags, 2);
    PutLe(&bytes[fix::kChecksumAt], NegatedSum(bytes.data(), fix::kChecksumAt), 2);
    return bytes;
}

std::vector<std::uint8_t> LayOutTrackMemory(std::span<const TrackPoint> points) {
    const std::size_t pages = points.size() / kFixesPerPage + 1;
    std::vector<std::uint8_t> flash(pages * kTrackPageSize, 0xFF);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TrackRecordBytes record = EncodeTrackRecord(points[i]);
        std::copy(record.begin(), record.end(),
                  flash.begin() + static_cast<std::ptrdiff_t>(RecordOffset(i)));
    }
    return flash;
}

}  // namespace vantrel::sim
