// The program's three map pages in a real web view, driven the way the
// window drives them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

#include "base/AppValues.h"
#include "gui/web/PageHost.h"
#include "map/TrackDrawing.h"
#include "plans/PlanList.h"
#include "plans/ListRows.h"
#include "plans/PoiList.h"
#include "support/LineTrack.h"
#include "support/PictureColours.h"

namespace vantrel {
namespace {

using testing::CountColour;
using testing::PageState;
using testing::ShowPage;
using testing::WaitUntil;

Track PointList(int n, double lat, double lng, double step) {
    return testing::LineTrack(n, lat, lng, step);
}

bool Inside(const QJsonObject& state, const QJsonArray& point) {
    const QJsonArray bounds = state["bounds"].toArray();
    const double lat = point[0].toDouble(), lng = point[1].toDouble();
    return lat >= bounds[0][0].toDouble() && lat <= bounds[1][0].toDouble() &&
           lng >= bounds[0][1].toDouble() && lng <= bounds[1][1].toDouble();
}

TEST(TrackPage, DrawsEveryPointAsOneLineInItsColour) {
    auto view = ShowPage("track.txt");
    const int n = 12;
    Track track = PointList(n, 0, 0, 0);
    for (int i = 0; i < n; ++i) {
        const std::string row = std::to_string(i + 1);
        track.points[std::size_t(i)].latitude = std::stod("22.54321098765432" + std::to_string((i + 1) % 10));
        track.points[std::size_t(i)].longitude = std::stod("114.0" + row);
    }
    DrawTrackResult result = DrawTrackOnMap(*view, &track, 0xFF8000);
    ASSERT_EQ(result.pointsSent, n);

    QJsonObject state = PageState(*view);
    QJsonArray lines = state["lines"].toArray();
    ASSERT_EQ(lines.size(), 1);
    QJsonObject line = lines[0].toObject();
    EXPECT_EQ(line["colour"].toString(), "#0080ff");
    QJsonArray points = line["points"].toArray();
    ASSERT_EQ(points.size(), n);
    // Every digit arrives: the page holds the very doubles of the cells.
    EXPECT_EQ(points[0].toArray()[0].toDouble(), 22.543210987654321);
    EXPECT_EQ(points[11].toArray()[1].toDouble(), 114.012);
    EXPECT_EQ(state["pending"].toInt(), 0);
    for (const auto& point : points)
        EXPECT_TRUE(Inside(state, point.toArray()));
}

// Each drawing shows its track alone, fitted to the view, however long; a
// track of one point shows as a marker.
TEST(TrackPage, EachDrawingReplacesTheLastAndFitsTheView) {
    auto view = ShowPage("track.txt");
    const Track walk = PointList(5, 47.3, 8.5, 0.001);
    DrawTrackOnMap(*view, &walk, 255);
    QJsonObject state = PageState(*view);
    ASSERT_EQ(state["lines"].toArray().size(), 1);
    EXPECT_EQ(state["lines"][0]["points"].toArray().size(), 5);
    EXPECT_GE(state["zoom"].toInt(), 14);  // a short walk is shown close up

    const Track ride = PointList(400, 40.0, -3.0, 0.01);  // 4 degrees long
    DrawTrackOnMap(*view, &ride, 0xFF0000);
    state = PageState(*view);
    ASSERT_EQ(state["lines"].toArray().size(), 1);
    const QJsonArray points = state["lines"][0]["points"].toArray();
    ASSERT_EQ(points.size(), 400);
    EXPECT_TRUE(Inside(state, points.first().toArray()));
    EXPECT_TRUE(Inside(state, points.last().toArray()));
    EXPECT_LE(state["zoom"].toInt(), 8);

    const Track stop = PointList(1, -33.9, 151.2, 0);
    DrawTrackOnMap(*view, &stop, 255);
    state = PageState(*view);
    ASSERT_EQ(state["lines"].toArray().size(), 1);
    EXPECT_TRUE(state["lines"][0]["marker"].toBool());
    EXPECT_EQ(view->EvaluateNumber("document.querySelectorAll('.leaflet-marker-icon').length"), 1);
    EXPECT_NEAR(state["center"][0].toDouble(), -33.9, 1e-6);
    EXPECT_NEAR(state["center"][1].toDouble(), 151.2, 1e-6);
}

// Every selected track with points, in its colour with its ends marked and
// its name in the legend as text; the view holds them all.
TEST(TrackPage, DrawsTheSelectedTracksNamedInTheLegend) {
    auto view = ShowPage("track.txt");
    Tracks tracks(4, PointList(20, 47.3, 8.5, 0.001));
    tracks[0].name = "Morning";
    tracks[1].name = "<b>bold</b> \"x\" </script>";
    tracks[1].color = 0xFF0000;
    tracks[1].points = PointList(20, 46.0, 7.0, 0.002).points;
    tracks[2].selected = false;
    tracks[3].points.clear();
    const auto drawn = DrawSelectedTracksOnMap(*view, tracks, 1, {"Anfang", "Ende"});
    ASSERT_EQ(drawn.size(), 2u);
    const QJsonObject state = PageState(*view);
    const QJsonArray lines = state["lines"].toArray();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1]["name"].toString().toStdString(), tracks[1].name);
    EXPECT_EQ(lines[1]["colour"].toString(), "#0000ff");
    EXPECT_TRUE(lines[1]["highlighted"].toBool());
    EXPECT_FALSE(lines[0]["highlighted"].toBool());
    EXPECT_EQ(state["legend"].toArray()[1].toString().toStdString(), tracks[1].name);
    EXPECT_EQ(view->EvaluateNumber("document.querySelectorAll('.leaflet-container b').length"), 0);
    EXPECT_TRUE(view->Evaluate("document.querySelector('.vantrel-legend-ends').textContent")
                    .toString()
                    .contains("Ende"));
    for (const auto& line : lines) {
        const QJsonArray points = line.toObject()["points"].toArray();
        EXPECT_TRUE(Inside(state, points.first().toArray()));
        EXPECT_TRUE(Inside(state, points.last().toArray()));
    }
    HighlightTrackOnMap(*view, 0);
    EXPECT_TRUE(PageState(*view)["lines"][0]["highlighted"].toBool());
    view->CallPageFunction("clearTracks");
    EXPECT_TRUE(PageState(*view)["legend"].toArray().isEmpty());
}

