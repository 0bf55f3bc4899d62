#pragma once
// The tracks of the Track page: the track model (every track of a download
// or a file, however many), which one the point grid shows, and the list's
// operations. The window's track list and point grid are views of it that
// format cells when shown; they redraw whenever Revision() changes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/AppValues.h"
#include "locale/CodePage.h"
#include "tracks/Track.h"
#include "tracks/TrackEdits.h"
#include "tracks/TrackFile.h"
#include "tracks/TrackFiles.h"
#include "tracks/TrackHistory.h"
#include "tracks/TrackMemory.h"
#include "base/FileResult.h"

namespace vantrel {

// What one AssembleTracks found.
struct AssemblyReport {
    bool decoded = false;    // false when the memory held less than one record
    int tracks = 0;
    std::size_t points = 0;
    int skippedRecords = 0;  // records with a wrong checksum
    int clockWraps = 0;      // wraps of the device's clock inside the memory
    HeightReference heights = HeightReference::MeanSeaLevel;
    // Said once: why altitudes are not above sea level (the geoid is missing).
    std::string notice;
};

// The track name and colour dialog, as the window fills it. trackColor
// starts as the colour of the track being modified, so only a colour the
// user picks changes it.
// What an edit did: refused (or finding nothing to change) with a message
// that says why.
struct TrackEditResult {
    bool done = false;
    std::string message;
};

struct ModifyTrackDialog {
    std::string name = "yes";
    bool save = true;  // whether the track is selected to be saved
    std::uint32_t trackColor = 255;
};

class TrackStore {
  public:
    static constexpr int kListRows = 39;  // the list shows at least these rows

    explicit TrackStore(const AppValues& values) : values_(values) {}

    // --- the model ---
    const Tracks& List() const { return tracks_; }
    // The track the point grid shows: a listed one, or the self-test's
    // points; nullptr for none.
    const Track* Shown() const;
    // The shown track's place in the list; -1 for none or the self-test.
    int ShownIndex() const { return shown_; }
    HeightReference Heights() const { return heights_; }
    // Changes with every change of the tracks, their names and colours, and
    // the shown track.
    std::uint64_t Revision() const { return revision_; }
    // Whether there are tracks to save.
    bool CanSave() const { return !tracks_.empty(); }
    // Whether names, colours or the list itself changed since the tracks
    // were last filled in (downloaded, opened) or saved: replacing or
    // leaving them then asks first.
    bool Modified() const { return modified_; }
    // The tracks whose Select box is ticked: those Draw shows and Save writes.
    Tracks Selected() const;

    std::uint32_t CurrentTrackColor = 0;  // 0x00BBGGRR of the track last shown or modified
    ModifyTrackDialog ModifyDialog;
    TrackDecoding Decoding;  // leap seconds, geoid and clock for device records

    // --- filling ---
    // Decodes a track memory and lists every track of it, showing the
    // first. Less than one record changes nothing.
    AssemblyReport AssembleTracks(std::span<const std::uint8_t> memory);
    // Lists the tracks (read from a file), showing the first; what was done
    // before can no longer be undone.
    void Load(Tracks tracks, HeightReference heights);
    // Shows list entry `index` in the point grid (nothing outside the list).
    void ShowTrack(int index);
    // Shows points that belong to no listed track (the self-test's).
    void ShowPoints(Track points);

    // --- the track list, by list row (from 1) ---
    void SelectListRow(int row);
    // A colour column's text ("%i" or "%lu" of 0x00BBGGRR) as a colour.
    static std::optional<std::uint32_t> ColorFromText(std::string_view text);
    // The swatch colour of a list cell (column 1, rows from 1), or nothing.
    std::optional<std::uint32_t> SwatchColor(int col, int row) const;
    // Fills ModifyDialog from list row `row`; false (and nothing to show)
    // when the row holds no track.
    bool BeginModify(int row);
    // Applies an accepted dialog to list row `row`.
    void ApplyModify(int row);
    void DeleteListedTrack(int row);
    // Ticks or clears the Select box of list row `row`.
    void ToggleSelected(int row);
    // Empties the list and the point grid: a save after it has nothing to write.
    void ClearAll();
    // The rows the list shows (its header not counted).
    int ListRows() const;

    // --- edits of a listed track (`index` as ShownIndex() gives it) ---
    // Each can be undone; the track they leave is shown.
    // Keeps only the points of `range`.
    TrackEditResult Trim(int index, PointRange range);
    // Deletes the points of `range`; refused when it holds every point.
    TrackEditResult DeletePoints(int index, PointRange range);
    // Cuts the track before point `point` (from 1 to the last): the second
    // piece is listed after the first, named as a split at gaps names it.
    TrackEditResult Split(int index, std::size_t point);
    // Joins the listed tracks `indices` in time order in the place of the
    // first of them (MergedInTimeOrder).
    TrackEditResult Merge(std::span<const int> indices);
    // Drops the points that imply a speed above `maxKmh` (WithoutOutliers).
    TrackEditResult DropOutliers(int index, double maxKmh = kDefaultMaxSpeedKmh);

    // --- undo and redo: of the edits and the list's operations (Modify,
    // the Select box, Delete, Clear All), until tracks are downloaded or
    // opened again ---
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // "Undo Trim Day 3", "Redo Delete Day 4": the menu items' texts.
    std::string UndoText() const { return history_.UndoText(); }
    std::string RedoText() const { return history_.RedoText(); }
    // False when there was nothing to undo or redo.
    bool Undo();
    bool Redo();

    // --- files ---
    // Track files are written and read at the display offset with the
    // user's decimal separator.
    TrackFileFormat FileFormat(const CodePage& codePage = CodePage()) const;
    // Writes the selected tracks in `format` (by the path's extension when
    // none is given, a track file for any other); refused when none is
    // selected. A save that went through leaves the tracks unmodified.
    FileResult Save(const std::string& path, vantrel::FileFormat format,
                    const CodePage& codePage = CodePage());
    FileResult Save(const std::string& path, const CodePage& codePage = CodePage());
    // Lists the tracks of a file (OpenTracks). A file that cannot be read
    // whole is refused and changes nothing.
    FileResult Open(const std::string& path, const CodePage& codePage = CodePage());

    const AppValues& Values() const { return values_; }

  private:
    // The list entry of a list row, or -1 when the row shows none.
    int EntryIndex(int row) const;
    void Changed() { ++revision_; }
    // Takes a step the user can undo; `edit` when a save should keep it.
    void Record(TrackStep step, bool edit = true);
    // Shows what a step (taken, undone or redone) left at its place.
    void Follow(StepPlace place);
    // Follows a step undone or redone; false when there was none.
    bool Stepped(std::optional<StepPlace> place);
    // Changes the name, colour and selection of the listed track `index`.
    void Retag(int index, const TrackTag& after, std::string what, bool edit = true);
    // The listed track `index`, or nothing outside the list.
    const Track* Listed(int index) const;
    // Replaces the listed track `index` by `edited`, as step `what`.
    TrackEditResult Replace(int index, Track edited, std::string what);
    // A change the user made, which a save keeps.
    void Edited() {
        modified_ = true;
        Changed();
    }

    const AppValues& values_;
    Tracks tracks_;
    std::optional<Track> selfTest_;
    int shown_ = -1;
    HeightReference heights_ = HeightReference::MeanSeaLevel;
    std::uint64_t revision_ = 0;
    bool modified_ = false;
    TrackHistory history_;
};

}  // namespace vantrel
