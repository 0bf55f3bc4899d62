#include "tracks/TrackExports.h"

#include "app/Csv.h"
#include "app/NumberText.h"
#include "tracks/GpxDocument.h"
#include "tracks/XmlText.h"

namespace vantrel {

std::string DegreesText(double degrees) {
    return FormatFixed(degrees, 6, '.');
}

std::string AltitudeText(double metres) {
    return FormatFixed(metres, 1, '.');
}

std::string GpxTracksText(const LoggedTracks& tracks) {
    GpxDocument gpx;
    for (const LoggedTrack& track : tracks) {
        pugi::xml_node trk = gpx.Root().append_child("trk");
        AddText(trk, "name", track.name);
        pugi::xml_node segment = trk.append_child("trkseg");
        for (const LoggedPoint& p : track.points) {
            pugi::xml_node point = GpxDocument::AddPoint(segment, "trkpt", DegreesText(p.latitude),
                                                         DegreesText(p.longitude));
            AddText(point, "ele", AltitudeText(p.altitude));
            GpxDocument::AddTime(point, p.time);
        }
    }
    return gpx.Text();
}

std::string TrackCsvText(const LoggedTracks& tracks, ZoneOffset zone) {
    std::string text = CsvLine({"track", "time", "latitude", "longitude", "altitude", "speed"});
    for (const LoggedTrack& track : tracks)
        for (const LoggedPoint& p : track.points)
            text += CsvLine({track.name, IsoTimeText(p.time, zone), DegreesText(p.latitude),
                             DegreesText(p.longitude), AltitudeText(p.altitude),
                             FormatGeneral(p.speedKmh, '.')});
    return text;
}

}  // namespace vantrel
