#include "tracks/TrackExports.h"

#include "base/Csv.h"
#include "base/NumberText.h"
#include "tracks/GpxDocument.h"
#include "tracks/XmlText.h"

namespace vantrel {

std::string DegreesText(double degrees) {
    return FormatFixed(degrees, 6, '.');
}

std::string AltitudeText(double metres) {
    return FormatFixed(metres, 1, '.');
}

void AppendPosition(std::string& out, double first, double second, double altitude) {
    AppendFixed(out, first, 6, '.');
    out += ',';
    AppendFixed(out, second, 6, '.');
    out += ',';
    AppendFixed(out, altitude, 1, '.');
}

namespace {

constexpr std::string_view kEmptySegment = "<trkseg />";

// One trkpt as the GPX document lays it out, indented below its trkseg.
void AppendTrackPoint(std::string& out, const TrackPoint& p) {
    out += "      <trkpt lat=\"";
    AppendFixed(out, p.latitude, 6, '.');
    out += "\" lon=\"";
    AppendFixed(out, p.longitude, 6, '.');
    out += "\">\n        <ele>";
    AppendFixed(out, p.altitude, 1, '.');
    out += "</ele>\n        <time>";
    AppendIsoTime(out, p.time);
    out += "Z</time>\n      </trkpt>\n";
}

}  // namespace

// The document is made without its points first, so that every text that may
// need escaping (the names) goes through the XML library; each track's empty
// trkseg is then filled with its points, written straight into one buffer.
// Escaped names never hold "<trkseg />", so its k-th occurrence is track k's.
std::string GpxTracksText(std::span<const Track> tracks) {
    GpxDocument gpx;
    std::size_t points = 0;
    for (const Track& track : tracks) {
        pugi::xml_node trk = gpx.Root().append_child("trk");
        AddText(trk, "name", track.name);
        trk.append_child("trkseg");
        points += track.points.size();
    }
    const std::string frame = gpx.Text();
    std::string text;
    text.reserve(frame.size() + points * 140);
    std::size_t pos = 0;
    for (const Track& track : tracks) {
        const std::size_t segment = frame.find(kEmptySegment, pos);
        text.append(frame, pos, segment - pos);
        pos = segment + kEmptySegment.size();
        if (track.points.empty()) {
            text += kEmptySegment;
            continue;
        }
        text += "<trkseg>\n";
        for (const TrackPoint& p : track.points)
            AppendTrackPoint(text, p);
        text += "    </trkseg>";
    }
    text.append(frame, pos);
    return text;
}

std::string TrackCsvText(std::span<const Track> tracks, ZoneOffset zone) {
    std::size_t points = 0;
    for (const Track& track : tracks)
        points += track.points.size();
    std::string text = CsvLine({"track", "time", "latitude", "longitude", "altitude", "speed"});
    text.reserve(text.size() + points * 80);
    const std::string zoneText = IsoZoneText(zone);
    for (const Track& track : tracks) {
        // The name is the one field that may need quotes; numbers and
        // times never do.
        const std::string name = CsvField(track.name);
        for (const TrackPoint& p : track.points) {
            text += name;
            text += ',';
            AppendIsoTime(text, p.time + zone.Duration());
            text += zoneText;
            text += ',';
            AppendPosition(text, p.latitude, p.longitude, p.altitude);
            text += ',';
            AppendGeneral(text, p.speedKmh, '.');
            text += "\r\n";
        }
    }
    return text;
}

}  // namespace vantrel