// With no tiles at all (no network, nothing cached), a track drawn at Basel,
// where three countries meet, shows on land with the borders around it.
TEST(TrackPage, WithoutTilesTheWorldLayerShowsLandAndBordersAroundTheTrack) {
    auto view = ShowPage("track.txt");
    const Track basel = PointList(40, 47.50, 7.50, 0.004);
    ASSERT_EQ(DrawTrackOnMap(*view, &basel, 255).pointsSent, 40);
    ASSERT_TRUE(WaitUntil([&] { return view->Settled(); }));
    QTest::qWait(300);  // the drawn tiles reach the screen
    const QJsonObject state = PageState(*view);
    EXPECT_EQ(state["background"].toString(), "world");
    EXPECT_GT(state["worldDrawn"].toInt(), 0);
    EXPECT_GT(state["graticuleLines"].toInt(), 4);
    const QImage picture = view->grab().toImage();
    const int pixels = picture.width() * picture.height();
    EXPECT_GT(CountColour(picture, testing::kLandColour), pixels / 2);   // land
    EXPECT_GT(CountColour(picture, testing::kBorderColour), 100);        // borders
    EXPECT_GT(CountColour(picture, QColor(0xfc, 0x22, 0x20), 40), 300);  // the track
    // The scale bar and the world layer's credit are shown.
    EXPECT_EQ(
        view->EvaluateNumber("document.querySelectorAll('.leaflet-control-scale-line').length"), 2);
    EXPECT_TRUE(view->Evaluate("document.querySelector('.leaflet-control-attribution').textContent")
                    .toString()
                    .contains("Natural Earth"));
}

class PlanPage : public ::testing::Test {
  protected:
    // Points P1, P2, ... at latitudes 22.1, 22.2, ... written with a decimal
    // comma, longitude 114.5.
    void FillPoints(int count) {
        for (int row = 1; row <= count; ++row) {
            plans.gridPlan.SetCell(kTextColumn, row, "P" + std::to_string(row));
            plans.gridPlan.SetCell(kLatitudeColumn, row, "22," + std::to_string(row));
            plans.gridPlan.SetCell(kLongitudeColumn, row, "114.5");
        }
        plans.PlanCount = count;
    }

    AppValues values;
    PlanList plans{values};
};

