#include "plans/ListCheck.h"

#include <algorithm>
#include <unordered_set>

#include "base/NumberText.h"
#include "locale/TimeZone.h"
#include "locale/UnicodeText.h"
#include "locale/Utf16.h"
#include "plans/DeviceCoordinate.h"
#include "plans/ListRows.h"
#include "plans/PlanImage.h"
#include "plans/PlanList.h"
#include "plans/PoiImage.h"

namespace vantrel {

namespace {

using Fields = RecordTimeFields;

std::optional<std::int32_t> DeviceDegrees(std::string_view cell, char separator,
                                          std::int32_t limit) {
    auto value = DegreesToDevice(cell, separator);
    if (!value || *value < -limit || *value > limit) return std::nullopt;
    return value;
}

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

std::string NotValid(const std::string& cell, const char* what) {
    return "'" + cell + "' is not a valid " + what;
}

std::optional<RowRefusal> CheckCount(std::size_t count) {
    if (count <= static_cast<std::size_t>(kListEntries)) return std::nullopt;
    return RowRefusal{count, std::to_string(count) + " points, more than the 255 a list holds",
                      true};
}

// The reason a row's coordinates are refused, or empty text.
std::string CoordinateFault(const ListRow& row, char separator) {
    if (!DeviceLatitude(row.latitude, separator)) return NotValid(row.latitude, "latitude");
    if (!DeviceLongitude(row.longitude, separator)) return NotValid(row.longitude, "longitude");
    return {};
}

// A title as the device gets it (NFC), counted in characters.
std::string TitleFault(const std::string& composed, const std::string& text) {
    if (composed.empty())
        return std::string(kEmptyTitleText.substr(0, kEmptyTitleText.size() - 1));
    if (composed.find('\0') != std::string::npos) return "the title '" + text + "' holds a NUL";
    const std::size_t length = CodePointCount(composed);
    if (length > kMaxTitleLength)
        return "the title '" + text + "' has " + std::to_string(length) +
               " characters, more than the 31 a plan title holds";
    for (std::size_t i = 0; i < composed.size();) {
        const char32_t c = DecodeUtf8(composed, i);
        if (c > 0xFFFF) return UnshownCharacterText(text, c, "which the device's character table cannot hold");
    }
    return {};
}

}  // namespace

std::string PlanTitleRefusal(const std::string& title) {
    return TitleFault(NfcText(title), title);
}

std::string UnshownCharacterText(const std::string& title, char32_t c, std::string_view why) {
    return "the title '" + title + "' holds " + CharacterName(c) + ", " + std::string(why);
}

std::string RowRefusal::Text(std::string_view rowWord) const {
    if (wholeList) return reason;
    return std::string(rowWord) + " " + std::to_string(index + 1) + ": " + reason;
}

std::optional<std::int32_t> DeviceLatitude(std::string_view cell, char separator) {
    return DeviceDegrees(cell, separator, 90 * 100000);
}

std::optional<std::int32_t> DeviceLongitude(std::string_view cell, char separator) {
    return DeviceDegrees(cell, separator, 180 * 100000);
}

std::optional<DeviceTimeBytes> PoiDeviceTime(std::string_view cell, ZoneOffset zone) {
    auto n = SplitTimeText(cell);
    if (!n) return std::nullopt;
    const auto& v = *n;
    bool valid = InRange(v[0], 1900, 1900 + kLastYearByte) && InRange(v[1], 1, 12) &&
                 InRange(v[2], 1, MonthLength(static_cast<int>(v[0]), static_cast<int>(v[1]))) &&
                 InRange(v[3], 0, 23) && InRange(v[4], 0, 59) && InRange(v[5], 0, 59);
    if (!valid) return std::nullopt;
    DeviceTimeBytes time{};
    time[Fields::kYear] = static_cast<std::uint8_t>(v[0] - 1900);
    for (std::size_t i = 1; i < Fields::kCount; ++i)
        time[i] = static_cast<std::uint8_t>(v[i]);
    ShiftRecordTime(-zone, time.data());
    if (time[Fields::kYear] > kLastYearByte) return std::nullopt;
    return time;
}

std::optional<RowRefusal> CheckPlanRows(std::span<const ListRow> rows, char separator) {
    if (auto tooMany = CheckCount(rows.size())) return tooMany;
    std::unordered_set<char16_t> characters;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string composed = NfcText(rows[i].text);
        const std::u16string title = Utf8ToUtf16(composed);
        std::string fault = TitleFault(composed, rows[i].text);
        if (fault.empty()) fault = CoordinateFault(rows[i], separator);
        if (!fault.empty()) return RowRefusal{i, std::move(fault)};
        characters.insert(title.begin(), title.end());
    }
    if (characters.size() > kMaxPlanCharacters)
        return RowRefusal{rows.size(),
                          "the plan's titles use " + std::to_string(characters.size()) +
                              " different characters, more than the 1023 a plan can hold",
                          true};
    return std::nullopt;
}

std::optional<RowRefusal> CheckPoiRows(std::span<const ListRow> rows, char separator,
                                       ZoneOffset zone) {
    if (auto tooMany = CheckCount(rows.size())) return tooMany;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::string fault = PoiDeviceTime(rows[i].text, zone)
                                ? CoordinateFault(rows[i], separator)
                                : NotValid(rows[i].text, "date and time");
        if (!fault.empty()) return RowRefusal{i, std::move(fault)};
    }
    return std::nullopt;
}

std::vector<ListRow> GridRows(const TextGrid& grid, int count) {
    std::vector<ListRow> rows;
    for (int row = 1; row <= count; ++row)
        rows.push_back({grid.Cell(kTextColumn, row), grid.Cell(kLatitudeColumn, row),
                        grid.Cell(kLongitudeColumn, row)});
    return rows;
}

int FillGridRows(TextGrid& grid, const std::vector<ListRow>& rows) {
    grid.Clear();
    int row = 0;
    for (const ListRow& r : rows) {
        ++row;
        grid.SetCell(kTextColumn, row, r.text);
        grid.SetCell(kLatitudeColumn, row, r.latitude);
        grid.SetCell(kLongitudeColumn, row, r.longitude);
    }
    return row;
}

}  // namespace vantrel
