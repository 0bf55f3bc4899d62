#pragma once
// The track file (.trk): a table of 64 entries (TrackEntry, 4224 bytes, the
// names in UTF-16) and then the points as rows of five lines (time,
// latitude, longitude, altitude, speed), each ended by CR LF, in the 8-bit
// code page of files, at least 10240 rows with empty ones after the points.
// No magic, no version: the rows of a track are those its entry names. The
// file holds at most 64 tracks and 65536 rows; the track model has no limits.

#include <span>
#include <string>
#include <string_view>

#include "base/ZoneOffset.h"
#include "locale/CodePage.h"
#include "tracks/Track.h"
#include "base/FileResult.h"
#include "tracks/TrackTable.h"

namespace vantrel {

inline constexpr std::size_t kTrackFileRows = 10240;    // rows a file always has
inline constexpr std::size_t kMaxTrackFileRows = 65536;  // rows a 16-bit firstRow can address

// The largest track file: the table, then the 65536 rows an entry can
// address, five lines of at most 64 bytes each with their CR LF (a cell
// written here is at most about 25). A larger file is refused.
inline constexpr std::size_t kMaxTrackLineBytes = 64;
inline constexpr std::size_t kMaxTrackFileBytes =
    sizeof(TrackEntryTable) + kMaxTrackFileRows * 5 * kMaxTrackLineBytes;

// How a file's text is written and read: times shown at `zone`, numbers with
// `separator` (either a point or a comma is read), in `codePage`.
struct TrackFileFormat {
    ZoneOffset zone;
    char separator = '.';
    CodePage codePage;
};

// What of some tracks a track file cannot hold: tracks past the 64th or
// starting past the last row, and the points past the last row.
struct TrackFileFit {
    std::size_t tracks = 0;
    std::size_t points = 0;
    bool Complete() const { return tracks == 0 && points == 0; }
    // "2 tracks and 30,000 points"
    std::string Text() const;
};
TrackFileFit TrackFileFitOf(std::span<const Track> tracks);

// The bytes of a file of the tracks (what does not fit is left out).
std::string TrackFileBytes(std::span<const Track> tracks, const TrackFileFormat& format);

struct TrackFileRead {
    Tracks tracks;  // what was read: on Partial, up to the damage
    FileResult result;
};

// A track file's bytes as tracks. Each row of a track needs its five lines,
// numbers where numbers belong and a time that parses, and every entry's rows
// must lie within the file. A body without a line break is refused. A damaged row ends the reading there: the tracks before it and
// the damaged track's points before it are kept, and the result (Partial)
// names the row and what was left out. Rows left empty inside a track (by
// earlier versions, for a skipped record) are stepped over.
TrackFileRead ReadTrackFile(std::string_view bytes, const TrackFileFormat& format);

}  // namespace vantrel
