#include "map/TrackDrawing.h"

#include <cstdio>
#include <vector>

#include "map/ScriptText.h"

namespace vantrel {

namespace {

void SendPoints(MapPage& view, const Track& track) {
    std::vector<MapPoint> points;
    points.reserve(track.points.size());
    for (const TrackPoint& p : track.points)
        points.push_back({p.latitude, p.longitude});
    view.addPointsBatch(points);
}

std::string Quoted(std::string_view text) {
    return "\"" + EscapeScriptString(text) + "\"";
}

}  // namespace

std::string TrackColourText(std::uint32_t currentTrackColor) {
    const std::uint32_t red = currentTrackColor & 0xFFu;
    const std::uint32_t green = (currentTrackColor >> 8) & 0xFFu;
    const std::uint32_t blue = (currentTrackColor >> 16) & 0xFFu;
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", (red << 16) | (green << 8) | blue);
    return text;
}

DrawTrackResult DrawTrackOnMap(MapPage& view, const Track* track,
                               std::uint32_t currentTrackColor) {
    DrawTrackResult result;
    view.CallPageFunction("clearTracks");
    if (track == nullptr || track->points.empty()) return result;
    SendPoints(view, *track);
    result.pointsSent = static_cast<int>(track->points.size());
    view.drawPoints(TrackColourText(currentTrackColor));
    return result;
}

std::vector<DrawnTrack> TracksToDraw(const Tracks& tracks) {
    std::vector<DrawnTrack> drawn;
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        const Track& track = tracks[k];
        if (track.selected && !track.points.empty())
            drawn.push_back({static_cast<int>(k), track.color, track.name, track.points.size()});
    }
    return drawn;
}

std::string DrawTrackScript(const DrawnTrack& track) {
    return "drawTrack(" + Quoted(TrackColourText(track.color)) + "," + Quoted(track.name) + "," +
           std::to_string(track.key) + ");";
}

std::vector<DrawnTrack> DrawSelectedTracksOnMap(MapPage& view, const Tracks& tracks, int shown,
                                                const TrackLegendWords& words) {
    view.CallPageFunction("clearTracks");
    view.RunPageScript("setLegendWords(" + Quoted(words.start) + "," + Quoted(words.end) + ");");
    HighlightTrackOnMap(view, shown);
    const std::vector<DrawnTrack> drawn = TracksToDraw(tracks);
    for (const DrawnTrack& track : drawn) {
        SendPoints(view, tracks[static_cast<std::size_t>(track.key)]);
        view.RunPageScript(DrawTrackScript(track));
    }
    if (!drawn.empty()) view.CallPageFunction("fitTracks");
    return drawn;
}

void HighlightTrackOnMap(MapPage& view, int shown) {
    view.CallPageFunction("highlightTrack", std::int32_t{shown});
}

}  // namespace vantrel
