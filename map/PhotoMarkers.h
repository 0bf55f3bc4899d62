#pragma once
// Photos on the track page: every track drawn in its colour, and one round
// marker per placed photo, with its name shown when the pointer rests on it.
// The markers are replaced whole by each call, so that a changed clock
// offset or camera zone moves all of them at once.

#include <span>
#include <string>

#include "map/MapPage.h"
#include "tracks/Track.h"

namespace vantrel {

struct PhotoMarker {
    double latitude;
    double longitude;
    std::string title;  // the photo's name, shown as text
};

// "showPhotos([[lat,lng,"title"],...]);": one call for every marker.
std::string PhotoMarkersScript(std::span<const PhotoMarker> markers);
void ShowPhotoMarkers(MapPage& view, std::span<const PhotoMarker> markers);

// Clears the page's lines and draws each track with points as one line in
// its own colour.
void DrawTracks(MapPage& view, std::span<const Track> tracks);

// Fits the view to the photos, or to the tracks drawn when there are none.
void FitPhotosAndTracks(MapPage& view);

}  // namespace vantrel
