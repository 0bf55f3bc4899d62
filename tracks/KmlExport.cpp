#include "tracks/KmlExport.h"

#include <filesystem>
#include <pugixml.hpp>

#include "tracks/TrackExports.h"
#include "tracks/XmlText.h"

namespace vantrel {

namespace {

constexpr const char* kStyleId = "fernwayKmlPath";
constexpr const char* kKmlNamespace = "http://www.opengis.net/kml/2.2";
constexpr const char* kPushpinIcon = "http://maps.google.com/mapfiles/kml/pushpin/ylw-pushpin.png";

void AddStyle(pugi::xml_node document, const std::string& styleUrl) {
    pugi::xml_node style = document.append_child("Style");
    style.append_attribute("id") = kStyleId;
    pugi::xml_node iconStyle = style.append_child("IconStyle");
    AddText(iconStyle, "scale", "1.3");
    AddText(iconStyle.append_child("Icon"), "href", kPushpinIcon);
    pugi::xml_node hotSpot = iconStyle.append_child("hotSpot");
    hotSpot.append_attribute("x") = "20";
    hotSpot.append_attribute("y") = "2";
    hotSpot.append_attribute("xunits") = "pixels";
    hotSpot.append_attribute("yunits") = "pixels";
    pugi::xml_node lineStyle = style.append_child("LineStyle");
    AddText(lineStyle, "color", "ff5e76ff");
    AddText(lineStyle, "width", "2.2");

    pugi::xml_node styleMap = document.append_child("StyleMap");
    styleMap.append_attribute("id") = "msn_ylw-pushpin";
    for (const char* key : {"normal", "highlight"}) {
        pugi::xml_node pair = styleMap.append_child("Pair");
        AddText(pair, "key", key);
        AddText(pair, "styleUrl", styleUrl);
    }
}

// "lon,lat,altitude " for each point.
std::string Coordinates(const Track& track) {
    std::string text;
    text.reserve(track.points.size() * 32);
    for (const TrackPoint& p : track.points) {
        AppendPosition(text, p.longitude, p.latitude, p.altitude);
        text += ' ';
    }
    return text;
}

// A line through the points; a single point is a Point, since a line needs
// two coordinates.
void AddPlacemark(pugi::xml_node document, const Track& track, const std::string& styleUrl) {
    pugi::xml_node placemark = document.append_child("Placemark");
    AddText(placemark, "name", track.name);
    AddText(placemark, "styleUrl", styleUrl);
    if (track.points.size() == 1) {
        std::string coordinates;
        const TrackPoint& p = track.points.front();
        AppendPosition(coordinates, p.longitude, p.latitude, p.altitude);
        AddText(placemark.append_child("Point"), "coordinates", coordinates);
        return;
    }
    pugi::xml_node line = placemark.append_child("LineString");
    AddText(line, "tessellate", "1");
    AddText(line, "coordinates", Coordinates(track));
}

// The document around the placemarks `add` appends.
template <class AddPlacemarks>
std::string KmlDocumentText(const std::string& path, AddPlacemarks add) {
    pugi::xml_document doc;
    AddDeclaration(doc);
    pugi::xml_node kml = doc.append_child("kml");
    kml.append_attribute("xmlns") = kKmlNamespace;
    kml.append_attribute("xmlns:gx") = "http://www.google.com/kml/ext/2.2";
    kml.append_attribute("xmlns:kml") = kKmlNamespace;
    kml.append_attribute("xmlns:atom") = "http://www.w3.org/2005/Atom";
    pugi::xml_node document = kml.append_child("Document");
    // Named after the file, without the folders it lies in.
    AddText(document, "name", std::filesystem::path(path).stem().string());
    const std::string styleUrl = std::string("#") + kStyleId;
    AddStyle(document, styleUrl);
    add(document, styleUrl);
    return DocumentText(doc, "\t");
}

}  // namespace

std::string KmlText(std::span<const Track> tracks, const std::string& path) {
    return KmlDocumentText(path, [&](pugi::xml_node document, const std::string& styleUrl) {
        for (const Track& track : tracks)
            AddPlacemark(document, track, styleUrl);
    });
}

}  // namespace vantrel
