#include "plans/PoiImage.h"

#include <gtest/gtest.h>

#include <vector>

#include "locale/TimeZone.h"
#include "plans/PlansTestSupport.h"

namespace vantrel {
namespace {

using testing::FillPois;

class PoiImageTest : public ::testing::Test {
  protected:
    // Puts raw records into the area.
    void Place(const std::vector<std::vector<std::uint8_t>>& records) {
        std::vector<std::uint8_t> image;
        for (const auto& r : records)
            image.insert(image.end(), r.begin(), r.end());
        std::copy(image.begin(), image.end(), area.bytes.begin());
        area.TransferLength = image.size();
    }
    static std::vector<std::uint8_t> Record(std::uint8_t year, std::uint8_t month, std::uint8_t day,
                                            std::uint8_t hour, std::int32_t lat = 0,
                                            std::int32_t lng = 0) {
        std::vector<std::uint8_t> r = {year, month, day, hour, 30, 15, 0xFF, 0xFF};
        r.resize(16);
        PutI32(r.data() + 8, lat);
        PutI32(r.data() + 12, lng);
        return r;
    }

    AppValues values;
    PoiList list{values};
    TransferArea area;
};

TEST_F(PoiImageTest, BuildStoresDeviceTimeAndTruncatedCoordinates) {
    FillPois(list, {{"2010/02/28 21:00:00", "-33.123456", "151.000009"},
                    {"2010/12/31 23:59:59", "0", "-0.5"}});
    values.LocalZoneOffset = ZoneOffset::Hours(-5);
    ImageResult built = BuildPoiImage(list, area);
    ASSERT_TRUE(built.Ok()) << built.error;
    EXPECT_EQ(built.length, 32u);
    EXPECT_EQ(area.TransferLength, 32u);
    const std::uint8_t* r = area.bytes.data();
    EXPECT_EQ(std::vector<std::uint8_t>(r, r + 8),
              (std::vector<std::uint8_t>{110, 3, 1, 2, 0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(GetI32(r + 8), -3312345);
    EXPECT_EQ(GetI32(r + 12), 15100000);
    EXPECT_EQ(std::vector<std::uint8_t>(r + 16, r + 22),
              (std::vector<std::uint8_t>{111, 1, 1, 4, 59, 59}));
    EXPECT_EQ(GetI32(r + 28), -50000);
    EXPECT_EQ(area.bytes[32], 0xFF);
}

TEST_F(PoiImageTest, ReadShowsTimesInTheZoneAndKeepsTheArea) {
    Place({Record(110, 3, 1, 2, -3312345, 15120000),
           Record(112, 3, 1, 2),
           {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
            0xFF, 0xFF},
           Record(110, 1, 1, 1)});
    const TransferArea before = area;
    values.LocalZoneOffset = ZoneOffset::Hours(-5);
    ASSERT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.PoiCount, 2);  // the erased record ends the image
    EXPECT_TRUE(list.CanSave() && list.CanUpload());
    EXPECT_EQ(list.gridPoi.Cell(0, 0), "Date & Time");
    EXPECT_EQ(list.gridPoi.Cell(0, 1), "2010/02/28 21:30:15");
    EXPECT_EQ(list.gridPoi.Cell(0, 2), "2012/02/29 21:30:15");  // a leap year
    EXPECT_EQ(list.gridPoi.Cell(1, 1), "-33.12345");
    EXPECT_EQ(list.gridPoi.Cell(2, 1), "151.2");
    EXPECT_TRUE(list.gridPoi.IsEmpty(0, 3));
    EXPECT_EQ(area.bytes, before.bytes);
}

TEST_F(PoiImageTest, ReadAndBuildWithOneOffsetGiveTheDeviceBytesBack) {
    // Leap days, month and year ends, at hours that cross midnight either way.
    Place({Record(110, 1, 1, 3, 1, -1), Record(110, 12, 31, 20, 8912345, -17987654),
           Record(99, 2, 28, 23), Record(111, 6, 15, 12), Record(112, 2, 29, 23),
           Record(112, 2, 29, 0), Record(112, 3, 1, 1), Record(100, 2, 29, 12),
           Record(111, 2, 28, 22), Record(111, 4, 30, 22)});
    const std::size_t length = 10 * kPoiRecordSize;
    const std::vector<std::uint8_t> device(area.bytes.begin(), area.bytes.begin() + length);
    for (ZoneOffset zone :
         {ZoneOffset::Hours(-12), ZoneOffset::Hours(-5), ZoneOffset{}, ZoneOffset{330},
          ZoneOffset{-210}, ZoneOffset{345}, ZoneOffset::Hours(8), ZoneOffset::Hours(14)}) {
        values.LocalZoneOffset = zone;
        ASSERT_TRUE(ReadPoiImage(list, area));
        TransferArea rebuilt;
        ASSERT_TRUE(BuildPoiImage(list, rebuilt).Ok()) << zone.minutes;
        EXPECT_EQ(std::vector<std::uint8_t>(rebuilt.bytes.begin(), rebuilt.bytes.begin() + length),
                  device)
            << zone.minutes;
    }
}

TEST_F(PoiImageTest, AZoneWithMinutesShowsTheLocalTime) {
    Place({Record(112, 2, 29, 23), Record(111, 12, 31, 18)});
    values.LocalZoneOffset = ZoneOffset{330};  // India
    ASSERT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.gridPoi.Cell(0, 1), "2012/03/01 05:00:15");
    EXPECT_EQ(list.gridPoi.Cell(0, 2), "2012/01/01 00:00:15");
    values.LocalZoneOffset = ZoneOffset{-210};  // Newfoundland
    ASSERT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.gridPoi.Cell(0, 1), "2012/02/29 20:00:15");
    EXPECT_EQ(list.gridPoi.Cell(0, 2), "2011/12/31 15:00:15");
}

TEST_F(PoiImageTest, AChangedOffsetShowsTheListAgainAndKeepsTheDeviceBytes) {
    Place({Record(112, 2, 29, 23), Record(110, 12, 31, 20)});
    const std::vector<std::uint8_t> device(area.bytes.begin(), area.bytes.begin() + 32);
    values.LocalZoneOffset = ZoneOffset::Hours(8);
    ASSERT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.gridPoi.Cell(0, 1), "2012/03/01 07:30:15");
    values.LocalZoneOffset = ZoneOffset{-210};
    list.ShowTimesAgain(ZoneOffset::Hours(8));
    EXPECT_EQ(list.gridPoi.Cell(0, 1), "2012/02/29 20:00:15");
    EXPECT_EQ(list.gridPoi.Cell(0, 2), "2010/12/31 17:00:15");
    TransferArea rebuilt;
    ASSERT_TRUE(BuildPoiImage(list, rebuilt).Ok());
    EXPECT_EQ(std::vector<std::uint8_t>(rebuilt.bytes.begin(), rebuilt.bytes.begin() + 32), device);
    // A cell that is no time is left as it is.
    list.gridPoi.SetCell(0, 2, "soon");
    values.LocalZoneOffset = ZoneOffset{};
    list.ShowTimesAgain(ZoneOffset{-210});
    EXPECT_EQ(list.gridPoi.Cell(0, 1), "2012/02/29 23:30:15");
    EXPECT_EQ(list.gridPoi.Cell(0, 2), "soon");
}

TEST_F(PoiImageTest, FirstByteFFGivesAnEmptyList) {
    FillPois(list, {{"old", "1", "1"}});
    list.SetSavable(true);
    area.bytes.assign(area.bytes.size(), 0xFF);
    area.TransferLength = 1024;
    EXPECT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.PoiCount, 0);
    EXPECT_TRUE(list.gridPoi.IsEmpty(0, 1));
    EXPECT_FALSE(list.CanSave() || list.CanUpload());
}

