#include "map/PhotoMarkers.h"

#include <vector>

#include "map/ScriptText.h"
#include "map/TrackDrawing.h"

namespace vantrel {

std::string PhotoMarkersScript(std::span<const PhotoMarker> markers) {
    std::string script = "showPhotos([";
    script.reserve(markers.size() * 48 + 16);
    for (const PhotoMarker& m : markers) {
        if (script.back() != '[') script += ',';
        script += '[' + ScriptReal(m.latitude) + ',' + ScriptReal(m.longitude) + ",\"" +
                  EscapeScriptString(m.title) + "\"]";
    }
    return script + "]);";
}

void ShowPhotoMarkers(MapPage& view, std::span<const PhotoMarker> markers) {
    view.RunPageScript(PhotoMarkersScript(markers));
}

void DrawTracks(MapPage& view, std::span<const Track> tracks) {
    view.RunPageScript("clearTracks();");
    std::vector<MapPoint> points;
    for (const Track& track : tracks) {
        if (track.points.empty()) continue;
        points.clear();
        for (const TrackPoint& p : track.points) points.push_back({p.latitude, p.longitude});
        view.addPointsBatch(points);
        view.drawPoints(TrackColourText(track.color));
    }
}

void FitPhotosAndTracks(MapPage& view) {
    view.RunPageScript("fitPhotos();");
}

}  // namespace vantrel
