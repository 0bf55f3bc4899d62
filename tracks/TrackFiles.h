#pragma once
// The Track page's files, both ways. Opening goes by what a file holds (a
// GPX or KML document, else a track file), whatever its name says; saving
// writes the format asked for. A file that cannot be opened or saved is
// refused with its name and the reason ("Cannot open day3.kml: ...").

#include <span>
#include <string>

#include "base/FileFormats.h"
#include "base/FileResult.h"
#include "tracks/Track.h"
#include "tracks/TrackFile.h"

namespace vantrel {

inline constexpr FileFormat kTrackOpenFormats[] = {FileFormat::Trk, FileFormat::Gpx,
                                                   FileFormat::Kml};
inline constexpr FileFormat kTrackSaveFormats[] = {FileFormat::Trk, FileFormat::Gpx,
                                                   FileFormat::Kml, FileFormat::Csv};

// The tracks of the file at `path`: a GPX file's tracks (every trkseg one
// track), a track file's (Partial up to damage, as ReadTrackFile says).
// Refused: a file that cannot be read or is too large, a KML file (its
// lines keep no times), an XML file of another kind, a body that is no
// track file.
TrackFileRead OpenTracks(const std::string& path, const TrackFileFormat& format);

// Writes the tracks to `path` in `fileFormat`; never half-written, an
// existing file untouched on failure. A track file that cannot hold every
// track is written with what fits and said so (Partial).
FileResult SaveTracks(std::span<const Track> tracks, const std::string& path,
                      FileFormat fileFormat, const TrackFileFormat& format);

}  // namespace vantrel