// Complete records are kept up to the list's 255 rows; a record cut short
// and the records past the rows are left out and counted.
TEST_F(PoiImageTest, RecordsBeyondTheListOrCutShortAreLeftOutAndCounted) {
    Place({Record(110, 1, 1, 1), Record(110, 2, 2, 2)});
    area.TransferLength = 20;  // the second record cut short
    EXPECT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.PoiCount, 1);
    EXPECT_EQ(CountPoiRecords(area.Valid()).leftOut, 1u);

    std::vector<std::vector<std::uint8_t>> many(300, Record(110, 1, 1, 1));
    many[254] = Record(111, 3, 4, 5);
    Place(many);
    EXPECT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.PoiCount, 255);
    EXPECT_EQ(list.gridPoi.Cell(kTextColumn, 255).substr(0, 10), "2011/03/04");
    const PoiRecordCount count = CountPoiRecords(area.Valid());
    EXPECT_EQ(count.kept, 255u);
    EXPECT_EQ(count.leftOut, 45u);
    EXPECT_EQ(PoisLeftOutText(count),
              "255 of 300 POIs were kept and 45 left out: the POI list holds at most 255, and a "
              "record cut short cannot be read.");

    area.TransferLength = TransferArea::kSize + 16;
    EXPECT_FALSE(ReadPoiImage(list, area));
    EXPECT_EQ(list.PoiCount, 0);
}

