// Arbitrary bytes as a downloaded or opened POI image: the reader must stay
// inside the image, leave the transfer area as it was, and fill at most the
// list's rows.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "plans/PoiImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    static TransferArea area;
    static AppValues values;
    static PoiList list(values);
    size = std::min(size, TransferArea::kSize);
    std::copy_n(data, size, area.bytes.begin());
    area.TransferLength = size;
    // The first byte picks the display offset, so every shift is exercised.
    values.LocalZoneHours = size > 0 ? data[0] % 25 - 12 : 0;
    bool sound = ReadPoiImage(list, area);
    if (!std::equal(data, data + size, area.bytes.begin())) std::abort();
    if (list.PoiCount < 0 || list.PoiCount > kListEntries) std::abort();
    if (!sound && list.PoiCount != 0) std::abort();
    return 0;
}
