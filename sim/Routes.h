#pragma once
// Tracks along made-up but plausible routes: walks, rides and drives from a
// handful of places, one fix every few seconds, with smoothly changing
// heading, speed and height.

#include <cstddef>
#include <vector>

#include "sim/TrackMemory.h"

namespace vantrel::sim {

// The first GPS second of the generated tracks (late January 2011). The
// logger keeps 30 bits of seconds, which reach into January 2014.
inline constexpr std::uint32_t kFirstTrackSecond = 980'000'000;
inline constexpr std::uint32_t kFixIntervalSeconds = 5;
inline constexpr std::uint32_t kGapBetweenTracksSeconds = 7200;

// `tracks` tracks of `pointsPerTrack` fixes each, in time order; the first
// fix of every track is marked as a track start. Throws std::invalid_argument
// when the count does not fit the logger's flash.
std::vector<TrackPoint> GenerateTrackPoints(std::size_t tracks, std::size_t pointsPerTrack,
                                            std::uint32_t firstSecond = kFirstTrackSecond);

// The logger's flash size; images larger than this are refused.
inline constexpr std::size_t kFlashBytes = 16u << 20;
inline constexpr std::size_t kMaxTrackPoints =
    kFlashBytes / kTrackPageSize * kFixesPerPage - 1;
// Keeps the generated time stamps within the logger's 30 bits.
inline constexpr std::size_t kMaxTracks = 4096;

}  // namespace vantrel::sim
