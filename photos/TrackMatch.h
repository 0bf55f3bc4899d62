#pragma once
// Where the tracks were at a moment. Within one track the position is
// interpolated linearly in time between the two fixes around the moment,
// unless they lie further apart than the largest gap allowed: then nobody
// knows where the logger was. A moment outside every track by no more
// than that gap takes the nearest end fix. Altitudes are the track's.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "photos/PhotoTime.h"
#include "tracks/Track.h"

namespace vantrel {

inline constexpr std::chrono::seconds kDefaultMaxGap{300};

struct GeoPosition {
    double latitude;   // degrees, north positive
    double longitude;  // degrees, east positive
    double altitude;   // metres above mean sea level; NaN when the track has none
    friend bool operator==(const GeoPosition&, const GeoPosition&) = default;
};

// "52.520008 13.404954 34.2 m" (without the altitude when there is none).
std::string PositionText(const GeoPosition& at);

struct TrackMatch {
    enum class Kind {
        Between,     // interpolated between two fixes
        NearestEnd,  // outside every track, near enough to one's end
        Gap,         // inside a track whose fixes around it lie too far apart
        Outside,     // further from every track than the gap allowed
        NoTracks,    // there are no fixes at all
    };
    Kind kind = Kind::NoTracks;
    GeoPosition position{};     // Between and NearestEnd
    std::size_t track = 0;      // the track it came from (or whose gap it fell in)
    // Gap: the fixes' times around the moment; Outside: the nearest end's time.
    Seconds from{}, to{};
    bool Placed() const { return kind == Kind::Between || kind == Kind::NearestEnd; }
};

class TrackMatcher {
  public:
    // Keeps each track's fixes in time order (a faulty clock may have logged
    // them out of order); fixes of one second repeated keep the first.
    TrackMatcher(std::span<const Track> tracks, std::chrono::seconds maxGap);

    TrackMatch Find(Millis utc) const;
    std::chrono::seconds MaxGap() const { return maxGap_; }
    bool Empty() const { return tracks_.empty(); }

  private:
    struct Fix {
        Seconds time;
        GeoPosition position;
    };
    std::vector<std::vector<Fix>> tracks_;
    std::vector<std::size_t> trackIndex_;  // each kept track's place among those given
    std::chrono::seconds maxGap_;
};

// The reason a match gives no position, in plain words: "outside the tracks
// by 2 h 03 min", "in a gap of 12 min 30 s in Track3 (10:02:11 to 10:14:41
// UTC)", "no track fixes".
std::string UnplacedReason(const TrackMatch& match, std::span<const Track> tracks, Millis utc);
// "45 s", "12 min 30 s", "2 h 03 min", "3 d 4 h".
std::string DurationText(std::chrono::seconds span);

}  // namespace vantrel
