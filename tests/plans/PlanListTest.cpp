#include "plans/PlanList.h"

#include <gtest/gtest.h>

#include "plans/PlansTestSupport.h"
#include "support/FakeMapPage.h"

namespace vantrel {
namespace {

using testing::FakeMapPage;
using testing::FillPlan;

class PlanListTest : public ::testing::Test {
  protected:
    AppValues values;
    PlanList list{values};
    FakeMapPage page;
};

TEST_F(PlanListTest, AMarkerAddedOnThePageBecomesANumberedRow) {
    FillPlan(list, {{"Home", "52.1", "4.3"}, {"Work", "52.2", "4.4"}});
    page.markers = {{52.1, 4.3}, {52.2, 4.4}, {52.25, 4.5}};
    page.currentIndex = 2;
    list.ReadMarkersBack(page);
    EXPECT_EQ(list.PlanCount, 3);
    EXPECT_EQ(list.Row, 3);
    EXPECT_EQ(list.gridPlan.Cell(0, 1), "Home");
    EXPECT_EQ(list.gridPlan.Cell(0, 2), "Work");
    EXPECT_EQ(list.gridPlan.Cell(0, 3), "2");
    EXPECT_EQ(list.gridPlan.Cell(1, 3), "52.25");
    EXPECT_EQ(list.gridPlan.Cell(2, 3), "4.5");
    EXPECT_TRUE(list.btnSavePlan && list.btnStorePlan);
    EXPECT_EQ(page.Calls(),
              (std::vector<std::string>{"call: getMarkersNumber", "call: getCurrentIndex",
                                        "call: getMarkersLat(0)", "call: getMarkersLng(0)",
                                        "call: getMarkersLat(1)", "call: getMarkersLng(1)",
                                        "call: getMarkersLat(2)", "call: getMarkersLng(2)"}));
}

TEST_F(PlanListTest, AMarkerRemovedMovesTheCoordinatesUp) {
    FillPlan(list, {{"A", "1", "1"}, {"B", "2", "2"}, {"C", "3", "3"}});
    page.markers = {{1, 1}, {3, 3}};  // the middle marker was removed
    list.ReadMarkersBack(page);
    EXPECT_EQ(list.PlanCount, 2);
    EXPECT_EQ(list.gridPlan.Cell(0, 2), "B");  // titles stay where they were
    EXPECT_EQ(list.gridPlan.Cell(1, 2), "3");
    for (int col = 0; col < 3; ++col)
        EXPECT_TRUE(list.gridPlan.IsEmpty(col, 3));
}

TEST_F(PlanListTest, PageAnswersOutsideTheListAreKeptToIt) {
    page.markers.assign(300, {1.5, 2.5});
    page.currentIndex = 400;
    list.Row = 7;
    list.ReadMarkersBack(page);
    EXPECT_EQ(list.PlanCount, kListEntries);
    EXPECT_EQ(list.gridPlan.Cell(0, 255), "254");
    EXPECT_EQ(list.Row, 7);  // an index past the markers selects nothing
    // A page without the functions answers 0: the list keeps no coordinates.
    FakeMapPage blank;
    list.ReadMarkersBack(blank);
    EXPECT_EQ(list.PlanCount, 0);
    EXPECT_TRUE(list.gridPlan.IsEmpty(1, 2));
}

TEST_F(PlanListTest, DrawMarkersCentresThenCreatesOneMarkerPerTitledRow) {
    values.Numbers.DecimalSeparatorText = ",";
    FillPlan(list, {{"A", "52,5", "4,25"}, {"B", "-1", "2"}, {"", "9", "9"}, {"D", "7", "7"}});
    list.gridPlanDblClick(page);
    EXPECT_EQ(page.log, testing::DrawLog({{"52.5", "4.25"}, {"-1", "2"}}));
    // Without a first latitude nothing is drawn.
    FakeMapPage other;
    list.gridPlan.SetCell(1, 1, "");
    DrawPlanMarkers(other, list.gridPlan, values.Numbers);
    EXPECT_TRUE(other.log.empty());
}

TEST_F(PlanListTest, ModifyWritesTheAcceptedTitleOfATitledRow) {
    FillPlan(list, {{"A", "1", "1"}});
    list.Row = 2;
    EXPECT_FALSE(list.SelectedRowHasTitle());  // no dialog on an empty row
    list.Modify2Click("ignored");
    EXPECT_TRUE(list.gridPlan.IsEmpty(0, 2));
    list.Row = 1;
    ASSERT_TRUE(list.SelectedRowHasTitle());
    EXPECT_EQ(list.SelectedTitle(), "A");
    list.Modify2Click("Harbour");
    EXPECT_EQ(list.gridPlan.Cell(0, 1), "Harbour");
}

TEST_F(PlanListTest, DeleteMovesRowsUpAndRedraws) {
    FillPlan(list, {{"A", "1", "1"}, {"B", "2", "2"}, {"C", "3", "3"}});
    list.Row = 1;
    list.Delete1Click(page);
    EXPECT_EQ(list.PlanCount, 2);
    EXPECT_EQ(list.gridPlan.Cell(0, 1), "B");
    EXPECT_EQ(list.gridPlan.Cell(0, 2), "C");
    EXPECT_TRUE(list.gridPlan.IsEmpty(0, 3));
    EXPECT_EQ(page.log.front(), "call: clearMarkers");
    EXPECT_EQ(page.log.size(), 3u);

    // Deleting the only point leaves an empty list and an empty page.
    PlanList single(values);
    FillPlan(single, {{"A", "1", "1"}});
    FakeMapPage other;
    single.Delete1Click(other);
    EXPECT_EQ(single.PlanCount, 0);
    EXPECT_TRUE(single.gridPlan.IsEmpty(0, 1));
    EXPECT_EQ(other.log, (std::vector<std::string>{"call: clearMarkers"}));
}

}  // namespace
}  // namespace vantrel
