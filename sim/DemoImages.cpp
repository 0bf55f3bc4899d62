#include "sim/DemoImages.h"

#include <algorithm>
#include <stdexcept>

#include "sim/MemoryLayout.h"

namespace vantrel::sim {

namespace {

// Entry 0 is the terminator; the others are the titles' distinct code
// units in order of first appearance.
std::vector<char16_t> CharacterTable(std::span<const PlanPoint> points) {
    std::vector<char16_t> table{0};
    for (const PlanPoint& p : points) {
        if (p.title.size() >= plan::kTitleSlots)
            throw std::invalid_argument("a plan title holds at most 31 characters");
        for (char16_t c : p.title)
            if (std::find(table.begin() + 1, table.end(), c) == table.end()) table.push_back(c);
    }
    if (table.size() - 1 > plan::kMaxCharacters)
        throw std::invalid_argument("a plan holds at most 1023 distinct characters");
    return table;
}

std::uint32_t TableIndex(const std::vector<char16_t>& table, char16_t c) {
    return static_cast<std::uint32_t>(std::find(table.begin() + 1, table.end(), c) - table.begin());
}

void PutDegrees(std::uint8_t* at, double degrees) {
    PutLe(at, static_cast<std::uint32_t>(DeviceDegrees(degrees)), 4);
}

// The glyph the simulated device shows for every character it holds: an
// open box, as a display shows a character it has no drawing for.
void PutBoxGlyph(std::uint8_t* glyph) {
    for (std::size_t column = 0; column < plan::kGlyphColumns; ++column) {
        const bool side = column == 0 || column == plan::kGlyphColumns - 1;
        glyph[column] = side ? 0xFF : 0x01;                         // upper eight dots
        glyph[plan::kGlyphColumns + column] = side ? 0x07 : 0x04;  // lower three dots
    }
}

}  // namespace

std::int32_t DeviceDegrees(double degrees) {
    return static_cast<std::int32_t>(static_cast<long double>(degrees) * 100000.0L);
}

std::vector<std::uint8_t> PoiImage(std::span<const PoiEntry> entries) {
    std::vector<std::uint8_t> image(entries.size() * kPoiSize, 0xFF);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PoiEntry& e = entries[i];
        const std::size_t at = i * kPoiSize;
        const int fields[] = {e.year - 1900, e.month, e.day, e.hour, e.minute, e.second};
        for (int f = 0; f < 6; ++f)
            image[at + f] = static_cast<std::uint8_t>(fields[f]);
        PutDegrees(&image[at + kPoiLatitudeAt], e.latitudeDeg);
        PutDegrees(&image[at + kPoiLongitudeAt], e.longitudeDeg);
    }
    return image;
}

std::vector<std::uint8_t> PlanImageWithBlankGlyphs(std::span<const PlanPoint> points) {
    const std::vector<char16_t> table = CharacterTable(points);
    const std::size_t tableAt = plan::kHeaderSize + plan::kPointSize * points.size();
    const std::size_t glyphsAt = tableAt + 2 * table.size();
    const std::size_t length = glyphsAt + plan::kGlyphSize * table.size();
    std::vector<std::uint8_t> image(length, 0);
    PutLe(&image[0], 1, 2);
    PutLe(&image[2], static_cast<std::uint32_t>(points.size()), 2);
    PutLe(&image[4], static_cast<std::uint32_t>(tableAt), 4);
    PutLe(&image[8], static_cast<std::uint32_t>(glyphsAt), 4);
    PutLe(&image[12], static_cast<std::uint32_t>(length), 4);
    PutLe(&image[18], NegatedSum(image.data(), 18), 2);
    for (std::size_t j = 0; j < points.size(); ++j) {
        const std::size_t at = plan::kHeaderSize + plan::kPointSize * j;
        for (std::size_t c = 0; c < points[j].title.size(); ++c)
            PutLe(&image[at + 2 * c], TableIndex(table, points[j].title[c]), 2);
        PutDegrees(&image[at + plan::kLatitudeAt], points[j].latitudeDeg);
        PutDegrees(&image[at + plan::kLongitudeAt], points[j].longitudeDeg);
    }
    for (std::size_t k = 0; k < table.size(); ++k)
        PutLe(&image[tableAt + 2 * k], table[k], 2);
    return image;  // the glyph table stays all zero
}

std::vector<std::uint8_t> DemoPlanImage() {
    const PlanPoint points[] = {
        {u"Start Bahnhof", 47.37812, 8.54021},   {u"Café Zähringer", 47.37356, 8.54432},
        {u"Мост Quaibrücke", 47.36694, 8.54322}, {u"Λίμνη lake view", 47.36210, 8.54890},
        {u"茶屋 tea house", 47.35820, 8.55410},  {u"終点 End", 47.35310, 8.55803},
    };
    std::vector<std::uint8_t> image = PlanImageWithBlankGlyphs(points);
    // Every character but the unused entry 0 gets a glyph.
    const std::size_t glyphsAt = image.size() - plan::kGlyphSize * CharacterTable(points).size();
    for (std::size_t at = glyphsAt + plan::kGlyphSize; at < image.size(); at += plan::kGlyphSize)
        PutBoxGlyph(&image[at]);
    return image;
}

std::vector<std::uint8_t> DemoPoiImage() {
    const PoiEntry entries[] = {
        {2010, 5, 3, 14, 5, 9, 47.37690, 8.54170},
        {2010, 7, 21, 8, 30, 0, 46.55810, 7.83510},
        {2010, 12, 31, 23, 59, 59, -33.85680, 151.21530},
        {2011, 2, 28, 6, 0, 12, 35.65860, 139.74540},
        {2011, 9, 14, 1, 46, 40, 45.00000, 135.00000},
        {2011, 10, 2, 17, 12, 45, 51.50070, -0.12460},
    };
    return PoiImage(entries);
}

std::vector<std::uint8_t> GeneratedPoiImage(std::size_t count) {
    std::vector<PoiEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const int day = static_cast<int>(i % 336);
        entries.push_back({.year = 2011 + static_cast<int>(i / 336),
                           .month = 1 + day / 28,
                           .day = 1 + day % 28,
                           .hour = static_cast<int>(i % 24),
                           .minute = static_cast<int>(i * 7 % 60),
                           .second = static_cast<int>(i * 13 % 60),
                           .latitudeDeg = 45.0 + 0.001 * static_cast<double>(i),
                           .longitudeDeg = 7.0 + 0.002 * static_cast<double>(i)});
    }
    return PoiImage(entries);
}

}  // namespace vantrel::sim
