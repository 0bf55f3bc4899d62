#include "plans/ListFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/TransferArea.h"
#include "plans/ImageBytes.h"
#include "plans/PlansTestSupport.h"
#include "support/FakeMapPage.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

class ListFilesTest : public ::testing::Test {
  protected:
    AppValues values;
    PlanList plan{values};
    PoiList pois{values};
    FakeMapPage page;
    ScratchFolder dir;
};

// Saved and opened again, each format gives back every point; saved again,
// the same bytes.
TEST_F(ListFilesTest, PlanFilesWrittenHereRoundTripInEveryFormat) {
    FillPlan(plan, {{"Start 起点", "-33.12345", "151.21"}, {"Ωmega", "0.00001", "-179.99999"}});
    plan.SetModified(true);
    for (FileFormat format : kPlanFormats) {
        const std::string first = dir.File("a" + std::string(ExtensionOf(format)));
        ASSERT_TRUE(SavePlanFile(first, format, plan, SharedGlyphs()).Done()) << first;
        EXPECT_FALSE(plan.Modified());

        PlanList opened(values);
        page.log.clear();
        ASSERT_TRUE(OpenPlanFile(first, opened, page).Done()) << first;
        EXPECT_EQ(opened.PlanCount, 2);
        EXPECT_EQ(GridRows(opened.gridPlan, 2), GridRows(plan.gridPlan, 2)) << first;
        EXPECT_TRUE(opened.CanSave() && opened.CanUpload());
        EXPECT_EQ(page.log.front(), "call: clearMarkers");
        const std::string second = dir.File("b" + std::string(ExtensionOf(format)));
        ASSERT_TRUE(SavePlanFile(second, format, opened, SharedGlyphs()).Done());
        EXPECT_EQ(ReadBytes(second), ReadBytes(first)) << first;
    }
}

TEST_F(ListFilesTest, PoiFilesWrittenHereRoundTripInEveryFormat) {
    values.LocalZoneOffset = ZoneOffset::Hours(8);
    FillPois(pois, {{"2010/05/04 04:00:00", "22.3", "114.2"}, {"2011/01/01 04:00:00", "-1", "-2"}});
    ASSERT_TRUE(SavePoiFile(dir.File("a.wpt"), FileFormat::Wpt, pois).Done());
    std::vector<std::uint8_t> bytes = ReadBytes(dir.File("a.wpt"));
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(bytes[0], 110);
    EXPECT_EQ(bytes[3], 20);  // stored in device time
    for (FileFormat format : kPoiFormats) {
        const std::string first = dir.File("a" + std::string(ExtensionOf(format)));
        ASSERT_TRUE(SavePoiFile(first, format, pois).Done()) << first;
        PoiList opened(values);
        ASSERT_TRUE(OpenPoiFile(first, opened).Done()) << first;
        EXPECT_EQ(GridRows(opened.gridPoi, 2), GridRows(pois.gridPoi, 2)) << first;
        EXPECT_TRUE(opened.CanSave() && opened.CanUpload());
        const std::string second = dir.File("b" + std::string(ExtensionOf(format)));
        ASSERT_TRUE(SavePoiFile(second, format, opened).Done());
        EXPECT_EQ(ReadBytes(second), ReadBytes(first)) << first;
    }
}

// A file that cannot be opened is named with the reason, and the list stays
// as it was.
TEST_F(ListFilesTest, AFileThatCannotBeOpenedChangesNothing) {
    FillPlan(plan, {{"A", "1", "1"}, {"B", "2", "2"}});
    const std::string far = dir.File("far.rte");
    ASSERT_TRUE(SavePlanFile(far, FileFormat::Rte, plan, SharedGlyphs()).Done());
    std::vector<std::uint8_t> bytes = ReadBytes(far);
    PutI32(bytes.data() + 20 + 72 + 64, 9100000);  // point 2 at latitude 91
    WriteBytes(far, bytes);
    WriteBytes(dir.File("empty.rte"), {});
    WriteBytes(dir.File("huge.rte"), std::vector<std::uint8_t>(TransferArea::kSize + 1, 0));
    WriteFile(dir.File("bad.csv"), "title,latitude,longitude\nA,91,1\n");
    WriteFile(dir.File("notes.gpx"), "<gpx version=\"1.1\"></gpx>");
    WriteFile(dir.File("text.rte"), "a plan, I promise");
    struct Case {
        std::string name;
        std::string why;
    };
    for (const Case& c :
         {Case{"far.rte", "row 2: '91' is not a valid latitude"},
          Case{"empty.rte", "the file is empty"},
          Case{"huge.rte", "it is larger than the 2097152 bytes such a file can be"},
          Case{"none.rte", "No such file or directory"},
          Case{"bad.csv", "row 1: '91' is not a valid latitude"},
          Case{"notes.gpx", "the file holds no route point and no waypoint"},
          Case{"text.rte", "it is no sound plan image"}}) {
        page.log.clear();
        const FileResult opened = OpenPlanFile(dir.File(c.name), plan, page);
        EXPECT_TRUE(opened.Refused()) << c.name;
        EXPECT_EQ(std::tie(opened.message, opened.caption),
                  std::tuple("Cannot open " + c.name + ": " + c.why, "Error"));
        EXPECT_EQ(plan.PlanCount, 2) << c.name;
        EXPECT_EQ(plan.gridPlan.Cell(0, 2), "B") << c.name;
        EXPECT_TRUE(page.log.empty()) << c.name;
    }
}

TEST_F(ListFilesTest, ARefusedSaveLeavesTheOldFileAndAGoodOneReplacesIt) {
    const std::string path = dir.File("keep.rte");
    WriteBytes(path, {1, 2, 3});
    FillPlan(plan, {{"A", "1", "1"}, {"B", "not a number", "1"}});
    const FileResult refused = SavePlanFile(path, FileFormat::Rte, plan, SharedGlyphs());
    EXPECT_EQ(refused.message, "Cannot save keep.rte: Row 2: 'not a number' is not a valid latitude!");
    EXPECT_EQ(ReadBytes(path), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"keep.rte"}));
    EXPECT_EQ(SavePoiFile(dir.File("missing/x.wpt"), FileFormat::Wpt, pois).message,
              "Cannot save x.wpt: No such file or directory");
    // A save that goes through replaces the file and leaves no temporary.
    plan.gridPlan.SetCell(1, 2, "2");
    ASSERT_TRUE(SavePlanFile(path, FileFormat::Rte, plan, SharedGlyphs()).Done());
    EXPECT_GT(ReadBytes(path).size(), 3u);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"keep.rte"}));
}

TEST_F(ListFilesTest, PoiFileBeyondTheListKeepsWhatFitsAndSaysSo) {
    std::vector<std::uint8_t> records;
    for (int i = 0; i < 260; ++i) {
        const std::uint8_t record[16] = {111, 1, 2, 3, 4, 5, 0xFF, 0xFF};
        records.insert(records.end(), std::begin(record), std::end(record));
    }
    WriteBytes(dir.File("many.wpt"), records);
    const FileResult opened = OpenPoiFile(dir.File("many.wpt"), pois);
    EXPECT_EQ(opened.outcome, FileResult::Outcome::Partial);
    EXPECT_EQ(pois.PoiCount, 255);
    EXPECT_EQ(opened.message.rfind("255 of 260 POIs were kept and 5 left out", 0), 0u);
}

}  // namespace
}  // namespace vantrel
