#include "tracks/KmlExport.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "TrackFixture.h"
#include "tracks/XmlText.h"

namespace vantrel::testing {
namespace {

class KmlExportTest : public TrackFixture {
  protected:
    pugi::xml_node Export(const std::string& path = "/data/day.kml") {
        text = KmlText(store, path);
        EXPECT_TRUE(doc.load_string(text.c_str())) << text;
        return doc.child("kml").child("Document");
    }
    std::string FirstCoordinates() {
        return Export().child("Placemark").child("LineString").child_value("coordinates");
    }
    std::string text;
    pugi::xml_document doc;
};

TEST_F(KmlExportTest, DocumentShapeStyleAndEveryListedTrack) {
    Assemble(ThreeTracks());
    store.ModifyDialog.name = "Ridge";
    store.ApplyModify(3);
    const std::string path = (Folder() / "out.kml").string();
    ASSERT_TRUE(KmlExport(store, path));
    ASSERT_TRUE(doc.load_file(path.c_str()));
    pugi::xml_node document = doc.child("kml").child("Document");
    std::vector<std::string> attributes;
    for (auto a : doc.child("kml").attributes())
        attributes.push_back(a.name());
    EXPECT_EQ(attributes,
              (std::vector<std::string>{"xmlns", "xmlns:gx", "xmlns:kml", "xmlns:atom"}));
    EXPECT_STREQ(document.child_value("name"), "out");  // the file, not its folders
    EXPECT_FALSE(document.child("Name"));
    pugi::xml_node style = document.child("Style");
    EXPECT_STREQ(style.attribute("id").value(), "fernwayKmlPath");
    EXPECT_STREQ(style.child("IconStyle").child_value("scale"), "1.3");
    EXPECT_STREQ(style.child("LineStyle").child_value("color"), "ff5e76ff");
    pugi::xml_node pair = document.child("StyleMap").child("Pair");
    EXPECT_STREQ(pair.next_sibling("Pair").child_value("styleUrl"), "#fernwayKmlPath");

    std::vector<std::string> names;
    for (auto p : document.children("Placemark"))
        names.push_back(p.child_value("name"));
    EXPECT_EQ(names, (std::vector<std::string>{"Track0", "Track1", "Ridge"}));
    const std::string coordinates =
        document.child("Placemark").child("LineString").child_value("coordinates");
    EXPECT_EQ(coordinates.rfind("135.000000,45.000001,", 0), 0u);
    EXPECT_EQ(std::count(coordinates.begin(), coordinates.end(), ' '), 4);
    EXPECT_EQ(coordinates.back(), ' ');
}

TEST_F(KmlExportTest, DecimalCommaCellsBecomePoints) {
    UseDecimalComma();
    TrackMemoryBuilder b;
    b.AddFix(1, 52.1234, 13.4049, 35, 0, true);
    Assemble(b);
    EXPECT_EQ(store.ScratchGrid.Cell(3, 0).find(','), 2u);
    EXPECT_EQ(FirstCoordinates(),
              ForScript(store.ScratchGrid.Cell(2, 0), values.Numbers) + "," +
                  ForScript(store.ScratchGrid.Cell(1, 0), values.Numbers) + "," +
                  ForScript(store.ScratchGrid.Cell(3, 0), values.Numbers) + " ");
    EXPECT_EQ(FirstCoordinates().find(','), 9u);
}

TEST_F(KmlExportTest, ASkippedRecordKeepsEveryPointAndClearAllExportsNothing) {
    TrackMemoryBuilder b;
    b.AddFix(1, 45, 7, 0, 0, true);
    b.AddCorrupt(2);
    b.AddFix(3, 45.1, 7, 0, 0, false);
    b.AddFix(4, 45.2, 7, 0, 0, false);
    Assemble(b);
    const std::string coordinates = FirstCoordinates();
    EXPECT_EQ(std::count(coordinates.begin(), coordinates.end(), ' '), 3);
    EXPECT_NE(coordinates.find("," + store.ScratchGrid.Cell(1, 2) + ","), std::string::npos);
    EXPECT_EQ(store.ScratchGrid.Cell(1, 2).substr(0, 5), "45.20");
    store.ClearAll();
    pugi::xml_node document = Export();
    EXPECT_FALSE(document.child("Placemark"));
    EXPECT_TRUE(document.child("StyleMap"));
}

// What XML 1.0 forbids becomes U+FFFD; everything else stays as it was.
TEST(XmlSafeText, ForbiddenCharactersBecomeTheReplacementCharacter) {
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(XmlSafeText("Ridge \xE4\xB8\xAD\xF0\x9F\x98\x80 <&>\t\n\r\x7F"),
              "Ridge \xE4\xB8\xAD\xF0\x9F\x98\x80 <&>\t\n\r\x7F");
    EXPECT_EQ(XmlSafeText(std::string("a\0b\x1B\x07", 5)), "a" + r + "b" + r + r);
    EXPECT_EQ(XmlSafeText("\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xBF\xBD"), r + r + r);
    EXPECT_EQ(XmlSafeText("\xED\xA0\x80x\xC3"), r + r + r + "x" + r);  // surrogate, broken end
}

}  // namespace
}  // namespace vantrel::testing
