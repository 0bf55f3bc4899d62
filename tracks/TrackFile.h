#pragma once
// The track file (.trk): TrackTable as its 4224 raw bytes, then every row of
// ScratchGrid as five lines (time, latitude, longitude, height, speed), each
// ended by CR LF, in the 8-bit code page of files. No magic, no version: the
// rows of a track are those its header entry names.

#include <string>
#include <string_view>

#include "locale/CodePage.h"
#include "tracks/TrackStore.h"

namespace vantrel {

// A save writes KML when the file name ends in ".kml" (in any case); any
// other name, whatever its folders are called, gets a track file.
bool SavesAsKml(std::string_view path);

// The Save button after its dialog: KML or a track file by the rule above.
// A track file that cannot be written shows "Cannot Open File!" ("Error!")
// and leaves an existing file untouched; a KML file that cannot be written
// shows "Cannot Save File!" ("Error").
bool SaveTracks(TrackStore& store, const std::string& path, const CodePage& codePage = CodePage());

// The bytes a save writes.
std::string TrackFileBytes(const TrackStore& store, const CodePage& codePage);

enum class TrackFileResult {
    Loaded,        // the table and rows are loaded and track 0 is shown
    CannotAccess,  // "Cannot Access Trk file!": stores unchanged
    FileError,     // "File Error!": no line break where a row should begin
    TooLarge,      // larger than kMaxTrackFileBytes: stores unchanged, said so
};

// The largest track file: the table, then the 65536 rows a track entry can
// address, five lines of at most 62 bytes each (a cell written here is at
// most about 25). A larger file is refused after reading this much.
inline constexpr std::size_t kMaxTrackLineBytes = 64;  // with its CR LF
inline constexpr std::size_t kMaxTrackFileBytes =
    sizeof(TrackEntryTable) + std::size_t{TrackStore::kMaxScratchRows} * 5 * kMaxTrackLineBytes;

// The Open button after its dialog; every file is read as a track file.
TrackFileResult OpenTrackFile(TrackStore& store, const std::string& path,
                              const CodePage& codePage = CodePage());

// Loads a track file's bytes (the open without the file access). A file
// shorter than the header loads only the bytes it has; names without a NUL,
// short rows and rows past the last addressable one are read no further
// than the data holds.
TrackFileResult LoadTrackFileBytes(TrackStore& store, std::string_view bytes,
                                   const CodePage& codePage);

}  // namespace vantrel