TEST_F(PlanPage, OffersTheMarkerFunctions) {
    auto view = ShowPage("plan.txt");
    FillPoints(3);
    DrawPlanMarkers(*view, plans.gridPlan, plans.PlanCount, values.Numbers);
    EXPECT_EQ(view->CallPageFunctionResult("getMarkersNumber"), 3);
    EXPECT_EQ(view->CallPageFunctionResult("getCurrentIndex"), 2);
    EXPECT_EQ(view->CallPageFunctionResult("getMarkersLat", std::int16_t{1}), 22.2);
    EXPECT_EQ(view->CallPageFunctionResult("getMarkersLng", std::int16_t{2}), 114.5);
    EXPECT_EQ(view->CallPageFunctionResult("getMarkersLat", std::int16_t{3}), 0);
    EXPECT_EQ(view->CallPageFunctionResult("getMarkersCount"), 0);
    EXPECT_EQ(PageState(*view)["numbers"].toArray(), (QJsonArray{"1", "2", "3"}));

    plans.SelectRow(*view, 2);  // RestoreMaker, highLightMaker(1)
    EXPECT_EQ(PageState(*view)["highlighted"].toInt(), 1);
    view->CallPageFunction("RestoreMaker");
    EXPECT_EQ(PageState(*view)["highlighted"].toInt(), -1);
    view->CallPageFunction("clearMarkers");
    EXPECT_EQ(view->CallPageFunctionResult("getMarkersNumber"), 0);
    EXPECT_EQ(PageState(*view)["markers"].toArray().size(), 0);
}

TEST_F(PlanPage, AnAnswerTooLateLeavesThePlanAsItWas) {
    auto view = ShowPage("plan.txt");
    FillPoints(2);
    plans.DrawMarkers(*view);
    view->RunPageScript("createMarker(new GLatLng(22.3, 114.6));");
    // The second marker's longitude comes once, after the bounded wait.
    view->RunPageScript(
        QStringLiteral("var vantrelLng = getMarkersLng, vantrelSlow = true;"
                       "getMarkersLng = function (i) {"
                       "  if (Number(i) === 1 && vantrelSlow) { vantrelSlow = false;"
                       "    var t = Date.now();"
                       "    while (Date.now() - t < %1) {} }"
                       "  return vantrelLng(i); };")
            .arg(WebMapView::kCallTimeoutMs + 700)
            .toStdString());
    const TextGrid before = plans.gridPlan;
    EXPECT_FALSE(plans.ReadMarkersBack(*view));
    EXPECT_EQ(plans.PlanCount, 2);
    for (int row = 1; row <= 3; ++row)
        for (int col = 0; col < kListColumns; ++col)
            EXPECT_EQ(plans.gridPlan.Cell(col, row), before.Cell(col, row)) << row << "," << col;
    // Once the page answers again, the third marker is read back.
    EXPECT_TRUE(WaitUntil([&] { return plans.ReadMarkersBack(*view) && plans.PlanCount == 3; },
                          3 * WebMapView::kCallTimeoutMs));
    EXPECT_EQ(plans.gridPlan.Cell(kTextColumn, 3), "2");
}

// Where on the view a point of the map shows.
QPoint ScreenPoint(WebMapView& view, double lat, double lng) {
    QString p = QString("map.leaflet.latLngToContainerPoint([%1,%2])").arg(lat).arg(lng);
    return QPoint(static_cast<int>(view.EvaluateNumber(p + ".x")),
                  static_cast<int>(view.EvaluateNumber(p + ".y")));
}

