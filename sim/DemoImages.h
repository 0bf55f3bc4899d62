#pragma once
// The plan and POI images the simulated device holds until something else is
// loaded or uploaded.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantrel::sim {

// Degrees as the device stores them: degrees x 100000, truncated toward zero.
std::int32_t DeviceDegrees(double degrees);

struct PoiEntry {
    int year = 2010;  // calendar year, stored as year - 1900
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    double latitudeDeg = 0;
    double longitudeDeg = 0;
};

// 16-byte records: time, 0xFF 0xFF filler, latitude, longitude.
std::vector<std::uint8_t> PoiImage(std::span<const PoiEntry> entries);

struct PlanPoint {
    std::u16string title;  // at most 31 UTF-16 code units
    double latitudeDeg = 0;
    double longitudeDeg = 0;
};

// A plan image (header with checksum, point records, character table, glyph
// table) whose glyphs are all blank: the device shows blank titles, but
// every other byte is what a full plan builder writes. Throws
// std::invalid_argument for a title over 31 code units or more than 1023
// distinct characters.
std::vector<std::uint8_t> PlanImageWithBlankGlyphs(std::span<const PlanPoint> points);

// A short walk whose titles mix Latin, Cyrillic, Greek and CJK characters.
std::vector<std::uint8_t> DemoPlanImage();

// A handful of points of interest logged in 2010 and 2011.
std::vector<std::uint8_t> DemoPoiImage();

// `count` points of interest along a line, one a day from 2011 on, as many
// as the device's memory is asked to hold (more than the PC's list, too).
std::vector<std::uint8_t> GeneratedPoiImage(std::size_t count);

}  // namespace vantrel::sim
