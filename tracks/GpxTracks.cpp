#include "tracks/GpxTracks.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "base/NumberText.h"
#include "tracks/GpxDocument.h"

namespace vantrel {

namespace {

std::optional<double> Number(const char* text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) return std::nullopt;
    const std::string copy(trimmed);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

// One trkpt as a point, or the reason it cannot be one.
std::optional<TrackPoint> PointOf(pugi::xml_node node, std::string& error) {
    auto latitude = Number(node.attribute("lat").value());
    auto longitude = Number(node.attribute("lon").value());
    if (!latitude || std::fabs(*latitude) > 90) {
        error = "no latitude within -90 to 90";
        return std::nullopt;
    }
    if (!longitude || std::fabs(*longitude) > 180) {
        error = "no longitude within -180 to 180";
        return std::nullopt;
    }
    const char* timeText = node.child("time").text().get();
    auto time = ParseIsoTime(timeText);
    if (!time) {
        error = *timeText ? "'" + std::string(timeText) + "' is not an ISO 8601 time" : "no time";
        return std::nullopt;
    }
    TrackPoint point{*time, *latitude, *longitude, std::numeric_limits<double>::quiet_NaN(), 0};
    if (node.child("ele")) {
        auto altitude = Number(node.child("ele").text().get());
        if (!altitude) {
            error = "its ele is not a number";
            return std::nullopt;
        }
        point.altitude = *altitude;
    }
    return point;
}

std::string SegmentName(pugi::xml_node trk, std::size_t trackNumber, std::size_t segment) {
    std::string name(TrimBlanks(trk.child("name").text().get()));
    if (name.empty()) name = "Track" + std::to_string(trackNumber);
    if (segment > 1) name += "." + std::to_string(segment);
    return name;
}

}  // namespace

GpxTracksRead ReadGpxTracks(std::string_view text) {
    GpxTracksRead read;
    pugi::xml_document doc;
    pugi::xml_node gpx = ParseGpx(doc, text, read.error);
    if (!gpx) return read;
    std::size_t trackNumber = 0;
    for (pugi::xml_node trk : gpx.children("trk")) {
        ++trackNumber;
        std::size_t segment = 0;
        for (pugi::xml_node seg : trk.children("trkseg")) {
            Track track;
            track.name = SegmentName(trk, trackNumber, ++segment);
            std::size_t pointNumber = 0;
            for (pugi::xml_node node : seg.children("trkpt")) {
                ++pointNumber;
                std::string error;
                auto point = PointOf(node, error);
                if (!point) {
                    read.tracks.clear();
                    read.error = "track " + std::to_string(trackNumber) + ", segment " +
                                 std::to_string(segment) + ", point " +
                                 std::to_string(pointNumber) + ": " + error;
                    return read;
                }
                track.points.push_back(*point);
            }
            if (!track.points.empty()) read.tracks.push_back(std::move(track));
        }
    }
    if (read.tracks.empty()) read.error = "the file holds no track points (trk/trkseg/trkpt)";
    return read;
}

}  // namespace vantrel