TEST_F(PlanPage, ClicksOnTheMapPlaceMarkersThatTheListReadsBack) {
    auto view = ShowPage("plan.txt");
    QObject::connect(view.get(), &WebMapView::bodyClicked, [&] { plans.ReadMarkersBack(*view); });
    view->RunPageScript("map.setCenter(new GLatLng(22.5, 114.1), 13);");
    const double places[3][2] = {{22.5, 114.1}, {22.51, 114.11}, {22.49, 114.12}};
    QWidget* target = view->focusProxy() ? view->focusProxy() : view.get();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                          ScreenPoint(*view, places[i][0], places[i][1]));
        ASSERT_TRUE(WaitUntil([&] { return plans.PlanCount == i + 1; }))
            << "click " << i << " placed no marker";
    }
    for (int i = 0; i < 3; ++i) {
        const int row = i + 1;
        EXPECT_EQ(plans.gridPlan.Cell(kTextColumn, row), std::to_string(i));
        EXPECT_NEAR(std::stod(plans.gridPlan.Cell(kLatitudeColumn, row)), places[i][0], 2e-4);
        EXPECT_NEAR(std::stod(plans.gridPlan.Cell(kLongitudeColumn, row)), places[i][1], 2e-4);
    }
    EXPECT_EQ(plans.Row, 3);  // the marker placed last is the current one

    // A click on a marker picks it.
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                      ScreenPoint(*view, places[0][0], places[0][1]) - QPoint(0, 20));
    EXPECT_TRUE(WaitUntil([&] { return plans.Row == 1; }));
    EXPECT_EQ(plans.PlanCount, 3);

    // The end of a drag reads the moved marker back and makes it current.
    view->RunPageScript(
        "vantrelMarkers[1].setLatLng([22.6, 114.3]);"
        "vantrelMarkers[1].fire('dragend');");
    EXPECT_TRUE(WaitUntil([&] { return plans.gridPlan.Cell(kLatitudeColumn, 2) == "22.6"; }));
    EXPECT_EQ(plans.gridPlan.Cell(kLongitudeColumn, 2), "114.3");
    EXPECT_EQ(plans.Row, 2);
    EXPECT_EQ(plans.gridPlan.Cell(kTextColumn, 2), "1");
}

TEST(PoiPage, ShowsOnePoiWithItsTitleAsText) {
    auto view = ShowPage("poi.txt");
    ShowPoiMarker(*view, "10", "earlier", "20", NumberFormat{});
    const std::string title = "2024/05/06 \"quoted\" </script><b>bold</b> 'x'";
    ShowPoiMarker(*view, "22,25", title, "114.5", NumberFormat{});
    QJsonObject state = PageState(*view);
    QJsonArray markers = state["markers"].toArray();
    ASSERT_EQ(markers.size(), 1);
    EXPECT_EQ(markers[0].toArray()[0].toDouble(), 22.25);
    EXPECT_EQ(markers[0].toArray()[1].toDouble(), 114.5);
    EXPECT_EQ(state["info"].toString().toStdString(), title);
    EXPECT_EQ(view->EvaluateNumber("document.querySelectorAll('.leaflet-popup-content b').length"),
              0);
    // The marker's picture comes from the map library's folder.
    EXPECT_TRUE(WaitUntil([&] {
        return view->EvaluateNumber("document.querySelector('.leaflet-marker-icon').naturalWidth") >
               0;
    }));

    view->initialize();
    state = PageState(*view);
    EXPECT_EQ(state["markers"].toArray().size(), 0);
    EXPECT_EQ(state["info"].toString(), "");
}

// Every POI at once, titles shown as text; a POI picked keeps its popup
// when the list is shown again with other times, and goes with its POI.
TEST(PoiPage, ShowsEveryPoiAndThePickFollowsTheList) {
    auto view = ShowPage("poi.txt");
    AppValues values;
    TextGrid grid(kListColumns, 4);
    const char* rows[3][3] = {{"2010/01/01 10:00:00", "22,1", "114.1"},
                              {"<b>x</b> \"q\"", "22.2", "114.2"},
                              {"bad", "north", "114.3"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) grid.SetCell(c, r + 1, rows[r][c]);
    view->RunPageScript(PoiListScript(grid, 3, values.Numbers));
    ShowPoiMarker(*view, "22,1", rows[0][0], "114.1", values.Numbers);
    QJsonObject state = PageState(*view);
    const QJsonArray pois = state["pois"].toArray();
    ASSERT_EQ(pois.size(), 2);  // the row without a latitude is left off
    EXPECT_EQ(pois[0]["point"].toArray(), (QJsonArray{22.1, 114.1}));
    EXPECT_EQ(pois[1]["title"].toString(), QString::fromUtf8(rows[1][0]));
    EXPECT_EQ(view->EvaluateNumber("document.querySelectorAll('.leaflet-container b').length"), 0);
    EXPECT_EQ(state["info"].toString(), rows[0][0]);

    grid.SetCell(kTextColumn, 1, "2010/01/01 12:00:00");
    view->RunPageScript(PoiListScript(grid, 3, values.Numbers));
    EXPECT_EQ(PageState(*view)["info"].toString(), "2010/01/01 12:00:00");
    view->RunPageScript(PoiListScript(grid, 0, values.Numbers));
    state = PageState(*view);
    EXPECT_TRUE(state["pois"].toArray().isEmpty());
    EXPECT_TRUE(state["markers"].toArray().isEmpty());
}

}  // namespace
}  // namespace vantrel
