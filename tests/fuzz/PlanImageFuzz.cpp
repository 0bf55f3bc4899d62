// Arbitrary bytes as a downloaded or opened plan image: the reader must stay
// inside the image and leave a list that agrees with its count.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/RecordChecksum.h"
#include "plans/PlanImage.h"

namespace {

// Offsets for the header's point count and as many characters as fit.
void LayOutHeader(std::uint8_t* image, std::size_t size) {
    using namespace vantrel;
    std::size_t points = GetU16(image + 2) % 8;
    std::size_t table = kPlanHeaderSize + kPlanRecordSize * points;
    if (size < table + 2 + kGlyphSize) return;
    std::size_t characters = (size - table - 2 - kGlyphSize) / (2 + kGlyphSize);
    PutU16(image + 2, static_cast<std::uint16_t>(points));
    PutU32(image + 4, static_cast<std::uint32_t>(table));
    PutU32(image + 8, static_cast<std::uint32_t>(table + 2 * characters + 2));
    PutU32(image + 12, static_cast<std::uint32_t>(table + (2 + kGlyphSize) * (characters + 1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    static TransferArea area;
    static AppValues values;
    static PlanList list(values);
    static AbsentMapPage page;
    size = std::min(size, TransferArea::kSize);
    std::copy_n(data, size, area.bytes.begin());
    area.TransferLength = size;
    // The last byte's low bits ask for a header laid out to fit the input and
    // for a right checksum, so the title checks behind them are reached often.
    std::uint8_t mode = size > 0 ? data[size - 1] : 0;
    if (size >= kPlanHeaderSize && (mode & 2) != 0) LayOutHeader(area.bytes.data(), size);
    if (size >= kPlanHeaderSize && (mode & 1) != 0)
        PutU16(area.bytes.data() + 18, RecordChecksum(area.bytes.data(), 18));
    bool sound = ReadPlanImage(list, area, page);
    if (list.PlanCount < 0 || list.PlanCount > kListEntries) std::abort();
    if (!sound && (list.PlanCount != 0 || list.CanSave())) std::abort();
    if (list.PlanCount > 0 && list.gridPlan.IsEmpty(kLatitudeColumn, list.PlanCount)) std::abort();
    return 0;
}
