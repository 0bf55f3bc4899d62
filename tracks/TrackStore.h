#pragma once
// The tracks of the Track page: every decoded point in ScratchGrid, the
// TrackTable that says which rows belong to which track, the track list
// gridTrackName, the point grid gridTrack with the selected track, and the
// summary texts. The window renders these members as they stand; its
// handlers call the operations below.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/AppValues.h"
#include "base/TextGrid.h"
#include "base/TransferArea.h"
#include "base/UserMessages.h"
#include "tracks/LeapSeconds.h"
#include "tracks/TrackTable.h"

namespace vantrel {

// What one AssembleTracks found.
struct AssemblyReport {
    bool decoded = false;        // false when the transfer held less than one record
    int tracks = 0;              // entries created
    int points = 0;              // points written to ScratchGrid
    int skippedRecords = 0;      // records with a wrong checksum
    int leftOutTracks = 0;       // tracks that did not fit (a 65th, or starting past the last row)
    int leftOutPoints = 0;       // their points and points past the last addressable row
};

// How the message that tracks were left out of the list begins.
inline constexpr std::string_view kNotAllTracksFit = "Not all tracks fit";

// The track name and colour dialog, as the window fills it. trackColor
// starts as the colour of the track being modified, so only a colour the
// user picks changes it.
struct ModifyTrackDialog {
    std::string name = "yes";
    bool save = true;  // whether the track is selected to be saved
    std::uint32_t trackColor = 255;
};

// The texts shown beside the point grid for the selected track.
struct TrackSummary {
    std::string start, end, duration, kilometres, miles, points;
};

class TrackStore {
  public:
    static constexpr int kScratchRows = 10240;     // rows the scratch grid always has
    static constexpr int kMaxScratchRows = 65536;  // rows a 16-bit firstRow can address
    static constexpr int kTrackNameRows = 40;      // the list's rows, header included
    static constexpr int kTrackRows = 2048;

    TrackStore(const AppValues& values, TransferArea& transfer, UserMessages& messages);

    // --- what the window shows ---
    TextGrid ScratchGrid{5, kScratchRows};
    TextGrid gridTrackName{3, kTrackNameRows};
    TextGrid gridTrack{5, kTrackRows};
    TrackEntryTable TrackTable{};
    std::uint32_t CurrentTrackColor = 0;  // 0x00BBGGRR of the track last selected
    TrackSummary Summary;
    ModifyTrackDialog ModifyDialog;
    // GPS minus UTC through the years: device times are shown as UTC.
    LeapSecondTable LeapSeconds = LeapSecondTable::System();

    // --- track assembly ---
    // Decodes the track memory in the transfer area. Tracks and points that
    // do not fit are left out and the user is told how many.
    AssemblyReport AssembleTracks();
    // Fills gridTrack and the summary texts from TrackTable[index].
    void ShowTrack(int index);
    // The ScratchGrid rows of TrackTable[index]'s points: from its firstRow,
    // the first pointCount rows that hold a time, never reaching the first
    // row of the track after it. Rows without a time inside a track (left
    // by skipped records in files of earlier versions) are stepped over.
    std::vector<int> PointRows(int index) const;
    // Sets every named entry's pointCount to the points its rows hold and
    // its distanceKm to the length of the path through them.
    void MeasureTracks();

    // --- track list ---
    void SelectListRow(int row);
    // A colour column's text ("%i" or "%lu" of 0x00BBGGRR) as a colour.
    static std::optional<std::uint32_t> ColorFromText(std::string_view text);
    // The swatch colour of a list cell (column 1, rows from 1), or nothing.
    std::optional<std::uint32_t> SwatchColor(int col, int row) const;
    // Fills ModifyDialog from list row `row`; false (and nothing to
    // show) when the row holds no track.
    bool BeginModify(int row);
    // Applies an accepted dialog to list row `row` and TrackTable.
    void ApplyModify(int row);
    void DeleteListedTrack(int row);
    void DeleteTrack(int row);
    // Empties the list, the rows, the point grid, the summaries and the
    // table: a save after it has nothing to write.
    void ClearAll();
    // The tracks the list shows: rows from 1 up to the first without a name.
    int ListedTracks() const;

    // --- shared by the track file and the KML export ---
    void WriteHeadings();
    void ClearTrackList();
    void ClearPointGrid();
    void ClearScratch();
    // Makes room for list row `row` (up to one row per table entry).
    void EnsureListRow(int row);
    // Makes room for scratch row `row`; false when it cannot be addressed.
    bool EnsureScratchRow(int row);

    // Whether there are tracks to save: set when tracks are decoded or read
    // from a file, cleared when the list is emptied.
    bool CanSave() const { return canSave_; }
    void SetCanSave(bool canSave) { canSave_ = canSave; }

    const AppValues& Values() const { return values_; }
    char Separator() const { return values_.Numbers.Separator(); }
    TransferArea& Transfer() { return transfer_; }
    UserMessages& Messages() { return messages_; }

  private:
    const AppValues& values_;
    TransferArea& transfer_;
    UserMessages& messages_;
    bool canSave_ = false;
};

}  // namespace vantrel
