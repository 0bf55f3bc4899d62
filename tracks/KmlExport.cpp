#include "tracks/KmlExport.h"

#include <filesystem>
#include <pugixml.hpp>

#include "base/AtomicFile.h"
#include "base/NumberText.h"
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

// "lon,lat,height " for each point of track `index`, in script notation.
std::string Coordinates(const TrackStore& store, int index) {
    const TextGrid& grid = store.ScratchGrid;
    const std::string& comma = store.Values().Numbers.CommaText;
    std::string text;
    for (int r : store.PointRows(index)) {
        AppendReplacingAll(text, grid.Cell(2, r), comma, ".");
        text += ',';
        AppendReplacingAll(text, grid.Cell(1, r), comma, ".");
        text += ',';
        AppendReplacingAll(text, grid.Cell(3, r), comma, ".");
        text += ' ';
    }
    return text;
}

void AddPlacemark(pugi::xml_node document, const std::string& name, const std::string& coordinates,
                  const std::string& styleUrl) {
    pugi::xml_node placemark = document.append_child("Placemark");
    AddText(placemark, "name", name);
    AddText(placemark, "styleUrl", styleUrl);
    pugi::xml_node line = placemark.append_child("LineString");
    AddText(line, "tessellate", "1");
    AddText(line, "coordinates", coordinates);
}

// The same for logged points, in the same notation.
std::string Coordinates(const LoggedTrack& track) {
    std::string text;
    text.reserve(track.points.size() * 32);
    for (const LoggedPoint& p : track.points) {
        AppendPosition(text, p.longitude, p.latitude, p.altitude);
        text += ' ';
    }
    return text;
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

std::string KmlText(const TrackStore& store, const std::string& path) {
    return KmlDocumentText(path, [&](pugi::xml_node document, const std::string& styleUrl) {
        for (int k = 0; k < store.ListedTracks(); ++k) {
            const TrackEntry& entry = store.TrackTable[static_cast<std::size_t>(k)];
            AddPlacemark(document, EntryName(entry), Coordinates(store, k), styleUrl);
        }
    });
}

std::string KmlText(const LoggedTracks& tracks, const std::string& path) {
    return KmlDocumentText(path, [&](pugi::xml_node document, const std::string& styleUrl) {
        for (const LoggedTrack& track : tracks)
            AddPlacemark(document, track.name, Coordinates(track), styleUrl);
    });
}

bool KmlExport(const TrackStore& store, const std::string& path) {
    return WriteFileAtomically(path, KmlText(store, path));
}

}  // namespace vantrel
