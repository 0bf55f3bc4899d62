#include "plans/PlanImage.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/RecordChecksum.h"
#include "locale/UnicodeText.h"
#include "locale/Utf16.h"
#include "plans/DeviceCoordinate.h"
#include "plans/ListCheck.h"

namespace vantrel {

namespace {

struct PlanPoint {
    std::u16string title;
    std::int32_t latitude = 0;
    std::int32_t longitude = 0;
};

// Reads rows 1..count, refused as a whole with the first row that does not
// fit named ("Row 3: ... !").
std::string CollectPoints(const PlanList& list, std::vector<PlanPoint>& points) {
    const char separator = list.Values().Numbers.Separator();
    const std::vector<ListRow> rows = GridRows(list.gridPlan, ClampEntryCount(list.PlanCount));
    if (auto refused = CheckPlanRows(rows, separator)) return refused->Text("Row") + "!";
    for (const ListRow& row : rows)
        points.push_back({Utf8ToUtf16(NfcText(row.text)), *DeviceLatitude(row.latitude, separator),
                          *DeviceLongitude(row.longitude, separator)});
    return {};
}

// The first title character no glyph shows at the device's size, named
// with its row ("Row 3: the title 'x' holds U+1F3D4 ..., which has no
// glyph at the device's size!"): sent, it would be a blank cell.
std::string UndrawableCharacter(const PlanList& list, const std::vector<PlanPoint>& points,
                                GlyphRenderer& glyphs) {
    for (std::size_t j = 0; j < points.size(); ++j)
        for (char16_t unit : points[j].title)
            if (!glyphs.CanDraw(unit))
                return "Row " + std::to_string(j + 1) + ": " +
                       UnshownCharacterText(list.gridPlan.Cell(kTextColumn, static_cast<int>(j) + 1),
                                            unit, "which has no glyph at the device's size") +
                       "!";
    return {};
}

struct CharacterTable {
    std::vector<char16_t> entries{0};
    std::unordered_map<char16_t, std::uint16_t> numbers;

