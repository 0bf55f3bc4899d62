#pragma once
// The plan image: the device's plan payload and the content of .rte files.
//
//   header (20 bytes): format 1, n points, character table offset
//                      (20 + 72n), glyph table offset (+ 2m + 2), total length
//                      (+ 22(m + 1)), 0, checksum of bytes 0..17
//   n records of 72 bytes: 32 title slots (character numbers from 1, ended
//                      by 0), latitude and longitude x 100000
//   character table: m + 1 UTF-16 code units, entry 0 is 0, then every
//                      distinct code unit of the titles in order of first use
//   glyph table: m + 1 glyphs of 22 bytes, entry 0 blank
//
// All fields little-endian.

#include <cstdint>
#include <optional>
#include <span>

#include "base/TransferArea.h"
#include "map/MapPage.h"
#include "plans/GlyphRenderer.h"
#include "plans/ImageBytes.h"
#include "plans/PlanList.h"

namespace vantrel {

inline constexpr std::size_t kPlanHeaderSize = 20;
inline constexpr std::size_t kPlanRecordSize = 72;
inline constexpr std::size_t kTitleSlots = 32;
inline constexpr std::size_t kMaxTitleLength = kTitleSlots - 1;  // code units
inline constexpr std::size_t kMaxPlanCharacters = 1023;
inline constexpr std::size_t kGlyphSize = 22;

struct PlanImageHeader {
    std::uint16_t format = 1;
    std::uint16_t points = 0;
    std::uint32_t characterTable = 0;
    std::uint32_t glyphTable = 0;
    std::uint32_t length = 0;

    // Entries of the character table, entry 0 included.
    std::size_t TableEntries() const { return (glyphTable - characterTable) / 2; }
};

// The header of an image whose checksum is right and whose counts and
// offsets all lie inside it: records before the character table, the tables
// in order, the total length within the image, at most 255 points.
std::optional<PlanImageHeader> CheckPlanImage(std::span<const std::uint8_t> image);

// Whether an image holds all of the length its header gives. An image too
// short for a header does not; one whose header's checksum is wrong says
// nothing of its length and is left to CheckPlanImage to refuse.
bool PlanImageIsWhole(std::span<const std::uint8_t> image);

// Builds the image of rows 1..PlanCount into the transfer area (the first MiB
// filled with 0xFF first) and sets TransferLength. Refused, with nothing
// written: rows CheckPlanRows refuses (the message names the first), an image
// too long to upload, or no font for the glyphs.
ImageResult BuildPlanImage(const PlanList& list, GlyphRenderer& glyphs, TransferArea& area);

// Empties the list (its buttons disabled, headings rewritten) and fills it
// from the image in the area; enables save and upload when it holds points.
// Returns false for a bad image, which leaves the list empty.
bool DecodePlanImage(PlanList& list, const TransferArea& area);

// DecodePlanImage, then the page's markers made anew when the plan has points.
bool ReadPlanImage(PlanList& list, const TransferArea& area, MapPage& webPlan);

}  // namespace vantrel
