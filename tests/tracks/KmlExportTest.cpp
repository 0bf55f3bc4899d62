#include "tracks/KmlExport.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "TrackFixture.h"

namespace vantrel::testing {
namespace {

class KmlExportTest : public TrackFixture {
  protected:
    pugi::xml_node Export(const std::string& path = "/data/day.kml") {
        text = KmlText(store, path);
        EXPECT_TRUE(doc.load_string(text.c_str())) << text;
        return doc.child("kml").child("Document");
    }
    static int Count(pugi::xml_node parent, const char* name) {
        int n = 0;
        for (auto child : parent.children(name))
            n += child ? 1 : 0;
        return n;
    }
    std::string text;
    pugi::xml_document doc;
};

TEST_F(KmlExportTest, DocumentShapeStyleAndEveryListedTrack) {
    Assemble(ThreeTracks());
    store.dlgModifyTrackName.edTrackName = "Ridge";
    store.ApplyModify(3);
    pugi::xml_node document = Export();
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    std::vector<std::string> attributes;
    for (auto a : doc.child("kml").attributes())
        attributes.push_back(a.name());
    EXPECT_EQ(attributes,
              (std::vector<std::string>{"xmlns", "xmlns:gx", "xmlns:kml", "xmlns:atom"}));
    EXPECT_STREQ(document.child_value("Name"), "/data/day.kml");
    pugi::xml_node style = document.child("Style");
    EXPECT_STREQ(style.attribute("id").value(), "fernwayKmlPath");
    EXPECT_STREQ(style.child("IconStyle").child_value("Scale"), "1.3");
    EXPECT_STREQ(style.child("IconStyle").child("hotSpot").attribute("xunits").value(), "pixels");
    EXPECT_STREQ(style.child("LineStyle").child_value("color"), "ff5e76ff");
    pugi::xml_node pair = document.child("StyleMap").child("Pair");
    EXPECT_STREQ(pair.child_value("key"), "normal");
    EXPECT_STREQ(pair.next_sibling("Pair").child_value("styleUrl"), "#fernwayKmlPath");

    ASSERT_EQ(Count(document, "Placemark"), 3);
    std::vector<std::string> names;
    for (auto p : document.children("Placemark"))
        names.push_back(p.child_value("name"));
    EXPECT_EQ(names, (std::vector<std::string>{"Track0", "Track1", "Ridge"}));
    pugi::xml_node line = document.child("Placemark").child("LineString");
    EXPECT_STREQ(line.child_value("tessellate"), "1");
    const std::string coordinates = line.child_value("coordinates");
    EXPECT_EQ(coordinates.rfind("135.000114,45.000039,", 0), 0u);
    EXPECT_EQ(std::count(coordinates.begin(), coordinates.end(), ' '), 4);
    EXPECT_EQ(coordinates.back(), ' ');
}

TEST_F(KmlExportTest, DecimalCommaCellsBecomePoints) {
    UseDecimalComma();
    TrackMemoryBuilder b;
    b.AddFix(1, 52.1234, 13.4049, 35, 0, true);
    Assemble(b);
    EXPECT_EQ(store.ScratchGrid.Cell(3, 0).find(','), 2u);
    pugi::xml_node document = Export();
    const std::string coordinates =
        document.child("Placemark").child("LineString").child_value("coordinates");
    EXPECT_EQ(coordinates, ForScript(store.ScratchGrid.Cell(2, 0), values.Numbers) + "," +
                               ForScript(store.ScratchGrid.Cell(1, 0), values.Numbers) + "," +
                               ForScript(store.ScratchGrid.Cell(3, 0), values.Numbers) + " ");
    EXPECT_EQ(coordinates.find(','), 9u);
}

TEST_F(KmlExportTest, CoordinatesStopAtASkippedRecordAndClearAllExportsNothing) {
    TrackMemoryBuilder b;
    b.AddFix(1, 45, 7, 0, 0, true);
    b.AddCorrupt(2);
    b.AddFix(3, 45.1, 7, 0, 0, false);
    b.AddFix(4, 45.2, 7, 0, 0, false);
    Assemble(b);
    pugi::xml_node document = Export();
    const std::string coordinates =
        document.child("Placemark").child("LineString").child_value("coordinates");
    EXPECT_EQ(std::count(coordinates.begin(), coordinates.end(), ' '), 1);
    store.ClearAll();
    document = Export();
    EXPECT_EQ(Count(document, "Placemark"), 0);
    EXPECT_TRUE(document.child("StyleMap"));
}

TEST_F(KmlExportTest, ExportWritesTheFile) {
    Assemble(ThreeTracks());
    const std::string path = (Folder() / "out.kml").string();
    ASSERT_TRUE(KmlExport(store, path));
    pugi::xml_document loaded;
    ASSERT_TRUE(loaded.load_file(path.c_str()));
    EXPECT_STREQ(loaded.child("kml").child("Document").child_value("Name"), path.c_str());
}

}  // namespace
}  // namespace vantrel::testing
