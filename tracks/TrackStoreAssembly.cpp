// TrackStore, continued: AssembleTracks, the device's track memory, record by
// record, into ScratchGrid (one row per valid record, in the order logged),
// TrackTable and the track list.

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/NumberText.h"
#include "tracks/RecordDecode.h"
#include "tracks/TrackStore.h"

namespace vantrel {

namespace {

class Assembler {
  public:
    Assembler(TrackStore& store, AssemblyReport& report) : store_(store), report_(report) {}

    void Run() {
        const TransferArea& area = store_.Transfer();
        const std::size_t length = std::min(area.TransferLength, area.bytes.size());
        TrackMemoryReader reader({area.bytes.data(), length});
        while (auto slot = reader.Next()) {
            if (!slot->checksumOk) {
                // Skipped: the points around it stay one track, in rows
                // that follow one another.
                store_.SetCanSave(true);
                ++report_.skippedRecords;
                continue;
            }
            Take(slot->record);
        }
        Finish();
    }

  private:
    // Decodes one valid record into the next row.
    void Take(const TrackRecord& record) {
        const int row = report_.points;
        if (!Fits(record, row)) {
            ++report_.leftOutPoints;
            return;
        }
        const std::uint32_t t = record.Seconds();
        if (trackStart_ == 0) trackStart_ = t;
        if (record.StartsTrack()) {
            trackStart_ = t;
            CreateEntry(row);
        }
        if (report_.tracks == 0) CreateEntry(row);  // data that does not begin with a start
        TrackEntry& entry = store_.TrackTable[static_cast<std::size_t>(report_.tracks - 1)];
        entry.pointCount += 1;
        entry.durationSeconds = t - trackStart_;
        WriteRow(row, DecodeRecord(record, store_.Values().LocalZoneOffset, store_.LeapSeconds),
                 record.SpeedRaw());
        ++report_.points;
    }

    // False when the record belongs to a track that does not fit (a 65th
    // track, or one starting past the last addressable row) or lies past
    // that row itself.
    bool Fits(const TrackRecord& record, int row) {
        const bool newEntry = record.StartsTrack() || (report_.tracks == 0 && !dropping_);
        if (newEntry) {
            dropping_ = row >= TrackStore::kMaxScratchRows ||
                        report_.tracks >= static_cast<int>(kTrackEntryCount);
            if (dropping_) ++report_.leftOutTracks;
        }
        return !dropping_ && row < TrackStore::kMaxScratchRows;
    }

    void CreateEntry(int row) {
        const int k = report_.tracks;
        const std::string name = "Track" + std::to_string(k);
        TrackEntry& entry = store_.TrackTable[static_cast<std::size_t>(k)];
        entry = TrackEntry{};
        entry.selected = 1;
        SetEntryName(entry, name);
        entry.color = 255;
        entry.firstRow = static_cast<std::uint16_t>(row);
        store_.EnsureListRow(k + 1);
        store_.gridTrackName.SetCell(0, k + 1, name);
        store_.gridTrackName.SetCell(1, k + 1, "255");
        store_.gridTrackName.SetCell(2, k + 1, "1");
        ++report_.tracks;
    }

    void WriteRow(int row, const DecodedFix& decoded, unsigned speedRaw) {
        const char sep = store_.Separator();
        TextGrid& grid = store_.ScratchGrid;
        store_.EnsureScratchRow(row);
        // Each text is made in one kept string and copied into its cell.
        auto put = [&](int col, auto append) {
            text_.clear();
            append(text_);
            grid.AssignCell(col, row, text_);
        };
        put(0, [&](std::string& t) { AppendCalendarText(t, decoded.time); });
        put(1, [&](std::string& t) { AppendFixed(t, decoded.fix.latitude * RadToDeg, 6, sep); });
        put(2, [&](std::string& t) { AppendFixed(t, decoded.fix.longitude * RadToDeg, 6, sep); });
        put(3, [&](std::string& t) { AppendFixed(t, decoded.fix.height, 1, sep); });
        put(4, [&](std::string& t) { AppendGeneral(t, speedRaw * SpeedUnitMs * MsToKmh, sep); });
    }

    void Finish() {
        // Each track's distance starts at its own first point and runs
        // through the positions as the list shows them.
        store_.MeasureTracks();
        if (report_.points >= 1) {
            store_.ShowTrack(0);
            store_.SetCanSave(true);
        }
        if (report_.leftOutTracks > 0 || report_.leftOutPoints > 0) {
            char text[160];
            std::snprintf(text, sizeof text, "%.*s: %d tracks and %d points were left out!",
                          int(kNotAllTracksFit.size()), kNotAllTracksFit.data(),
                          report_.leftOutTracks, report_.leftOutPoints);
            store_.Messages().ShowMessage(text, "Error");
        }
    }

    TrackStore& store_;
    AssemblyReport& report_;
    std::uint32_t trackStart_ = 0;
    std::string text_;  // the cell text being made
    bool dropping_ = false;  // the current track did not fit: its points are left out
};

}  // namespace

AssemblyReport TrackStore::AssembleTracks() {
    AssemblyReport report;
    if (transfer_.TransferLength < TrackRecord::kSize) return report;
    report.decoded = true;
    ClearScratch();
    ClearTrackList();
    WriteHeadings();
    // Entries of an earlier download must not linger behind the new tracks:
    // a saved file lists every named entry.
    TrackTable = TrackEntryTable{};
    SetCanSave(false);
    Assembler(*this, report).Run();
    return report;
}

}  // namespace vantrel
