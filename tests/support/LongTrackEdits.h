#pragma once
// For the benchmarks of the track edits: a full memory logged as tracks of
// 20,000 points (five, and one of the rest) with a fix thrown 5.5 km off
// every 1000 points, and each edit as it is done to the first track.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "support/TrackMemoryBuilder.h"
#include "tracks/TrackStore.h"

namespace vantrel::testing {

inline constexpr int kLongTrackPoints = 20000;

inline TrackMemoryBuilder LongTrackMemory() {
    TrackMemoryBuilder builder;
    for (std::uint32_t i = 0; i < 512 * 204; ++i)
        builder.AddFix(900'000'000 + i, 45 + (i % 5000) * 1e-4 + (i % 1000 == 500 ? 0.05 : 0),
                       7 + (i % 300) * 1e-4, 200 + (i % 100), i % 400, i % kLongTrackPoints == 0);
    return builder;
}

using LongTrackEdit = std::function<TrackEditResult(TrackStore&)>;

inline const std::map<std::string, LongTrackEdit>& LongTrackEdits() {
    static const std::map<std::string, LongTrackEdit> edits = {
        {"Trim", [](TrackStore& t) { return t.Trim(0, {5000, 14999}); }},
        {"DeletePoints", [](TrackStore& t) { return t.DeletePoints(0, {5000, 9999}); }},
        {"Split", [](TrackStore& t) { return t.Split(0, kLongTrackPoints / 2); }},
        {"Merge",
         [](TrackStore& t) {
             const int both[] = {0, 1};
             return t.Merge(both);
         }},
        {"DropOutliers", [](TrackStore& t) { return t.DropOutliers(0); }},
    };
    return edits;
}

}  // namespace vantrel::testing
