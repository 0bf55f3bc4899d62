#pragma once
// Tracks as a KML 2.2 document: one placemark per track, all sharing one
// style: a line through its points (longitude, latitude, altitude), or a
// point for a track of one point.

#include <span>
#include <string>

#include "tracks/Track.h"

namespace vantrel {

// The document's text for a save to `path` (the document's name is the
// file's name without its folders and extension).
std::string KmlText(std::span<const Track> tracks, const std::string& path);

}  // namespace vantrel
