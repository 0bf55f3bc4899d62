#pragma once
// What the simulated device holds: its settings, its track flash, its plan
// and its POI list.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "sim/Routes.h"

namespace vantrel::sim {

enum class Payload { Tracks, Plan, Poi };

const char* PayloadName(Payload payload);

struct DeviceSettings {
    // Route (m), backlight (s), suspend (min), home zone, local zone, unit.
    std::array<std::string, 7> guider{"0", "100", "30", "10", "+8", "+8", "0"};
    // Record time (s), distance and speed thresholds with their units, flash
    // capacity in records, records in use.
    std::array<std::string, 7> logger{"5", "1", "20", "0", "3", "835584", "0"};
};

struct DeviceMemory {
    DeviceSettings settings;
    std::vector<std::uint8_t> tracks;
    std::vector<std::uint8_t> plan;
    std::vector<std::uint8_t> poi;

    std::vector<std::uint8_t>& Image(Payload payload);
    const std::vector<std::uint8_t>& Image(Payload payload) const;
};

// Generated tracks (logged from GPS second `firstSecond` on), the demo plan
// and the demo POI list.
DeviceMemory DemoMemory(std::size_t tracks, std::size_t pointsPerTrack,
                        std::uint32_t firstSecond = kFirstTrackSecond);

// The whole file, which must hold at most the device's flash size. Throws
// std::runtime_error with a message naming the file and the reason.
std::vector<std::uint8_t> ReadImageFile(const std::filesystem::path& path);

// The application's atomic write (base/AtomicFile.h) for the simulator's
// callers, which report failures by exception: throws std::runtime_error
// naming the file and the reason.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace vantrel::sim