    explicit CharacterTable(const std::vector<PlanPoint>& points) {
        for (const auto& point : points)
            for (char16_t unit : point.title)
                if (numbers.emplace(unit, static_cast<std::uint16_t>(entries.size())).second)
                    entries.push_back(unit);
    }
    std::size_t Distinct() const { return entries.size() - 1; }
};

PlanImageHeader LayOut(std::size_t points, std::size_t distinct) {
    PlanImageHeader header;
    header.points = static_cast<std::uint16_t>(points);
    header.characterTable = static_cast<std::uint32_t>(kPlanHeaderSize + kPlanRecordSize * points);
    header.glyphTable = static_cast<std::uint32_t>(header.characterTable + 2 * distinct + 2);
    header.length = static_cast<std::uint32_t>(header.glyphTable + kGlyphSize * (distinct + 1));
    return header;
}

void WriteHeader(std::uint8_t* at, const PlanImageHeader& header) {
    PutU16(at, header.format);
    PutU16(at + 2, header.points);
    PutU32(at + 4, header.characterTable);
    PutU32(at + 8, header.glyphTable);
    PutU32(at + 12, header.length);
    PutU16(at + 16, 0);
    PutU16(at + 18, RecordChecksum(at, 18));
}

void WriteRecord(std::uint8_t* at, const PlanPoint& point, const CharacterTable& table) {
    std::size_t slot = 0;
    for (char16_t unit : point.title)
        PutU16(at + 2 * slot++, table.numbers.at(unit));
    PutI32(at + 2 * kTitleSlots, point.latitude);
    PutI32(at + 2 * kTitleSlots + 4, point.longitude);
}

std::vector<std::uint8_t> WriteImage(const std::vector<PlanPoint>& points,
                                     const CharacterTable& table, const PlanImageHeader& header,
                                     GlyphRenderer& glyphs) {
    std::vector<std::uint8_t> image(header.length, 0);
    WriteHeader(image.data(), header);
    for (std::size_t j = 0; j < points.size(); ++j)
        WriteRecord(image.data() + kPlanHeaderSize + kPlanRecordSize * j, points[j], table);
    for (std::size_t k = 0; k < table.entries.size(); ++k) {
        PutU16(image.data() + header.characterTable + 2 * k, table.entries[k]);
        const Glyph& glyph = glyphs.RenderGlyph(table.entries[k]);
        std::copy(glyph.begin(), glyph.end(), image.begin() + header.glyphTable + kGlyphSize * k);
    }
    return image;
}

}  // namespace

std::optional<PlanImageHeader> CheckPlanImage(std::span<const std::uint8_t> image) {
    if (image.size() < kPlanHeaderSize) return std::nullopt;
    if (RecordChecksum(image.data(), 18) != GetU16(image.data() + 18)) return std::nullopt;
    PlanImageHeader header;
    header.format = GetU16(image.data());
    header.points = GetU16(image.data() + 2);
    header.characterTable = GetU32(image.data() + 4);
    header.glyphTable = GetU32(image.data() + 8);
    header.length = GetU32(image.data() + 12);
    std::size_t recordsEnd = kPlanHeaderSize + kPlanRecordSize * header.points;
    bool sound = header.points <= kListEntries && recordsEnd <= header.characterTable &&
                 header.characterTable < header.glyphTable &&
                 (header.glyphTable - header.characterTable) % 2 == 0 &&
                 header.glyphTable <= header.length && header.length <= image.size();
    if (!sound) return std::nullopt;
    return header;
}

bool PlanImageIsWhole(std::span<const std::uint8_t> image) {
    if (image.size() < kPlanHeaderSize) return false;
    if (RecordChecksum(image.data(), 18) != GetU16(image.data() + 18)) return true;
    return GetU32(image.data() + 12) <= image.size();
}

namespace {

// The titles of an image whose header passed the checks, or nullopt when a
// title names a character the table does not hold.
std::optional<std::vector<std::string>> ReadTitles(std::span<const std::uint8_t> image,
                                                   const PlanImageHeader& header) {
    std::vector<std::string> titles;
    const std::uint8_t* table = image.data() + header.characterTable;
    for (std::size_t j = 0; j < header.points; ++j) {
        const std::uint8_t* record = image.data() + kPlanHeaderSize + kPlanRecordSize * j;
        std::u16string title;
        for (std::size_t slot = 0; slot < kTitleSlots; ++slot) {
            std::uint16_t number = GetU16(record + 2 * slot);
            if (number == 0) break;
            if (number >= header.TableEntries()) return std::nullopt;
            char16_t unit = GetU16(table + 2 * number);
            if (unit == 0) return std::nullopt;
            title += unit;
        }
        titles.push_back(Utf16ToUtf8(title));
    }
    return titles;
}

}  // namespace

ImageResult BuildPlanImage(const PlanList& list, GlyphRenderer& glyphs, TransferArea& area) {
    std::vector<PlanPoint> points;
    if (std::string bad = CollectPoints(list, points); !bad.empty())
        return ImageResult::Refused(bad);
    CharacterTable table(points);
    PlanImageHeader header = LayOut(points.size(), table.Distinct());
    if (std::string tooLong = CheckUploadSize(header.length); !tooLong.empty())
        return ImageResult::Refused(tooLong);
    if (!glyphs.IsReady())
        return ImageResult::Refused("No font was found to draw the plan's titles!");
    if (std::string blank = UndrawableCharacter(list, points, glyphs); !blank.empty())
        return ImageResult::Refused(blank);
    PlaceImage(area, WriteImage(points, table, header, glyphs));
    return {header.length, {}};
}

bool DecodePlanImage(PlanList& list, const TransferArea& area) {
    list.gridPlan.Clear();
    list.SetSavable(false);
    list.SetModified(false);
    list.WriteGridHeadings();
    list.PlanCount = 0;
    auto valid = ValidImage(area);
    auto header = valid ? CheckPlanImage(*valid) : std::nullopt;
    if (!header) return false;
    std::span<const std::uint8_t> image = *valid;
    auto titles = ReadTitles(image, *header);
    if (!titles) return false;
    const char separator = list.Values().Numbers.Separator();
    for (std::size_t j = 0; j < titles->size(); ++j) {
        const std::uint8_t* record = image.data() + kPlanHeaderSize + kPlanRecordSize * j;
        int row = list.PlanCount + 1;
        list.gridPlan.SetCell(kTextColumn, row, (*titles)[j]);
        list.gridPlan.SetCell(kLatitudeColumn, row,
                              DeviceToDegrees(GetI32(record + 2 * kTitleSlots), separator));
        list.gridPlan.SetCell(kLongitudeColumn, row,
                              DeviceToDegrees(GetI32(record + 2 * kTitleSlots + 4), separator));
        ++list.PlanCount;
    }
    if (list.PlanCount > 0) list.SetSavable(true);
    return true;
}

bool ReadPlanImage(PlanList& list, const TransferArea& area, MapPage& webPlan) {
    bool sound = DecodePlanImage(list, area);
    if (list.PlanCount > 0) {
        webPlan.CallPageFunction("clearMarkers");
        list.DrawMarkers(webPlan);
    }
    return sound;
}

}  // namespace vantrel
