#include <gtest/gtest.h>

#include <string>

#include "base/Csv.h"
#include "cli/Cli.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

std::string ReadText(const std::string& path) {
    auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, {text.begin(), text.end()});
}

int Convert(std::vector<std::string> args) {
    return cli::RunConvert(args);
}

TEST(Csv, QuotesOnlyWhatNeedsItAndEscapesControls) {
    EXPECT_EQ(CsvLine({"plain", "a,b", "say \"hi\"", "two\nlines", ""}),
              "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n");
    // A track name from the device may hold anything; Zürich passes as it is.
    EXPECT_EQ(CsvLine({"\x1b[2Jx", "a\tb\x7f", "\xc2\x9b\u202Ecsv.exe", "Zürich", "\xff"}),
              "\\x1b[2Jx,a\\x09b\\x7f,\\u009b\\u202ecsv.exe,Zürich,\xff\r\n");
    std::string error;
    auto records = ParseCsv("\xEF\xBB\xBFx,\"a,\"\"b\"\"\r\nc\"\r\n\r\nlast,1", error);
    ASSERT_TRUE(records.has_value()) << error;
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ((*records)[0], (CsvRecord{"x", "a,\"b\"\r\nc"}));
    EXPECT_EQ((*records)[1], (CsvRecord{""}));
    EXPECT_EQ((*records)[2], (CsvRecord{"last", "1"}));
    EXPECT_FALSE(ParseCsv("a,b\nc,\"open", error));
    EXPECT_EQ(error, "line 2: a quoted field that is never closed");
    EXPECT_FALSE(ParseCsv("a\"b", error));
    EXPECT_FALSE(ParseCsv("\"a\"b", error));
}

TEST(PlanConvert, PlanCsvRoundTripsThroughAnRteFile) {
    ScratchFolder dir;
    const std::string csv =
        "title,latitude,longitude\r\n"
        "\"Harbour, east\",-33.85678,151.21\r\n"
        "Peak 峰,27.98806,86.925\r\n";
    WriteText(dir.File("in.csv"), csv);
    ASSERT_EQ(Convert({dir.File("in.csv"), dir.File("plan.RTE")}), cli::kOk);
    ASSERT_EQ(Convert({dir.File("plan.RTE"), dir.File("out.csv")}), cli::kOk);
    EXPECT_EQ(ReadText(dir.File("out.csv")), csv);
}

TEST(PlanConvert, PoiCsvTimesCarryTheirOffset) {
    ScratchFolder dir;
    // Times as the list shows them are read in the display zone; ISO 8601
    // times at their own offset.
    WriteText(dir.File("in.csv"),
              "time,latitude,longitude\r\n"
              "2010/05/04 04:00:00,22.3,114.2\r\n"
              "2010-12-31T17:30:00-02:30,-1,-2\r\n"
              "2012-02-29T23:30:00Z,1,2\r\n");
    ASSERT_EQ(Convert({dir.File("in.csv"), dir.File("p.wpt"), "--zone", "+8"}), cli::kOk);
    auto image = ReadBytes(dir.File("p.wpt"));
    ASSERT_EQ(image.size(), 48u);
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.begin() + 6),
              (std::vector<std::uint8_t>{110, 5, 3, 20, 0, 0}));  // the device's time
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 16, image.begin() + 22),
              (std::vector<std::uint8_t>{110, 12, 31, 20, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 32, image.begin() + 38),
              (std::vector<std::uint8_t>{112, 2, 29, 23, 30, 0}));

    const std::string shown =
        "time,latitude,longitude\r\n"
        "2010-05-04T04:00:00+08:00,22.3,114.2\r\n"
        "2011-01-01T04:00:00+08:00,-1,-2\r\n"
        "2012-03-01T07:30:00+08:00,1,2\r\n";
    ASSERT_EQ(Convert({"--zone", "+8", dir.File("p.wpt"), dir.File("east.csv")}), cli::kOk);
    EXPECT_EQ(ReadText(dir.File("east.csv")), shown);
    ASSERT_EQ(Convert({dir.File("p.wpt"), dir.File("india.csv"), "--zone", "5:30"}), cli::kOk);
    EXPECT_NE(ReadText(dir.File("india.csv")).find("2012-03-01T05:00:00+05:30"), std::string::npos);
    ASSERT_EQ(Convert({dir.File("p.wpt"), dir.File("utc.csv"), "--zone", "0"}), cli::kOk);
    EXPECT_NE(ReadText(dir.File("utc.csv")).find("2010-05-03T20:00:00Z"), std::string::npos);

    // Read back at another zone, the file gives the same device bytes.
    ASSERT_EQ(Convert({dir.File("east.csv"), dir.File("again.wpt"), "--zone", "-3:30"}), cli::kOk);
    EXPECT_EQ(ReadBytes(dir.File("again.wpt")), image);
    WriteText(dir.File("bad.csv"), "time,latitude,longitude\r\nnoon,1,2\r\n");
    EXPECT_EQ(Convert({dir.File("bad.csv"), dir.File("bad.wpt")}), cli::kBadFile);
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.wpt")));
}

TEST(PlanConvert, BadInputIsRefusedAndNothingIsWritten) {
    ScratchFolder dir;
    WriteText(dir.File("header.csv"), "name,lat,lng\r\nA,1,2\r\n");
    WriteText(dir.File("fields.csv"), "title,latitude,longitude\r\nA,1\r\n");
    WriteText(dir.File("number.csv"), "title,latitude,longitude\r\nA,1,2\r\nB,x,2\r\n");
    WriteText(dir.File("cut.csv"), "title,latitude,longitude\r\nA,1,2\r\nB,47.1,8.2");
    for (const char* name : {"header.csv", "fields.csv", "number.csv", "cut.csv", "missing.csv"})
        EXPECT_EQ(Convert({dir.File(name), dir.File("out.rte")}), cli::kBadFile) << name;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.rte")));
    EXPECT_EQ(Convert({dir.File("a.csv"), dir.File("b.kml")}), cli::kUsage);
    EXPECT_EQ(Convert({dir.File("a.csv")}), cli::kUsage);
    EXPECT_EQ(Convert({dir.File("a.csv"), dir.File("b.wpt"), "--zone", "east"}), cli::kUsage);
    WriteBytes(dir.File("bad.rte"), {1, 2, 3});
    EXPECT_EQ(Convert({dir.File("bad.rte"), dir.File("out.csv")}), cli::kBadFile);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));
}

}  // namespace
}  // namespace vantrel