// The list ends at its end mark, a record of 16 bytes 0xFF. A record that is
// neither (one flipped bit in a year) is refused alone and the POIs after
// it are kept; the image is whole once the end mark or 255 POIs came.
TEST_F(PoiImageTest, RecordThatIsNoPoiIsRefusedAloneAndTheEndMarkEndsTheList) {
    std::vector<std::uint8_t> noPoi = Record(110 | 0x80, 2, 2, 2);
    Place({Record(110, 1, 1, 1), noPoi, Record(111, 3, 3, 3), noPoi, std::vector<std::uint8_t>(16, 0xFF),
           Record(112, 4, 4, 4)});
    EXPECT_TRUE(ReadPoiImage(list, area));
    EXPECT_EQ(list.PoiCount, 2);
    EXPECT_EQ(list.gridPoi.Cell(kTextColumn, 2).substr(0, 10), "2011/03/03");
    const PoiRecordCount count = CountPoiRecords(area.Valid());
    EXPECT_EQ(count.refused, (std::vector<std::size_t>{2, 4}));
    EXPECT_TRUE(count.Dropped());
    EXPECT_TRUE(count.Whole());
    EXPECT_EQ(PoisLeftOutText(count),
              "2 of 4 POIs were kept: records 2 and 4 are neither POIs nor the list's end and "
              "were refused.");

    area.TransferLength = 4 * 16;  // cut before the end mark
    EXPECT_FALSE(CountPoiRecords(area.Valid()).Whole());
    Place(std::vector<std::vector<std::uint8_t>>(255, Record(110, 1, 1, 1)));
    EXPECT_TRUE(CountPoiRecords(area.Valid()).Whole());
    EXPECT_FALSE(CountPoiRecords(area.Valid()).Dropped());
}

TEST_F(PoiImageTest, CellsThatDoNotConvertStopTheBuild) {
    area.bytes[0] = 0x5A;
    area.TransferLength = 3;
    struct Case {
        testing::ListRow row;
        ZoneOffset zone;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"yesterday", "1", "1"}, {}, "Row 2: 'yesterday' is not a valid date and time!"},
        {{"2010/13/01 00:00:00", "1", "1"},
         {},
         "Row 2: '2010/13/01 00:00:00' is not a valid date and time!"},
        {{"2011/02/29 12:00:00", "1", "1"},
         {},
         "Row 2: '2011/02/29 12:00:00' is not a valid date and time!"},
        {{"2101/01/01 00:00:00", "1", "1"},
         {},
         "Row 2: '2101/01/01 00:00:00' is not a valid date and time!"},
        {{"2100/12/31 23:00:00", "1", "1"},
         ZoneOffset::Hours(-2),
         "Row 2: '2100/12/31 23:00:00' is not a valid date and time!"},
        {{"2010/01/01 00:00:00", "north", "1"}, {}, "Row 2: 'north' is not a valid latitude!"},
        {{"2010/01/01 00:00:00", "95", "1"}, {}, "Row 2: '95' is not a valid latitude!"},
        {{"2010/01/01 00:00:00", "1", "200"}, {}, "Row 2: '200' is not a valid longitude!"},
    };
    for (const auto& c : cases) {
        values.LocalZoneOffset = c.zone;
        FillPois(list, {{"2010/01/01 00:00:00", "1", "1"}, c.row});
        ImageResult built = BuildPoiImage(list, area);
        EXPECT_EQ(built.error, c.message);
        EXPECT_EQ(area.bytes[0], 0x5A);
        EXPECT_EQ(area.TransferLength, 3u);
    }
}

}  // namespace
}  // namespace vantrel
