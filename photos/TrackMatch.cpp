#include "photos/TrackMatch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace vantrel {

using namespace std::chrono;

namespace {

double Between(double a, double b, double part) { return a + (b - a) * part; }

// Longitudes across the antimeridian take the short way round.
double LongitudeBetween(double a, double b, double part) {
    double step = b - a;
    if (step > 180) step -= 360;
    if (step < -180) step += 360;
    double longitude = a + step * part;
    if (longitude > 180) longitude -= 360;
    if (longitude < -180) longitude += 360;
    return longitude;
}

milliseconds Distance(Millis a, Seconds b) {
    const milliseconds d = a - time_point_cast<milliseconds>(b);
    return d < milliseconds(0) ? -d : d;
}

}  // namespace

TrackMatcher::TrackMatcher(std::span<const Track> tracks, seconds maxGap) : maxGap_(maxGap) {
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        std::vector<Fix> fixes;
        fixes.reserve(tracks[t].points.size());
        for (const TrackPoint& p : tracks[t].points)
            fixes.push_back({p.time, {p.latitude, p.longitude, p.altitude}});
        std::stable_sort(fixes.begin(), fixes.end(),
                         [](const Fix& a, const Fix& b) { return a.time < b.time; });
        fixes.erase(std::unique(fixes.begin(), fixes.end(),
                                [](const Fix& a, const Fix& b) { return a.time == b.time; }),
                    fixes.end());
        if (fixes.empty()) continue;
        tracks_.push_back(std::move(fixes));
        trackIndex_.push_back(t);
    }
}

TrackMatch TrackMatcher::Find(Millis utc) const {
    std::optional<TrackMatch> between, gap, nearest;
    milliseconds nearestDistance = milliseconds::max();
    for (std::size_t t = 0; t < tracks_.size(); ++t) {
        const std::vector<Fix>& fixes = tracks_[t];
        const auto after = std::upper_bound(
            fixes.begin(), fixes.end(), utc,
            [](Millis when, const Fix& fix) { return when < time_point_cast<milliseconds>(fix.time); });
        if (after == fixes.begin() || after == fixes.end()) {
            const Fix& end = after == fixes.begin() ? fixes.front() : fixes.back();
            const milliseconds distance = Distance(utc, end.time);
            if (after == fixes.end() && distance == milliseconds(0)) {  // on the last fix
                between = TrackMatch{TrackMatch::Kind::Between, end.position, trackIndex_[t]};
                break;
            }
            if (distance < nearestDistance) {
                nearestDistance = distance;
                nearest = TrackMatch{TrackMatch::Kind::NearestEnd, end.position, trackIndex_[t],
                                     end.time, end.time};
            }
            continue;
        }
        const Fix& a = *std::prev(after);
        const Fix& b = *after;
        const seconds span = b.time - a.time;
        if (span > maxGap_ && utc != time_point_cast<milliseconds>(a.time)) {
            if (!gap) gap = TrackMatch{TrackMatch::Kind::Gap, {}, trackIndex_[t], a.time, b.time};
            continue;
        }
        const double part = duration<double>(utc - time_point_cast<milliseconds>(a.time)) / span;
        const GeoPosition p{Between(a.position.latitude, b.position.latitude, part),
                            LongitudeBetween(a.position.longitude, b.position.longitude, part),
                            Between(a.position.altitude, b.position.altitude, part)};
        if (!between || span < between->to - between->from)
            between = TrackMatch{TrackMatch::Kind::Between, p, trackIndex_[t], a.time, b.time};
    }
    if (between) return *between;
    if (gap) return *gap;
    if (nearest && nearestDistance <= maxGap_) return *nearest;
    if (nearest) nearest->kind = TrackMatch::Kind::Outside;
    return nearest ? *nearest : TrackMatch{};
}

std::string PositionText(const GeoPosition& at) {
    char text[80];
    if (std::isfinite(at.altitude))
        std::snprintf(text, sizeof text, "%.6f %.6f %.1f m", at.latitude, at.longitude, at.altitude);
    else
        std::snprintf(text, sizeof text, "%.6f %.6f", at.latitude, at.longitude);
    return text;
}

std::string DurationText(seconds span) {
    const std::int64_t s = span.count() < 0 ? -span.count() : span.count();
    char text[48];
    if (s < 60)
        std::snprintf(text, sizeof text, "%lld s", static_cast<long long>(s));
    else if (s < 3600)
        std::snprintf(text, sizeof text, "%lld min %02lld s", static_cast<long long>(s / 60),
                      static_cast<long long>(s % 60));
    else if (s < 86400)
        std::snprintf(text, sizeof text, "%lld h %02lld min", static_cast<long long>(s / 3600),
                      static_cast<long long>(s % 3600 / 60));
    else
        std::snprintf(text, sizeof text, "%lld d %lld h", static_cast<long long>(s / 86400),
                      static_cast<long long>(s % 86400 / 3600));
    return text;
}

std::string UnplacedReason(const TrackMatch& match, std::span<const Track> tracks, Millis utc) {
    const std::string name = match.track < tracks.size() ? tracks[match.track].name : "";
    switch (match.kind) {
        case TrackMatch::Kind::Between:
        case TrackMatch::Kind::NearestEnd:
            return {};
        case TrackMatch::Kind::NoTracks:
            return "no track fixes to match";
        case TrackMatch::Kind::Gap:
            return "in a gap of " + DurationText(match.to - match.from) + " in " + name + " (" +
                   UtcText(match.from) + " to " + UtcText(match.to) + ")";
        case TrackMatch::Kind::Outside:
            return "outside the tracks by " +
                   DurationText(floor<seconds>(Distance(utc, match.from))) + " (nearest: " +
                   name + " at " + UtcText(match.from) + ")";
    }
    return {};
}

}  // namespace vantrel
