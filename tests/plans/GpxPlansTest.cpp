// Plans and POIs as GPX: written, read back, and files the device cannot
// hold refused with a message that names the point.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "plans/GpxPlans.h"

namespace vantrel {
namespace {

std::string Gpx(const std::string& body) {
    return "<?xml version=\"1.0\"?><gpx version=\"1.1\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\">" +
           body + "</gpx>";
}

std::string RoutePoint(const std::string& lat, const std::string& lon, const std::string& name) {
    return "<rtept lat=\"" + lat + "\" lon=\"" + lon + "\"><name>" + name + "</name></rtept>";
}

class GpxPlans : public ::testing::Test {
  protected:
    AppValues values;
    PlanList plan{values};
    PoiList pois{values};
};

TEST_F(GpxPlans, RouteRoundTripsWithNamesAndDeviceCoordinates) {
    const std::string text =
        Gpx("<wpt lat=\"1\" lon=\"1\"/><rte>" + RoutePoint("47.5", "8.25", " Start ") +
            RoutePoint("-33.123456", "-70.1", "Ziel &amp; Öst 日本") +
            "<rtept lat=\"0\" lon=\"0\"/></rte>");
    ASSERT_EQ(ReadGpxPlan(text, plan), "");
    ASSERT_EQ(plan.PlanCount, 3);  // the route wins over the waypoints
    EXPECT_EQ(plan.gridPlan.Cell(0, 1), "Start");
    EXPECT_EQ(plan.gridPlan.Cell(2, 1), "8.25");
    EXPECT_EQ(plan.gridPlan.Cell(1, 2), "-33.12345");  // what the device holds
    EXPECT_EQ(plan.gridPlan.Cell(0, 2), "Ziel & Öst 日本");
    EXPECT_EQ(plan.gridPlan.Cell(0, 3), "2");  // numbered from 0, as on the map
    EXPECT_TRUE(plan.CanUpload());

    PlanList again{values};
    ASSERT_EQ(ReadGpxPlan(GpxPlanText(plan), again), "");
    for (int row = 0; row <= 3; ++row)
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(again.gridPlan.Cell(col, row), plan.gridPlan.Cell(col, row));
}

// A file's stray bytes (not UTF-8, control characters) become U+FFFD in the
// title, as they would in a written file, so the list holds valid text.
TEST_F(GpxPlans, NamesHoldOnlyWhatXmlTextCan) {
    ASSERT_EQ(ReadGpxPlan(Gpx("<rte>" + RoutePoint("1", "2", "a\x1B\xFF b") + "</rte>"), plan), "");
    EXPECT_EQ(plan.gridPlan.Cell(0, 1), "a\xEF\xBF\xBD\xEF\xBF\xBD b");
}

TEST_F(GpxPlans, WaypointsMakeAPlanWhenThereIsNoRoute) {
    ASSERT_EQ(ReadGpxPlan(Gpx("<wpt lat=\"1.5\" lon=\"2\"><name>Hut</name></wpt>"), plan), "");
    EXPECT_EQ(plan.PlanCount, 1);
    EXPECT_EQ(plan.gridPlan.Cell(0, 1), "Hut");
}

// Elements may carry any prefix bound to the GPX namespace; those of other
// namespaces are not GPX's, whatever their local names.
TEST_F(GpxPlans, PrefixedElementsOfTheGpxNamespaceAreRead) {
    const std::string text =
        "<?xml version=\"1.0\"?><g:gpx version=\"1.1\" xmlns:g=\"http://www.topografix.com/GPX/1/1\">"
        "<g:rte><g:rtept lat=\"1\" lon=\"2\"><g:name>Hut</g:name></g:rtept>"
        "<g:rtept lat=\"3\" lon=\"4\" xmlns:x=\"urn:other\"><x:name>no</x:name></g:rtept>"
        "</g:rte></g:gpx>";
    ASSERT_EQ(ReadGpxPlan(text, plan), "");
    EXPECT_EQ(plan.PlanCount, 2);
    EXPECT_EQ(plan.gridPlan.Cell(0, 1), "Hut");
    EXPECT_EQ(plan.gridPlan.Cell(0, 2), "1");  // unnamed: numbered from 0
}

TEST_F(GpxPlans, RefusalsNameThePointAndLeaveTheListAlone) {
    plan.gridPlan.SetCell(0, 1, "kept");
    plan.PlanCount = 1;
    const std::string longName(32, 'x');
    const std::string route = "<rte>" + RoutePoint("1", "2", "ok");
    EXPECT_EQ(ReadGpxPlan(Gpx(route + RoutePoint("1", "2", longName) + "</rte>"), plan),
              "route point 2: the title '" + longName +
                  "' has 32 characters, more than the 31 a plan title holds");
    // 31 characters fit; one the device's 16-bit table cannot hold is named.
    EXPECT_EQ(ReadGpxPlan(Gpx(route + RoutePoint("1", "2", std::string(31, 'y')) + "</rte>"), plan),
              "");
    EXPECT_EQ(
        ReadGpxPlan(Gpx(route + RoutePoint("1", "2", std::string(30, 'y') + "😀") + "</rte>"), plan),
        "route point 2: the title '" + std::string(30, 'y') +
            "😀' holds U+1F600 GRINNING FACE, which the device's character table cannot hold");
    // A NUL would cut the name short.
    EXPECT_EQ(ReadGpxPlan(Gpx(route + RoutePoint("1", "2", "Zi&#0;el") + "</rte>"), plan)
                  .rfind("not XML: the character reference &#0; at byte ", 0),
              0u);
    plan.gridPlan.SetCell(0, 1, "kept");
    EXPECT_EQ(ReadGpxPlan(Gpx(route + RoutePoint("91", "2", "n") + "</rte>"), plan),
              "route point 2: '91' is not a valid latitude");
    EXPECT_EQ(ReadGpxPlan(Gpx("<wpt lat=\"1\" lon=\"east\"/>"), plan),
              "waypoint 1: 'east' is not a valid longitude");
    EXPECT_EQ(ReadGpxPlan(Gpx("<wpt lon=\"1\"/>"), plan), "waypoint 1: it has no latitude");
    std::string many = "<rte>";
    for (int i = 0; i < 256; ++i)
        many += RoutePoint("1", "2", "p");
    EXPECT_EQ(ReadGpxPlan(Gpx(many + "</rte>"), plan),
              "the file holds 256 route points, more than the 255 a list holds");
    EXPECT_EQ(ReadGpxPlan(Gpx(""), plan), "the file holds no route point and no waypoint");
    EXPECT_EQ(ReadGpxPlan("<kml/>", plan), "not a GPX file: the root element is <kml>");
    EXPECT_EQ(ReadGpxPlan("<gpx", plan).rfind("not XML: ", 0), 0u);
    EXPECT_EQ(plan.gridPlan.Cell(0, 1), "kept");
}

TEST_F(GpxPlans, PoiTimesAreUtcInTheFileAndZoneTimesInTheList) {
    values.LocalZoneOffset = ZoneOffset::Hours(2);
    const std::string text =
        Gpx("<wpt lat=\"47.5\" lon=\"8.25\"><time>2011-01-25T23:13:20Z</time></wpt>"
            "<wpt lat=\"-1\" lon=\"-2\"><time>2011-01-25T10:00:00-05:00</time></wpt>");
    ASSERT_EQ(ReadGpxPois(text, pois), "");
    ASSERT_EQ(pois.PoiCount, 2);
    EXPECT_EQ(pois.gridPoi.Cell(0, 1), "2011/01/26 01:13:20");
    EXPECT_EQ(pois.gridPoi.Cell(0, 2), "2011/01/25 17:00:00");
    std::string error;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(GpxPoisText(pois, error).c_str())) << error;
    pugi::xml_node wpt = doc.child("gpx").child("wpt");
    EXPECT_STREQ(wpt.child_value("time"), "2011-01-25T23:13:20Z");
    EXPECT_STREQ(wpt.attribute("lat").value(), "47.5");
    EXPECT_STREQ(wpt.next_sibling("wpt").child_value("time"), "2011-01-25T15:00:00Z");

    EXPECT_EQ(ReadGpxPois(Gpx("<wpt lat=\"1\" lon=\"2\"/>"), pois), "waypoint 1: it has no time");
    EXPECT_EQ(ReadGpxPois(Gpx("<rte>" + RoutePoint("1", "2", "x") + "</rte>"), pois),
              "route point 1: it has no time");
    EXPECT_EQ(ReadGpxPois(Gpx("<wpt lat=\"1\" lon=\"2\"><time>noon</time></wpt>"), pois),
              "waypoint 1: 'noon' is not an ISO 8601 time");
}

}  // namespace
}  // namespace vantrel
