#include <gtest/gtest.h>

#include <string>

#include "app/Csv.h"
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

TEST(Csv, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvLine({"plain", "a,b", "say \"hi\"", "two\nlines", ""}),
              "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n");
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

TEST(PlanConvert, PoiCsvKeepsTimesInTheDisplayZone) {
    ScratchFolder dir;
    const std::string csv =
        "time,latitude,longitude\r\n"
        "2010/05/04 04:00:00,22.3,114.2\r\n"
        "2011/01/01 04:00:00,-1,-2\r\n";
    WriteText(dir.File("in.csv"), csv);
    ASSERT_EQ(Convert({dir.File("in.csv"), dir.File("p.wpt"), "--zone", "+8"}), cli::kOk);
    auto image = ReadBytes(dir.File("p.wpt"));
    ASSERT_EQ(image.size(), 32u);
    EXPECT_EQ(image[3], 20);  // the device holds 2010/05/03 20:00
    ASSERT_EQ(Convert({"--zone", "+8", dir.File("p.wpt"), dir.File("same.csv")}), cli::kOk);
    EXPECT_EQ(ReadText(dir.File("same.csv")), csv);
    ASSERT_EQ(Convert({dir.File("p.wpt"), dir.File("utc.csv"), "--zone", "0"}), cli::kOk);
    EXPECT_NE(ReadText(dir.File("utc.csv")).find("2010/05/03 20:00:00"), std::string::npos);
}

TEST(PlanConvert, BadInputIsRefusedAndNothingIsWritten) {
    ScratchFolder dir;
    WriteText(dir.File("header.csv"), "name,lat,lng\r\nA,1,2\r\n");
    WriteText(dir.File("fields.csv"), "title,latitude,longitude\r\nA,1\r\n");
    WriteText(dir.File("number.csv"), "title,latitude,longitude\r\nA,1,2\r\nB,x,2\r\n");
    for (const char* name : {"header.csv", "fields.csv", "number.csv", "missing.csv"})
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
