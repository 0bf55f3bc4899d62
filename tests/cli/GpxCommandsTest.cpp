// GPX, KML and CSV from the command line: straight from a memory image
// with more tracks and points than the track list holds, checked against
// the GPX 1.1 schema (xmllint) and read back by an independent GPX reader
// (gpsbabel); plans and POIs through GPX and back; GPX the device cannot
// hold refused without writing anything.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "sim/DeviceMemory.h"
#include "sim/Routes.h"
#include "support/Occurrences.h"
#include "support/ScratchFolder.h"
#include "tests/cli/QuietCall.h"

namespace vantrel::cli {
namespace {

using vantrel::testing::Occurrences;
using vantrel::testing::ScratchFolder;

// Runs a shell command; its exit status.
int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ExpectSchemaValid(const std::string& gpx) {
    EXPECT_EQ(Shell("xmllint --noout --schema " VANTREL_GPX_SCHEMA " '" + gpx + "' 2>/dev/null"), 0)
        << gpx << " does not validate";
}

// gpsbabel's CSV of a GPX file's tracks (-t), routes (-r) or waypoints (-w),
// times in UTC, without its header line.
std::vector<std::string> BabelLines(const ScratchFolder& folder, const std::string& gpx,
                                    const char* kind) {
    const std::string out = folder.File("babel.csv");
    EXPECT_EQ(Shell(std::string("TZ=UTC gpsbabel ") + kind + " -i gpx -f '" + gpx +
                    "' -o unicsv,utc=0 -F '" + out + "'"),
              0);
    std::vector<std::string> lines;
    std::istringstream in(ReadFileBytes(out).value_or(""));
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
}

// Our CSV's points as gpsbabel writes them: "n,lat,lon,alt,YYYY/MM/DD,hh:mm:ss".
std::vector<std::string> OurLines(const std::string& csv) {
    std::vector<std::string> lines;
    std::istringstream in(*ReadFileBytes(csv));
    std::string line;
    std::getline(in, line);  // header
    for (int n = 1; std::getline(in, line); ++n) {
        std::vector<std::string> f;
        std::istringstream fields(line.substr(0, line.size() - 1));
        for (std::string field; std::getline(fields, field, ',');)
            f.push_back(field);
        std::string date = f[1].substr(0, 10), time = f[1].substr(11, 8);
        std::replace(date.begin(), date.end(), '-', '/');
        lines.push_back(std::to_string(n) + "," + f[2] + "," + f[3] + "," + f[4] + "," + date +
                        "," + time);
    }
    return lines;
}

// 70 tracks of 1000 points: past the 64 tracks and 65536 rows of the list.
TEST(GpxCommands, MemoryImageBeyondTheTrackListLimits) {
    ScratchFolder folder;
    const std::string memory = folder.File("memory.bin");
    ASSERT_TRUE(
        WriteFileAtomically(memory, sim::LayOutTrackMemory(sim::GenerateTrackPoints(70, 1000))));
    for (const char* ext : {"gpx", "kml", "csv"})
        ASSERT_EQ(
            Call(RunAssemble, {memory, folder.File(std::string("all.") + ext), "--zone", "0"}),
            kOk);
    const std::string gpx = *ReadFileBytes(folder / "all.gpx");
    EXPECT_EQ(Occurrences(gpx, "<trk>"), 70u);
    EXPECT_EQ(Occurrences(gpx, "<trkpt "), 70000u);
    EXPECT_EQ(Occurrences(*ReadFileBytes(folder / "all.kml"), "<Placemark>"), 70u);
    ExpectSchemaValid(folder.File("all.gpx"));
    const auto ours = OurLines(folder.File("all.csv"));
    ASSERT_EQ(ours.size(), 70000u);
    EXPECT_EQ(BabelLines(folder, folder.File("all.gpx"), "-t"), ours);
}

// Track names with every character XML 1.0 forbids (as a track file's UTF-16
// header can hold them, a lone surrogate among them) still give GPX and KML
// that validate, each such character shown as U+FFFD.
TEST(GpxCommands, NamesWithForbiddenCharactersGiveValidXml) {
    ScratchFolder folder;
    const std::string memory = folder.File("memory.bin");
    const std::string trk = folder.File("names.trk");
    ASSERT_TRUE(
        WriteFileAtomically(memory, sim::LayOutTrackMemory(sim::GenerateTrackPoints(2, 3))));
    ASSERT_EQ(Call(RunAssemble, {memory, trk, "--zone", "0"}), kOk);
    std::u16string units;
    for (char16_t c = 1; c < 0x20; ++c)
        units += c;  // tab, line feed and carriage return among them, which stay
    units += u"\xFFFE\xFFFF";
    units += static_cast<char16_t>(0xD800);
    std::string bytes = *ReadFileBytes(trk);
    for (std::size_t entry = 0; entry < 2; ++entry) {
        const std::u16string name = units.substr(entry * 20, 20);
        std::memset(bytes.data() + entry * 66 + 2, 0, 42);
        std::memcpy(bytes.data() + entry * 66 + 2, name.data(), 2 * name.size());
    }
    ASSERT_TRUE(WriteFileAtomically(trk, bytes));
    for (const char* ext : {"gpx", "kml"})
        ASSERT_EQ(Call(RunConvert, {trk, folder.File(std::string("names.") + ext)}), kOk);
    ExpectSchemaValid(folder.File("names.gpx"));
    EXPECT_EQ(Shell("xmllint --noout --schema " VANTREL_KML_SCHEMA " '" + folder.File("names.kml") +
                    "' 2>/dev/null"),
              0);
    const std::string gpx = *ReadFileBytes(folder / "names.gpx");
    // 28 controls (tab, line feed and carriage return stay), two non-characters
    // and the surrogate.
    EXPECT_EQ(Occurrences(gpx, "\xEF\xBF\xBD"), 31u) << gpx;
}

// A log whose track-start flags are missing: one track until split at gaps.
TEST(GpxCommands, SplitGapStartsTracksAtPauses) {
    ScratchFolder folder;
    auto points = sim::GenerateTrackPoints(3, 20);
    for (auto& p : points)
        p.trackStart = false;
    ASSERT_TRUE(WriteFileAtomically(folder.File("m.bin"), sim::LayOutTrackMemory(points)));
    ASSERT_EQ(Call(RunAssemble, {folder.File("m.bin"), folder.File("one.gpx")}), kOk);
    EXPECT_EQ(Occurrences(*ReadFileBytes(folder / "one.gpx"), "<trk>"), 1u);
    ASSERT_EQ(
        Call(RunAssemble, {folder.File("m.bin"), folder.File("three.gpx"), "--split-gap", "600"}),
        kOk);
    const std::string three = *ReadFileBytes(folder / "three.gpx");
    EXPECT_EQ(Occurrences(three, "<trk>"), 3u);
    EXPECT_NE(three.find("<name>Track0.3</name>"), std::string::npos);
    ExpectSchemaValid(folder.File("three.gpx"));

    // Through a track file, the same.
    ASSERT_EQ(Call(RunAssemble, {folder.File("m.bin"), folder.File("m.trk"), "--zone", "5"}), kOk);
    ASSERT_EQ(Call(RunConvert, {folder.File("m.trk"), folder.File("m.gpx"), "--zone", "5",
                                "--split-gap", "600"}),
              kOk);
    EXPECT_EQ(*ReadFileBytes(folder / "m.gpx"), three);
    // A track file can be split as it is written, too.
    ASSERT_EQ(Call(RunAssemble, {folder.File("m.bin"), folder.File("split.trk"), "--zone", "5",
                                 "--split-gap", "600"}),
              kOk);
    ASSERT_EQ(Call(RunConvert, {folder.File("split.trk"), folder.File("s.gpx"), "--zone", "5"}),
              kOk);
    EXPECT_EQ(*ReadFileBytes(folder / "s.gpx"), three);
    EXPECT_EQ(Call(RunConvert, {folder.File("m.trk"), folder.File("x.gpx"), "--split-gap", "0"}),
              kUsage);
}

TEST(GpxCommands, PlanAndPoisThroughGpxAndBack) {
    ScratchFolder folder;
    const sim::DeviceMemory demo = sim::DemoMemory(0, 0);
    ASSERT_TRUE(WriteFileAtomically(folder.File("demo.rte"), demo.plan));
    ASSERT_TRUE(WriteFileAtomically(folder.File("demo.wpt"), demo.poi));
    ASSERT_EQ(Call(RunConvert, {folder.File("demo.rte"), folder.File("plan.gpx")}), kOk);
    ASSERT_EQ(Call(RunConvert, {folder.File("demo.wpt"), folder.File("poi.gpx"), "--zone", "3"}),
              kOk);
    ExpectSchemaValid(folder.File("plan.gpx"));
    ExpectSchemaValid(folder.File("poi.gpx"));
    EXPECT_FALSE(BabelLines(folder, folder.File("plan.gpx"), "-r").empty());

    // Back to device images: the POIs byte for byte, the plan's points.
    ASSERT_EQ(Call(RunConvert, {folder.File("poi.gpx"), folder.File("back.wpt"), "--zone", "-7"}),
              kOk);
    EXPECT_EQ(ReadFileBytes(folder / "back.wpt"), ReadFileBytes(folder / "demo.wpt"));
    ASSERT_EQ(Call(RunConvert, {folder.File("plan.gpx"), folder.File("back.rte")}), kOk);
    ASSERT_EQ(Call(RunConvert, {folder.File("back.rte"), folder.File("back.csv")}), kOk);
    ASSERT_EQ(Call(RunConvert, {folder.File("demo.rte"), folder.File("demo.csv")}), kOk);
    EXPECT_EQ(ReadFileBytes(folder / "back.csv"), ReadFileBytes(folder / "demo.csv"));

    // gpsbabel's own GPX of the waypoints reads back as the same POIs.
    ASSERT_EQ(Shell("gpsbabel -i gpx -f '" + folder.File("poi.gpx") + "' -o gpx,gpxver=1.1 -F '" +
                    folder.File("babel.gpx") + "'"),
              0);
    ASSERT_EQ(Call(RunConvert, {folder.File("babel.gpx"), folder.File("babel.wpt")}), kOk);
    EXPECT_EQ(ReadFileBytes(folder / "babel.wpt"), ReadFileBytes(folder / "demo.wpt"));
}

TEST(GpxCommands, UnreadableOrCorruptInputWritesNothing) {
    ScratchFolder folder;
    ASSERT_TRUE(WriteFileAtomically(folder.File("short.bin"), std::string(10, '\x01')));
    ASSERT_TRUE(WriteFileAtomically(folder.File("bad.trk"), std::string(5000, 'x')));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Call(RunAssemble, {folder.File("short.bin"), folder.File("o.gpx")}), kBadFile);
    EXPECT_EQ(Call(RunAssemble, {folder.Path().string(), folder.File("o.gpx")}), kBadFile);
    EXPECT_EQ(Call(RunConvert, {folder.File("bad.trk"), folder.File("o.gpx")}), kBadFile);
    EXPECT_EQ(Call(RunConvert, {folder.File("bad.trk"), folder.File("o.csv")}), kBadFile);
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(std::filesystem::exists(folder / "o.gpx"));
    EXPECT_FALSE(std::filesystem::exists(folder / "o.csv"));
    // An output that cannot be written.
    ASSERT_TRUE(WriteFileAtomically(folder.File("m.bin"),
                                    sim::LayOutTrackMemory(sim::GenerateTrackPoints(1, 3))));
    EXPECT_EQ(Call(RunAssemble, {folder.File("m.bin"), folder.File("none/o.gpx")}), kBadFile);
}

TEST(GpxCommands, UnreadableOrUnfitGpxWritesNothing) {
    ScratchFolder folder;
    const std::string longName(40, 'n');
    ASSERT_TRUE(WriteFileAtomically(folder.File("long.gpx"),
                                    "<gpx version=\"1.1\"><rte><rtept lat=\"1\" lon=\"2\"><name>" +
                                        longName + "</name></rtept></rte></gpx>"));
    ASSERT_TRUE(WriteFileAtomically(folder.File("broken.gpx"), std::string("<gpx><wpt")));
    // 40 names of 26 different CJK characters each: 1040, past the 1023 a plan holds.
    std::string route = "<gpx version=\"1.1\"><rte>";
    for (char32_t c = 0x4E00; c < 0x4E00 + 40 * 26;) {
        std::string name;
        for (int i = 0; i < 26; ++i, ++c)
            name +=
                {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        route += "<rtept lat=\"1\" lon=\"2\"><name>" + name + "</name></rtept>";
    }
    ASSERT_TRUE(WriteFileAtomically(folder.File("chars.gpx"), route + "</rte></gpx>"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Call(RunConvert, {folder.File("long.gpx"), folder.File("out.rte")}), kBadFile);
    EXPECT_EQ(Call(RunConvert, {folder.File("broken.gpx"), folder.File("out.wpt")}), kBadFile);
    EXPECT_EQ(Call(RunConvert, {folder.File("chars.gpx"), folder.File("out.rte")}), kBadFile);
    EXPECT_EQ(Call(RunConvert, {folder.File("none.gpx"), folder.File("out.wpt")}), kBadFile);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("route point 1: the title '" + longName + "' has 40 characters"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("broken.gpx: not XML"), std::string::npos) << errors;
    EXPECT_NE(errors.find("1040 different characters, more than the 1023"), std::string::npos)
        << errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.rte"));
    EXPECT_FALSE(std::filesystem::exists(folder / "out.wpt"));
}

// A route point (plan) or waypoint with its name or time.
std::string GpxPoint(bool plan, const std::string& name, const std::string& latitude,
                     const std::string& longitude) {
    const std::string attributes = " lat=\"" + latitude + "\" lon=\"" + longitude + "\">";
    return plan ? "<rtept" + attributes + "<name>" + name + "</name></rtept>"
                : "<wpt" + attributes + "<time>" + name + "</time></wpt>";
}

// What the device cannot hold is refused alike from GPX and from CSV, the
// first unfit point or row named, and nothing is written.
TEST(GpxCommands, CsvIsRefusedLikeItsGpxTwin) {
    ScratchFolder folder;
    struct Twin {
        bool plan;
        std::string name, latitude, longitude;  // name: a title or an ISO time
        std::string reason;
    };
    const std::string longTitle(40, 't');
    const std::string time = "2012-03-01T07:30:00Z";
    const std::vector<Twin> twins = {
        {true, "far", "999", "1", "'999' is not a valid latitude"},
        {true, "west", "1", "-720", "'-720' is not a valid longitude"},
        {true, longTitle, "1", "1",
         "the title '" + longTitle + "' has 40 characters, more than the 31 a plan title holds"},
        {false, time, "95", "1", "'95' is not a valid latitude"},
        {false, time, "1", "200", "'200' is not a valid longitude"},
        {false, "2012-02-31T07:30:00Z", "1", "1", "'2012-02-31T07:30:00Z' is not"},
    };
    for (const Twin& t : twins) {
        const std::string ok = t.plan ? "ok" : time;
        const std::string points =
            GpxPoint(t.plan, ok, "1", "1") + GpxPoint(t.plan, t.name, t.latitude, t.longitude);
        const std::string gpx = "<gpx version=\"1.1\">" +
                                (t.plan ? "<rte>" + points + "</rte>" : points) + "</gpx>";
        const std::string csv = std::string(t.plan ? "title" : "time") +
                                ",latitude,longitude\r\n" + ok + ",1,1\r\n" + t.name + "," +
                                t.latitude + "," + t.longitude + "\r\n";
        ASSERT_TRUE(WriteFileAtomically(folder.File("in.gpx"), gpx));
        ASSERT_TRUE(WriteFileAtomically(folder.File("in.csv"), csv));
        const std::string out = folder.File(t.plan ? "out.rte" : "out.wpt");
        for (const char* in : {"in.gpx", "in.csv"}) {
            ::testing::internal::CaptureStderr();
            EXPECT_EQ(Call(RunConvert, {folder.File(in), out}), kBadFile) << in << " " << t.reason;
            const std::string errors = ::testing::internal::GetCapturedStderr();
            const std::string row = std::string(in) == "in.csv" ? "row 2: "
                                    : t.plan                     ? "route point 2: "
                                                                 : "waypoint 2: ";
            EXPECT_NE(errors.find(folder.File(in) + ": " + row + t.reason), std::string::npos)
                << errors;
            EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
}

}  // namespace
}  // namespace vantrel::cli
