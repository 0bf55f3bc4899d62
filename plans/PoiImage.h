#pragma once
// The POI image: the device's POI payload and the content of .wpt files, a
// run of 16-byte records with no header:
//   year - 1900, month, day, hour, minute, second (one byte each, the
//   device's own time), 0xFF 0xFF, latitude and longitude x 100000.
// The run ends with the data or at its end mark, the first record of 16
// bytes 0xFF (erased device memory). A record whose year byte is above 200
// but is not all 0xFF is neither a POI nor the end: it is refused on its own
// and the records after it are read on.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/TransferArea.h"
#include "plans/ImageBytes.h"
#include "plans/PoiList.h"

namespace vantrel {

inline constexpr std::size_t kPoiRecordSize = 16;
inline constexpr std::uint8_t kLastYearByte = 200;

// A record's date and time as the list shows it: "%4d/%02d/%02d %02d:%02d:%02d",
// month, day and hour read as signed bytes.
std::string PoiTimeText(const std::uint8_t* record);

// The records of an image before its end mark: the complete POIs the list
// keeps (at most its 255 rows), those left out (POIs past the list's rows,
// and a last record cut short) and those refused (neither a POI nor the end
// mark, numbered from 1).
struct PoiRecordCount {
    std::size_t kept = 0;
    std::size_t leftOut = 0;
    std::vector<std::size_t> refused;
    bool ended = false;  // the end mark came

    std::size_t Records() const { return kept + leftOut + refused.size(); }
    // Something the image holds did not reach the list.
    bool Dropped() const { return leftOut > 0 || !refused.empty(); }
    // The image holds the device's whole list: its end mark, or the 255
    // POIs the device holds at most.
    bool Whole() const { return ended || Records() >= static_cast<std::size_t>(kListEntries); }
};
PoiRecordCount CountPoiRecords(std::span<const std::uint8_t> image);

// What the user is told when records were left out of the list or refused.
std::string PoisLeftOutText(const PoiRecordCount& count);

// Builds the image of rows 1..PoiCount into the transfer area (the first MiB
// filled with 0xFF first) and sets TransferLength. Times shown at the list's
// LocalZoneOffset are turned back into device time, so POIs read and built
// again at one offset keep the device's bytes. Refused, with nothing
// written: a date, time or coordinate cell that does not convert, or a date
// the calendar does not have (the message names the row).
ImageResult BuildPoiImage(const PoiList& list, TransferArea& area);

// Empties the list (buttons disabled, headings rewritten) and fills it from
// the image in the area with the records CountPoiRecords keeps, times shifted
// by the list's LocalZoneOffset; the area itself is left as it was. Enables
// save and upload when POIs were read. Returns false when TransferLength
// claims more than the area holds, which leaves the list empty.
bool ReadPoiImage(PoiList& list, const TransferArea& area);

}  // namespace vantrel
