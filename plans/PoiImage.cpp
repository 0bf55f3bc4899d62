#include "plans/PoiImage.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "app/NumberText.h"
#include "locale/TimeZone.h"
#include "plans/DeviceCoordinate.h"

namespace vantrel {

namespace {

constexpr std::size_t kLatitudeOffset = 8;
constexpr std::size_t kLongitudeOffset = 12;

using Fields = RecordTimeFields;

// The six numbers of a date-and-time cell, split at "/", "/", " ", ":", ":".
std::optional<std::array<std::int64_t, Fields::kCount>> SplitTimeText(std::string_view text) {
    static constexpr char kSeparators[] = {'/', '/', ' ', ':', ':'};
    std::array<std::int64_t, Fields::kCount> numbers{};
    for (std::size_t i = 0; i < Fields::kCount; ++i) {
        std::size_t end = i < std::size(kSeparators) ? text.find(kSeparators[i]) : text.size();
        if (end == std::string_view::npos) return std::nullopt;
        auto number = ParseInt(text.substr(0, end));
        if (!number) return std::nullopt;
        numbers[i] = *number;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return numbers;
}

bool InRange(std::int64_t value, std::int64_t low, std::int64_t high) {
    return value >= low && value <= high;
}

// The device time of a cell shown at `zone`, or nullopt when the text is no
// date and time the device can hold (a year whose byte would read as the end
// mark included).
std::optional<std::array<std::uint8_t, Fields::kCount>> DeviceTime(std::string_view text,
                                                                   ZoneOffset zone) {
    auto n = SplitTimeText(text);
    if (!n) return std::nullopt;
    const auto& v = *n;
    bool valid = InRange(v[0], 1900, 1900 + kLastYearByte) && InRange(v[1], 1, 12) &&
                 InRange(v[2], 1, MonthLength(static_cast<int>(v[0]), static_cast<int>(v[1]))) &&
                 InRange(v[3], 0, 23) && InRange(v[4], 0, 59) && InRange(v[5], 0, 59);
    if (!valid) return std::nullopt;
    std::array<std::uint8_t, Fields::kCount> time{};
    time[Fields::kYear] = static_cast<std::uint8_t>(v[0] - 1900);
    for (std::size_t i = 1; i < Fields::kCount; ++i)
        time[i] = static_cast<std::uint8_t>(v[i]);
    ShiftRecordTime(-zone, time.data());
    if (time[Fields::kYear] > kLastYearByte) return std::nullopt;
    return time;
}

std::string BadCell(int row, const std::string& what, const std::string& cell) {
    return "Row " + std::to_string(row) + ": '" + cell + "' is not a valid " + what + "!";
}

// Writes row `row` as a record, or returns the message that refuses it.
std::string WriteRecord(const PoiList& list, int row, std::uint8_t* record) {
    const TextGrid& grid = list.gridPoi;
    const char separator = list.Values().Numbers.Separator();
    const std::string& timeText = grid.Cell(kTextColumn, row);
    auto time = DeviceTime(timeText, list.Values().LocalZoneOffset);
    if (!time) return BadCell(row, "date and time", timeText);
    auto latitude = DegreesToDevice(grid.Cell(kLatitudeColumn, row), separator);
    if (!latitude) return BadCell(row, "latitude", grid.Cell(kLatitudeColumn, row));
    auto longitude = DegreesToDevice(grid.Cell(kLongitudeColumn, row), separator);
    if (!longitude) return BadCell(row, "longitude", grid.Cell(kLongitudeColumn, row));
    std::copy(time->begin(), time->end(), record);
    record[6] = 0xFF;
    record[7] = 0xFF;
    PutI32(record + kLatitudeOffset, *latitude);
    PutI32(record + kLongitudeOffset, *longitude);
    return {};
}

}  // namespace

std::string PoiTimeText(const std::uint8_t* record) {
    char text[64];
    std::snprintf(text, sizeof text, "%4d/%02d/%02d %02d:%02d:%02d", record[Fields::kYear] + 1900,
                  static_cast<std::int8_t>(record[Fields::kMonth]),
                  static_cast<std::int8_t>(record[Fields::kDay]),
                  static_cast<std::int8_t>(record[Fields::kHour]), record[Fields::kMinute],
                  record[Fields::kSecond]);
    return text;
}

PoiRecordCount CountPoiRecords(std::span<const std::uint8_t> image) {
    PoiRecordCount count;
    for (std::size_t at = 0; at < image.size() && image[at] <= kLastYearByte;
         at += kPoiRecordSize) {
        if (image.size() - at < kPoiRecordSize ||
            count.kept == static_cast<std::size_t>(kListEntries))
            ++count.leftOut;
        else
            ++count.kept;
    }
    return count;
}

std::string PoisLeftOutText(const PoiRecordCount& count) {
    return std::to_string(count.kept) + " of " + std::to_string(count.kept + count.leftOut) +
           " POIs were kept and " + std::to_string(count.leftOut) +
           " left out: the POI list holds at most " + std::to_string(kListEntries) +
           ", and a record cut short cannot be read.";
}

ImageResult BuildPoiImage(const PoiList& list, TransferArea& area) {
    int count = ClampEntryCount(list.PoiCount);
    std::vector<std::uint8_t> image(kPoiRecordSize * static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        std::string bad = WriteRecord(list, j + 1, image.data() + kPoiRecordSize * j);
        if (!bad.empty()) return ImageResult::Refused(bad);
    }
    if (std::string tooLong = CheckUploadSize(image.size()); !tooLong.empty())
        return ImageResult::Refused(tooLong);
    PlaceImage(area, image);
    return {image.size(), {}};
}

bool ReadPoiImage(PoiList& list, const TransferArea& area) {
    list.gridPoi.Clear();
    list.WriteGridHeadings();
    list.PoiCount = 0;
    list.EnableSaveAndStore(false);
    auto valid = ValidImage(area);
    if (!valid) return false;
    std::span<const std::uint8_t> image = *valid;
    const std::size_t count = CountPoiRecords(image).kept;
    const char separator = list.Values().Numbers.Separator();
    for (std::size_t j = 0; j < count; ++j) {
        // A copy of the record is shifted, so the area keeps the device's time.
        std::array<std::uint8_t, kPoiRecordSize> record;
        std::copy_n(image.begin() + kPoiRecordSize * j, kPoiRecordSize, record.begin());
        ShiftRecordTime(list.Values().LocalZoneOffset, record.data());
        int row = list.PoiCount + 1;
        list.gridPoi.SetCell(kTextColumn, row, PoiTimeText(record.data()));
        list.gridPoi.SetCell(kLatitudeColumn, row,
                             DeviceToDegrees(GetI32(record.data() + kLatitudeOffset), separator));
        list.gridPoi.SetCell(kLongitudeColumn, row,
                             DeviceToDegrees(GetI32(record.data() + kLongitudeOffset), separator));
        ++list.PoiCount;
    }
    if (list.PoiCount > 0) list.EnableSaveAndStore(true);
    return true;
}

}  // namespace vantrel
