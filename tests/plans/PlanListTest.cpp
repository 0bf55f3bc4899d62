#include "plans/PlanList.h"

#include <gtest/gtest.h>

#include "plans/PlansTestSupport.h"
#include "support/FakeMapPage.h"
#include "support/RecordingMessages.h"

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
    EXPECT_TRUE(list.CanSave() && list.CanUpload());
    EXPECT_EQ(page.Calls(),
              (std::vector<std::string>{"call: getMarkersNumber", "call: getCurrentIndex",
                                        "call: getMarkersLat(0)", "call: getMarkersLng(0)",
                                        "call: getMarkersLat(1)", "call: getMarkersLng(1)",
                                        "call: getMarkersLat(2)", "call: getMarkersLng(2)"}));
}

TEST_F(PlanListTest, APageWithFewerMarkersThanPointsIsDrawnAgainNotTrusted) {
    // Markers can only be added and moved on the page; one that holds fewer
    // (it was not ready when the plan was drawn) keeps the list as it is.
    FillPlan(list, {{"A", "1", "1"}, {"B", "2", "2"}, {"C", "3", "3"}});
    page.markers = {{1, 1}, {3, 3}};
    ASSERT_TRUE(list.ReadMarkersBack(page));
    EXPECT_EQ(list.PlanCount, 3);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(list.gridPlan.Cell(0, row), std::string(1, char('A' + row - 1)));
        EXPECT_EQ(list.gridPlan.Cell(1, row), std::to_string(row));
    }
    EXPECT_EQ(page.markers.size(), 0u);  // cleared, then drawn from the list
    EXPECT_EQ(page.scripts.back(), PlanMarkersScript(list.gridPlan, 3, values.Numbers));
}

TEST_F(PlanListTest, PageAnswersOutsideTheListAreKeptToIt) {
    page.markers.assign(300, {1.5, 2.5});
    page.currentIndex = 400;
    list.Row = 7;
    ASSERT_TRUE(list.ReadMarkersBack(page));
    EXPECT_EQ(list.PlanCount, kListEntries);
    EXPECT_EQ(list.gridPlan.Cell(0, 255), "254");
    EXPECT_EQ(list.Row, 7);  // an index past the markers selects nothing
}

TEST_F(PlanListTest, APageThatStopsAnsweringChangesNothing) {
    FillPlan(list, {{"Home", "52.1", "4.3"}, {"Work", "52.2", "4.4"}});
    page.markers = {{10, 10}, {20, 20}, {30, 30}};
    page.currentIndex = 2;
    // Silent at the first question, halfway through the markers, at the last.
    for (int answers : {0, 1, 2, 5, 7}) {
        FakeMapPage late = page;
        late.answersBeforeSilence = answers;
        EXPECT_FALSE(list.ReadMarkersBack(late)) << answers;
        EXPECT_EQ(list.PlanCount, 2);
        EXPECT_EQ(list.Row, 1);
        EXPECT_EQ(list.gridPlan.Cell(0, 2), "Work");
        EXPECT_EQ(list.gridPlan.Cell(1, 2), "52.2");
        EXPECT_TRUE(list.gridPlan.IsEmpty(0, 3));
        EXPECT_FALSE(list.CanSave());
    }
}

TEST_F(PlanListTest, EveryPointIsDrawnTitledOrNot) {
    values.Numbers.DecimalSeparatorText = ",";
    FillPlan(list, {{"A", "52,5", "4,25"}, {"", "-1", "2"}, {"C", "9", "9"}});
    list.RedrawMarkers(page);
    EXPECT_EQ(page.log, testing::DrawLog({{"52.5", "4.25"}, {"-1", "2"}, {"9", "9"}}));
    // Reading the three markers back keeps every point and numbers the
    // untitled one.
    page.markers = {{52.5, 4.25}, {-1, 2}, {9, 9}};
    ASSERT_TRUE(list.ReadMarkersBack(page));
    EXPECT_EQ(list.PlanCount, 3);
    EXPECT_EQ(list.gridPlan.Cell(0, 2), "1");
    EXPECT_EQ(list.gridPlan.Cell(0, 3), "C");
    EXPECT_EQ(list.gridPlan.Cell(1, 3), "9");
    // Without a first latitude nothing is drawn.
    FakeMapPage other;
    list.gridPlan.SetCell(1, 1, "");
    DrawPlanMarkers(other, list.gridPlan, list.PlanCount, values.Numbers);
    EXPECT_TRUE(other.log.empty());
}

TEST_F(PlanListTest, ModifyWritesATitleAndRefusesAnEmptyOne) {
    testing::RecordingMessages messages;
    FillPlan(list, {{"A", "1", "1"}, {"", "2", "2"}});
    list.Row = 3;
    EXPECT_FALSE(list.SelectedRowIsPoint());  // no dialog past the plan
    EXPECT_FALSE(list.RetitleSelected("ignored", messages));
    EXPECT_TRUE(list.gridPlan.IsEmpty(0, 3));
    list.Row = 1;
    ASSERT_TRUE(list.SelectedRowIsPoint());
    EXPECT_EQ(list.SelectedTitle(), "A");
    EXPECT_TRUE(list.RetitleSelected("Harbour", messages));
    EXPECT_EQ(list.gridPlan.Cell(0, 1), "Harbour");
    EXPECT_FALSE(list.RetitleSelected("", messages));
    EXPECT_EQ(list.gridPlan.Cell(0, 1), "Harbour");
    EXPECT_EQ(messages.shown,
              (std::vector<testing::ShownMessage>{{std::string(kEmptyTitleText), "Error"}}));
    // A point without a title can be given one.
    list.Row = 2;
    ASSERT_TRUE(list.SelectedRowIsPoint());
    EXPECT_TRUE(list.RetitleSelected("Bay", messages));
    EXPECT_EQ(list.gridPlan.Cell(0, 2), "Bay");
}

TEST_F(PlanListTest, DeleteMovesRowsUpAndRedraws) {
    FillPlan(list, {{"A", "1", "1"}, {"B", "2", "2"}, {"C", "3", "3"}});
    list.Row = 4;
    list.RemoveSelected(page);  // past the plan: nothing
    EXPECT_EQ(list.PlanCount, 3);
    list.Row = 1;
    list.RemoveSelected(page);
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
    single.RemoveSelected(other);
    EXPECT_EQ(single.PlanCount, 0);
    EXPECT_TRUE(single.gridPlan.IsEmpty(0, 1));
    EXPECT_EQ(other.log, (std::vector<std::string>{"call: clearMarkers"}));
}

}  // namespace
}  // namespace vantrel
