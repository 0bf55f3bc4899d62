#pragma once
// The listed tracks as a KML 2.2 document: one line placemark per track of
// the track list, all sharing one style.

#include <string>

#include "tracks/LoggedTracks.h"
#include "tracks/TrackStore.h"

namespace vantrel {

// The document's text for a save to `path` (the document's name is the
// file's name without its folders and extension).
std::string KmlText(const TrackStore& store, const std::string& path);

// The same for logged tracks: every track and point, however many.
std::string KmlText(const LoggedTracks& tracks, const std::string& path);

// Writes the document to `path` (never half-written); false when it cannot.
bool KmlExport(const TrackStore& store, const std::string& path);

}  // namespace vantrel
