// Arbitrary bytes as a downloaded or opened POI image: the reader must stay
// inside the image, leave the transfer area as it was, and fill at most the
// list's rows, one for each record that is a POI before the end mark. A list
// read and built again at one offset gives every record with a calendar
// date and time its time bytes back.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "locale/TimeZone.h"
#include "plans/PoiImage.h"

namespace {

// The offsets of the records a list keeps, read here apart from the reader:
// up to the first record of 16 bytes 0xFF, those whose year byte is at most
// 200, no more than the list's rows.
std::vector<std::size_t> KeptRecords(const std::uint8_t* data, std::size_t size) {
    std::vector<std::size_t> kept;
    for (std::size_t at = 0; at + vantrel::kPoiRecordSize <= size; at += vantrel::kPoiRecordSize) {
        const std::uint8_t* r = data + at;
        if (std::all_of(r, r + vantrel::kPoiRecordSize, [](std::uint8_t b) { return b == 0xFF; }))
            break;
        if (r[0] <= vantrel::kLastYearByte && kept.size() < std::size_t{vantrel::kListEntries})
            kept.push_back(at);
    }
    return kept;
}

bool CalendarTime(const std::uint8_t* record) {
    const int month = record[1];
    return month >= 1 && month <= 12 && record[2] >= 1 &&
           record[2] <= vantrel::MonthLength(1900 + record[0], month) && record[3] <= 23 &&
           record[4] <= 59 && record[5] <= 59;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    static TransferArea area;
    static TransferArea rebuilt;
    static AppValues values;
    static PoiList list(values);
    size = std::min(size, TransferArea::kSize);
    std::copy_n(data, size, area.bytes.begin());
    area.TransferLength = size;
    // The first byte picks the display offset (quarter hours from -12 to +12),
    // so every shift is exercised.
    values.LocalZoneOffset = ZoneOffset{size > 0 ? (data[0] % 97 - 48) * 15 : 0};
    bool sound = ReadPoiImage(list, area);
    if (!std::equal(data, data + size, area.bytes.begin())) std::abort();
    if (list.PoiCount < 0 || list.PoiCount > kListEntries) std::abort();
    if (!sound && list.PoiCount != 0) std::abort();
    if (!sound) return 0;
    const std::vector<std::size_t> kept = KeptRecords(data, size);
    if (kept.size() != static_cast<std::size_t>(list.PoiCount)) std::abort();
    const PoiRecordCount count = CountPoiRecords(area.Valid());
    if (count.kept != kept.size() || count.Records() * kPoiRecordSize > size + kPoiRecordSize)
        std::abort();
    if (!BuildPoiImage(list, rebuilt).Ok()) return 0;
    for (int j = 0; j < list.PoiCount; ++j) {
        const std::uint8_t* before = data + kept[static_cast<std::size_t>(j)];
        const std::uint8_t* after =
            rebuilt.bytes.data() + kPoiRecordSize * static_cast<std::size_t>(j);
        if (CalendarTime(before) && !std::equal(before, before + 6, after)) std::abort();
    }
    return 0;
}
