#include "tracks/KmlExport.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "TrackFixture.h"
#include "base/NumberText.h"
#include "tracks/XmlText.h"

namespace vantrel::testing {
namespace {

class KmlExportTest : public TrackFixture {
  protected:
    pugi::xml_node Export(const std::string& path = "/data/day.kml") {
        text = KmlText(store.List(), path);
        EXPECT_TRUE(doc.load_string(text.c_str())) << text;
        return doc.child("kml").child("Document");
    }
    std::string text;
    pugi::xml_document doc;
};

TEST_F(KmlExportTest, DocumentShapeStyleAndEveryListedTrack) {
    Assemble(ThreeTracks());
    store.ModifyDialog.name = "Ridge";
    store.ApplyModify(3);
    pugi::xml_node document = Export((Folder() / "out.kml").string());
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
    const TrackPoint& first = store.List()[0].points[0];
    EXPECT_EQ(coordinates.rfind("135.000000,45.000001," + FormatFixed(first.altitude, 1, '.') + " ", 0),
              0u);
    EXPECT_EQ(std::count(coordinates.begin(), coordinates.end(), ' '), 4);
    EXPECT_EQ(coordinates.back(), ' ');
}

// Numbers are written with a point whatever the user's separator; a track
// of one point is a Point, since a line needs two; no track, no placemark.
TEST_F(KmlExportTest, PointsOnesAndNone) {
    UseDecimalComma();
    TrackMemoryBuilder b;
    b.AddFix(1, 52.1234, 13.4049, 35, 0, true);
    b.AddFix(2, 52.1235, 13.4049, 35, 0, true);
    b.AddFix(3, 52.1236, 13.4049, 35, 0, false);
    Assemble(b);
    pugi::xml_node document = Export();
    pugi::xml_node single = document.child("Placemark");
    EXPECT_FALSE(single.child("LineString"));
    const std::string point = single.child("Point").child_value("coordinates");
    EXPECT_EQ(point.find(' '), std::string::npos);
    EXPECT_EQ(point.rfind("13.4049", 0), 0u) << point;
    EXPECT_EQ(std::count(point.begin(), point.end(), ','), 2) << point;
    EXPECT_TRUE(single.next_sibling("Placemark").child("LineString"));
    store.ClearAll();
    document = Export();
    EXPECT_FALSE(document.child("Placemark"));
    EXPECT_TRUE(document.child("StyleMap"));
}

// What XML 1.0 forbids becomes U+FFFD, line ends become the LF a reader
// makes of them; everything else stays as it was.
TEST(XmlSafeText, ForbiddenCharactersBecomeTheReplacementCharacter) {
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(XmlSafeText("Ridge \xE4\xB8\xAD\xF0\x9F\x98\x80 <&>\t\n\r\x7F"),
              "Ridge \xE4\xB8\xAD\xF0\x9F\x98\x80 <&>\t\n\n\x7F");
    EXPECT_EQ(XmlSafeText("a\r\nb\rc\r"), "a\nb\nc\n");
    EXPECT_EQ(XmlSafeText(std::string("a\0b\x1B\x07", 5)), "a" + r + "b" + r + r);
    EXPECT_EQ(XmlSafeText("\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xBF\xBD"), r + r + r);
    EXPECT_EQ(XmlSafeText("\xED\xA0\x80x\xC3"), r + r + r + "x" + r);  // surrogate, broken end
}

}  // namespace
}  // namespace vantrel::testing
