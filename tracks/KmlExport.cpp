#include "tracks/KmlExport.h"

#include <pugixml.hpp>

#include "app/AtomicFile.h"
#include "app/NumberText.h"

namespace vantrel {

namespace {

constexpr const char* kStyleId = "fernwayKmlPath";
constexpr const char* kKmlNamespace = "http://www.opengis.net/kml/2.2";
constexpr const char* kPushpinIcon = "http://maps.google.com/mapfiles/kml/pushpin/ylw-pushpin.png";

pugi::xml_node AddText(pugi::xml_node parent, const char* name, const std::string& text) {
    pugi::xml_node node = parent.append_child(name);
    node.text().set(text.c_str());
    return node;
}

void AddStyle(pugi::xml_node document, const std::string& styleUrl) {
    pugi::xml_node style = document.append_child("Style");
    style.append_attribute("id") = kStyleId;
    pugi::xml_node iconStyle = style.append_child("IconStyle");
    AddText(iconStyle, "Scale", "1.3");
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

// "lon,lat,height " for each point, in script notation, until the first
// row without a time.
std::string Coordinates(const TrackStore& store, const TrackEntry& entry) {
    const TextGrid& grid = store.ScratchGrid;
    const NumberFormat& numbers = store.Values().Numbers;
    std::string text;
    const std::int64_t end = std::int64_t{entry.firstRow} + entry.pointCount;
    for (std::int64_t row = entry.firstRow; row < end && row < grid.RowCount(); ++row) {
        const int r = static_cast<int>(row);
        if (grid.IsEmpty(0, r)) break;
        text += ForScript(grid.Cell(2, r), numbers) + "," + ForScript(grid.Cell(1, r), numbers) +
                "," + ForScript(grid.Cell(3, r), numbers) + " ";
    }
    return text;
}

void AddPlacemarks(pugi::xml_node document, const TrackStore& store, const std::string& styleUrl) {
    for (int k = 0; k < store.ListedTracks(); ++k) {
        const TrackEntry& entry = store.TrackTable[static_cast<std::size_t>(k)];
        pugi::xml_node placemark = document.append_child("Placemark");
        AddText(placemark, "name", EntryName(entry));
        AddText(placemark, "styleUrl", styleUrl);
        pugi::xml_node line = placemark.append_child("LineString");
        AddText(line, "tessellate", "1");
        AddText(line, "coordinates", Coordinates(store, entry));
    }
}

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
};

}  // namespace

std::string KmlText(const TrackStore& store, const std::string& path) {
    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";

    pugi::xml_node kml = doc.append_child("kml");
    kml.append_attribute("xmlns") = kKmlNamespace;
    kml.append_attribute("xmlns:gx") = "http://www.google.com/kml/ext/2.2";
    kml.append_attribute("xmlns:kml") = kKmlNamespace;
    kml.append_attribute("xmlns:atom") = "http://www.w3.org/2005/Atom";
    pugi::xml_node document = kml.append_child("Document");
    AddText(document, "Name", path);
    const std::string styleUrl = std::string("#") + kStyleId;
    AddStyle(document, styleUrl);
    AddPlacemarks(document, store, styleUrl);

    StringWriter writer;
    doc.save(writer, "\t", pugi::format_default, pugi::encoding_utf8);
    return writer.text;
}

bool KmlExport(const TrackStore& store, const std::string& path) {
    return WriteFileAtomically(path, KmlText(store, path));
}

}  // namespace vantrel
