#include "tracks/CalcSelfTest.h"

#include "base/NumberText.h"
#include "tracks/RecordDecode.h"

namespace vantrel {

void CalcSelfTest(const TransferArea& area, const AppValues& values, const LeapSecondTable& leaps,
                  TextGrid& pointGrid) {
    constexpr int kRecords = 16;
    WriteHeadings(pointGrid, HeadedGrid::Track, values.ColumnTitles);
    const char sep = values.Numbers.Separator();
    for (int i = 0; i < kRecords; ++i) {
        const std::size_t offset = static_cast<std::size_t>(i) * TrackRecord::kSize;
        if (offset + TrackRecord::kSize > area.bytes.size()) break;
        const std::uint8_t* at = area.bytes.data() + offset;
        const TrackRecord record = TrackRecord::Read(at);
        if (record.checksum == 0 || !TrackRecord::ChecksumMatches(at)) continue;
        const DecodedFix decoded = DecodeRecord(record, ZoneOffset{}, leaps);
        pointGrid.SetCell(0, i + 1, CalendarText(decoded.time));
        pointGrid.SetCell(1, i + 1, FormatGeneral(decoded.fix.latitude * RadToDeg, sep));
        pointGrid.SetCell(2, i + 1, FormatGeneral(decoded.fix.longitude * RadToDeg, sep));
        pointGrid.SetCell(3, i + 1, FormatGeneral(decoded.fix.height, sep));
    }
}

}  // namespace vantrel
