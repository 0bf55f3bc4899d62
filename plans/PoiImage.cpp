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
    if (list.PoiCount > 0) list.SetSavable(true);
    return true;
}

}  // namespace vantrel
