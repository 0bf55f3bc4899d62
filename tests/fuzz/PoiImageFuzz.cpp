// Arbitrary bytes as a downloaded or opened POI image: the reader must stay
// inside the image, leave the transfer area as it was, and fill at most the
// list's rows. A list read and built again at one offset gives every record
// with a calendar date and time its time bytes back.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "locale/TimeZone.h"
#include "plans/PoiImage.h"

namespace {

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
    if (!sound || !BuildPoiImage(list, rebuilt).Ok()) return 0;
    for (int j = 0; j < list.PoiCount; ++j) {
        const std::uint8_t* before = data + kPoiRecordSize * static_cast<std::size_t>(j);
        const std::uint8_t* after =
            rebuilt.bytes.data() + kPoiRecordSize * static_cast<std::size_t>(j);
        if (CalendarTime(before) && !std::equal(before, before + 6, after)) std::abort();
    }
    return 0;
}
