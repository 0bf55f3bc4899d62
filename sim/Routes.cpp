#include "sim/Routes.h"

#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vantrel::sim {

namespace {

constexpr double kEarthRadiusM = 6371000.0;

struct Origin {
    double latitudeDeg;
    double longitudeDeg;
    double heightM;
};

// Start points in both hemispheres and on both sides of the prime meridian.
constexpr std::array kOrigins = {
    Origin{47.3769, 8.5417, 408},  Origin{-33.8688, 151.2093, 25}, Origin{35.6762, 139.6503, 40},
    Origin{40.7128, -74.0060, 10}, Origin{-22.9068, -43.1729, 8},  Origin{64.1466, -21.9426, 30},
    Origin{51.5072, -0.1276, 11},  Origin{1.3521, 103.8198, 15},
};

// Walking, cycling and driving speeds in m/s.
constexpr std::array kBaseSpeeds = {1.4, 5.5, 16.0};

void AppendTrack(std::vector<TrackPoint>& out, std::size_t track, std::size_t points,
                 std::uint32_t startSecond) {
    const Origin& origin = kOrigins[track % kOrigins.size()];
    const double baseSpeed = kBaseSpeeds[track % kBaseSpeeds.size()];
    const double heading0 = double(track) * 0.83;
    double lat = origin.latitudeDeg * std::numbers::pi / 180.0;
    double lon = origin.longitudeDeg * std::numbers::pi / 180.0;
    for (std::size_t k = 0; k < points; ++k) {
        const double t = double(k);
        const double speed = baseSpeed * (1.0 + 0.3 * std::sin(t / 13.0));
        const double heading = heading0 + 0.7 * std::sin(t / 90.0);
        TrackPoint p;
        p.gpsSeconds = startSecond + static_cast<std::uint32_t>(k) * kFixIntervalSeconds;
        p.latitudeDeg = lat * 180.0 / std::numbers::pi;
        p.longitudeDeg = lon * 180.0 / std::numbers::pi;
        p.heightM = origin.heightM + 25.0 * std::sin(t / 50.0) + 4.0 * std::sin(t / 7.0);
        p.speedMps = speed;
        p.trackStart = k == 0;
        out.push_back(p);
        const double step = speed * kFixIntervalSeconds / kEarthRadiusM;
        lat += step * std::cos(heading);
        lon += step * std::sin(heading) / std::cos(lat);
    }
}

}  // namespace

std::vector<TrackPoint> GenerateTrackPoints(std::size_t tracks, std::size_t pointsPerTrack,
                                            std::uint32_t firstSecond) {
    if (tracks > kMaxTracks) throw std::invalid_argument("too many tracks");
    if (tracks > 0 && pointsPerTrack == 0)
        throw std::invalid_argument("a track needs at least one point");
    if (tracks != 0 && pointsPerTrack > kMaxTrackPoints / tracks)
        throw std::invalid_argument("that many points do not fit the logger's flash");
    std::vector<TrackPoint> points;
    points.reserve(tracks * pointsPerTrack);
    std::uint32_t start = firstSecond;
    for (std::size_t track = 0; track < tracks; ++track) {
        AppendTrack(points, track, pointsPerTrack, start);
        start += static_cast<std::uint32_t>(pointsPerTrack) * kFixIntervalSeconds +
                 kGapBetweenTracksSeconds;
    }
    return points;
}

}  // namespace vantrel::sim
