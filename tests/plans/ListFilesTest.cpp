#include "plans/ListFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "plans/PlansTestSupport.h"
#include "support/FakeMapPage.h"
#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

class ListFilesTest : public ::testing::Test {
  protected:
    AppValues values;
    PlanList plan{values};
    PoiList pois{values};
    TransferArea area;
    FakeMapPage page;
    RecordingMessages messages;
    ScratchFolder dir;
};

TEST_F(ListFilesTest, PlanFileWrittenHereRoundTrips) {
    FillPlan(plan, {{"Start 起点", "-33.123456", "151.21"}, {"Ωmega", "0.00001", "-179.99999"}});
    const std::string first = dir.File("a.rte");
    ASSERT_TRUE(SavePlanFile(first, plan, SharedGlyphs(), area, messages));
    std::vector<std::uint8_t> bytes = ReadBytes(first);
    ASSERT_EQ(bytes.size(), area.TransferLength);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), area.bytes.begin()));

    PlanList opened(values);
    TransferArea other;
    EXPECT_EQ(OpenPlanFile(first, opened, other, page, messages), OpenResult::Opened);
    EXPECT_EQ(opened.PlanCount, 2);
    EXPECT_EQ(opened.gridPlan.Cell(0, 1), "Start 起点");
    EXPECT_TRUE(opened.CanSave() && opened.CanUpload());
    EXPECT_EQ(page.log.front(), "call: clearMarkers");
    const std::string second = dir.File("b.rte");
    ASSERT_TRUE(SavePlanFile(second, opened, SharedGlyphs(), other, messages));
    EXPECT_EQ(ReadBytes(second), bytes);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ListFilesTest, PoiFileWrittenHereRoundTrips) {
    values.LocalZoneOffset = ZoneOffset::Hours(8);
    FillPois(pois, {{"2010/05/04 04:00:00", "22.3", "114.2"}, {"2011/01/01 04:00:00", "-1", "-2"}});
    const std::string first = dir.File("a.wpt");
    ASSERT_TRUE(SavePoiFile(first, pois, area, messages));
    std::vector<std::uint8_t> bytes = ReadBytes(first);
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes[0], 110);
    EXPECT_EQ(bytes[3], 20);  // stored in device time

    PoiList opened(values);
    EXPECT_EQ(OpenPoiFile(first, opened, area, messages), OpenResult::Opened);
    EXPECT_EQ(opened.gridPoi.Cell(0, 2), "2011/01/01 04:00:00");
    EXPECT_TRUE(opened.CanSave() && opened.CanUpload());
    const std::string second = dir.File("b.wpt");
    ASSERT_TRUE(SavePoiFile(second, opened, area, messages));
    EXPECT_EQ(ReadBytes(second), bytes);
}

TEST_F(ListFilesTest, FailuresAreReportedWithTheProgramsTexts) {
    FillPois(pois, {{"2010/05/04 04:00:00", "22.3", "114.2"}});
    EXPECT_FALSE(SavePoiFile(dir.File("missing/x.wpt"), pois, area, messages));
    EXPECT_EQ(OpenPoiFile(dir.File("none.wpt"), pois, area, messages), OpenResult::CannotAccess);
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"Cannot Save File!", "Error!"},
                                                         {"Cannot Access Poi file!", "Error"}}));
    EXPECT_EQ(pois.PoiCount, 1);  // nothing was opened
}

TEST_F(ListFilesTest, ARefusedSaveLeavesTheOldFileAndAGoodOneReplacesIt) {
    const std::string path = dir.File("keep.rte");
    WriteBytes(path, {1, 2, 3});
    FillPlan(plan, {{"A", "1", "1"}, {"B", "not a number", "1"}});
    EXPECT_FALSE(SavePlanFile(path, plan, SharedGlyphs(), area, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Row 2: 'not a number' is not a valid latitude!");
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"keep.rte"}));
    // A save that goes through replaces the file and leaves no temporary.
    plan.gridPlan.SetCell(1, 2, "2");
    ASSERT_TRUE(SavePlanFile(path, plan, SharedGlyphs(), area, messages));
    EXPECT_EQ(ReadBytes(path).size(), area.TransferLength);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"keep.rte"}));
}

TEST_F(ListFilesTest, EmptyAndOversizedFilesChangeNothingElse) {
    FillPlan(plan, {{"A", "1", "1"}});
    WriteBytes(dir.File("empty.rte"), {});
    EXPECT_EQ(OpenPlanFile(dir.File("empty.rte"), plan, area, page, messages), OpenResult::Empty);
    EXPECT_EQ(plan.PlanCount, 1);

    area.bytes[0] = 0x5A;
    area.TransferLength = 1;
    WriteBytes(dir.File("huge.rte"), std::vector<std::uint8_t>(TransferArea::kSize + 1, 0));
    EXPECT_EQ(OpenPlanFile(dir.File("huge.rte"), plan, area, page, messages), OpenResult::Refused);
    EXPECT_EQ(plan.PlanCount, 0);
    EXPECT_EQ(area.bytes[0], 0x5A);
    EXPECT_EQ(area.TransferLength, 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              dir.File("huge.rte") + " is larger than the 2097152 bytes a plan or POI file can be");
}

// Files are held to what the device can take, like every other source: a
// point off the globe empties the list and is named.
TEST_F(ListFilesTest, FilesWithRowsTheDeviceCannotHoldAreRefused) {
    FillPlan(plan, {{"A", "1", "1"}, {"B", "2", "2"}});
    const std::string rte = dir.File("far.rte");
    ASSERT_TRUE(SavePlanFile(rte, plan, SharedGlyphs(), area, messages));
    std::vector<std::uint8_t> bytes = ReadBytes(rte);
    PutI32(bytes.data() + 20 + 72 + 64, 9100000);  // point 2 at latitude 91
    WriteBytes(rte, bytes);
    EXPECT_EQ(OpenPlanFile(rte, plan, area, page, messages), OpenResult::Refused);
    EXPECT_EQ(plan.PlanCount, 0);

    FillPois(pois, {{"2010/05/04 04:00:00", "22.3", "114.2"}});
    const std::string wpt = dir.File("far.wpt");
    ASSERT_TRUE(SavePoiFile(wpt, pois, area, messages));
    bytes = ReadBytes(wpt);
    PutI32(bytes.data() + 12, -18000001);  // longitude just past -180
    WriteBytes(wpt, bytes);
    EXPECT_EQ(OpenPoiFile(wpt, pois, area, messages), OpenResult::Refused);
    EXPECT_EQ(pois.PoiCount, 0);
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{
                                  {rte + ": Row 2: '91' is not a valid latitude!", "Error"},
                                  {wpt + ": Row 1: '-180.00001' is not a valid longitude!",
                                   "Error"}}));
}

TEST_F(ListFilesTest, PoiFileBeyondTheListKeepsWhatFitsAndSaysSo) {
    std::vector<std::uint8_t> records;
    for (int i = 0; i < 260; ++i) {
        const std::uint8_t record[16] = {111, 1, 2, 3, 4, 5, 0xFF, 0xFF};
        records.insert(records.end(), std::begin(record), std::end(record));
    }
    WriteBytes(dir.File("many.wpt"), records);
    EXPECT_EQ(OpenPoiFile(dir.File("many.wpt"), pois, area, messages), OpenResult::Opened);
    EXPECT_EQ(pois.PoiCount, 255);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("255 of 260 POIs were kept and 5 left out", 0), 0u);
}

}  // namespace
}  // namespace vantrel
