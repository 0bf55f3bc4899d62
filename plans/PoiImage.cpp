#include "plans/PoiImage.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "base/NumberText.h"
#include "locale/TimeZone.h"
#include "plans/DeviceCoordinate.h"
#include "plans/ListCheck.h"

namespace vantrel {

namespace {

constexpr std::size_t kLatitudeOffset = 8;
constexpr std::size_t kLongitudeOffset = 12;

using Fields = RecordTimeFields;

// Writes a row that passed CheckPoiRows as a record.
void WriteRecord(const ListRow& row, const PoiList& list, std::uint8_t* record) {
    const char separator = list.Values().Numbers.Separator();
    const DeviceTimeBytes time = *PoiDeviceTime(row.text, list.Values().LocalZoneOffset);
    std::copy(time.begin(), time.end(), record);
    record[6] = 0xFF;
    record[7] = 0xFF;
    PutI32(record + kLatitudeOffset, *DeviceLatitude(row.latitude, separator));
    PutI32(record + kLongitudeOffset, *DeviceLongitude(row.longitude, separator));
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

namespace {

bool AllErased(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; });
}

// Walks the records as the list reads them, calling `keep` with the offset
// of each record the list keeps.
template <class Keep>
PoiRecordCount WalkPoiRecords(std::span<const std::uint8_t> image, Keep keep) {
    PoiRecordCount count;
    for (std::size_t at = 0; at < image.size(); at += kPoiRecordSize) {
        const auto record = image.subspan(at, std::min(kPoiRecordSize, image.size() - at));
        if (AllErased(record)) {
            count.ended = true;
            break;
        }
        if (record.size() < kPoiRecordSize ||
            (record[0] <= kLastYearByte && count.kept == static_cast<std::size_t>(kListEntries))) {
            ++count.leftOut;
        } else if (record[0] > kLastYearByte) {
            count.refused.push_back(at / kPoiRecordSize + 1);
        } else {
            keep(at);
            ++count.kept;
        }
    }
    return count;
}

// "record 7 is", "records 7, 9 and 12 are" (the first few of them named).
std::string RefusedRecordsText(const std::vector<std::size_t>& refused) {
    constexpr std::size_t kNamed = 5;
    std::string text = refused.size() == 1 ? "record " : "records ";
    const std::size_t named = std::min(refused.size(), kNamed);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) text += i + 1 == refused.size() ? " and " : ", ";
        text += std::to_string(refused[i]);
    }
    if (refused.size() > named) text += " and " + std::to_string(refused.size() - named) + " more";
    return text + (refused.size() == 1 ? " is neither a POI nor the list's end and was refused"
                                       : " are neither POIs nor the list's end and were refused");
}

}  // namespace

PoiRecordCount CountPoiRecords(std::span<const std::uint8_t> image) {
    return WalkPoiRecords(image, [](std::size_t) {});
}

std::string PoisLeftOutText(const PoiRecordCount& count) {
    std::string text = std::to_string(count.kept) + " of " + std::to_string(count.Records()) +
                       " POIs were kept";
    if (count.leftOut > 0)
        text += " and " + std::to_string(count.leftOut) +
                " left out: the POI list holds at most " + std::to_string(kListEntries) +
                ", and a record cut short cannot be read";
    if (!count.refused.empty())
        text += (count.leftOut > 0 ? "; " : ": ") + RefusedRecordsText(count.refused);
    return text + ".";
}

ImageResult BuildPoiImage(const PoiList& list, TransferArea& area) {
    const std::vector<ListRow> rows = GridRows(list.gridPoi, ClampEntryCount(list.PoiCount));
    if (auto refused = CheckPoiRows(rows, list.Values().Numbers.Separator(),
                                    list.Values().LocalZoneOffset))
        return ImageResult::Refused(refused->Text("Row") + "!");
    std::vector<std::uint8_t> image(kPoiRecordSize * rows.size());
    for (std::size_t j = 0; j < rows.size(); ++j)
        WriteRecord(rows[j], list, image.data() + kPoiRecordSize * j);
    if (std::string tooLong = CheckUploadSize(image.size()); !tooLong.empty())
        return ImageResult::Refused(tooLong);
    PlaceImage(area, image);
    return {image.size(), {}};
}

bool ReadPoiImage(PoiList& list, const TransferArea& area) {
    list.gridPoi.Clear();
    list.WriteGridHeadings();
    list.PoiCount = 0;
    list.SetSavable(false);
    list.SetModified(false);
    auto valid = ValidImage(area);
    if (!valid) return false;
    std::span<const std::uint8_t> image = *valid;
    const char separator = list.Values().Numbers.Separator();
    WalkPoiRecords(image, [&](std::size_t at) {
        // A copy of the record is shifted, so the area keeps the device's time.
        std::array<std::uint8_t, kPoiRecordSize> record;
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), kPoiRecordSize,
                    record.begin());
        ShiftRecordTime(list.Values().LocalZoneOffset, record.data());
        int row = list.PoiCount + 1;
        list.gridPoi.SetCell(kTextColumn, row, PoiTimeText(record.data()));
        list.gridPoi.SetCell(kLatitudeColumn, row,
                             DeviceToDegrees(GetI32(record.data() + kLatitudeOffset), separator));
        list.gridPoi.SetCell(kLongitudeColumn, row,
                             DeviceToDegrees(GetI32(record.data() + kLongitudeOffset), separator));
        ++list.PoiCount;
    });
    if (list.PoiCount > 0) list.SetSavable(true);
    return true;
}

}  // namespace vantrel
