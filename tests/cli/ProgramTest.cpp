// The built vantrel-cli run as a user runs it: shell lines with pipes and
// redirections, against files on disk and the simulated device on a pty.
// What reaches stdout and stderr, and the exit code, are checked apart.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "serial/TCommSerialPortInfo.h"
#include "sim/DemoImages.h"
#include "sim/Routes.h"
#include "sim/Simulator.h"
#include "sim/TrackMemory.h"
#include "support/MbtilesMaker.h"
#include "support/ScratchFolder.h"
#include "tracks/TrackTable.h"

namespace vantrel::cli {
namespace {

using vantrel::testing::ScratchFolder;

struct Ran {
    int code;
    std::string out;
    std::string err;
};

// Runs a bash script in the folder with $CLI the built program and
// $SCHEMA the GPX 1.1 schema; pipelines fail when any part fails.
class Program : public ::testing::Test {
  protected:
    Ran Run(const std::string& script) {
        const std::string file = folder_.File(".script");
        EXPECT_TRUE(WriteFileAtomically(
            file, "set -o pipefail\ncd '" + folder_.Path().string() + "'\n" + script + "\n"));
        const std::string command = "CLI='" VANTREL_CLI "' SCHEMA='" VANTREL_GPX_SCHEMA "' bash '" +
                                    file + "' >'" + folder_.File(".out") + "' 2>'" +
                                    folder_.File(".err") + "' </dev/null";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                ReadFileBytes(folder_.File(".out")).value_or(""),
                ReadFileBytes(folder_.File(".err")).value_or("")};
    }

    // A track file with `tracks` tracks of 5 points, made by assemble.
    void MakeTrackFile(const std::string& name, std::size_t tracks) {
        ASSERT_TRUE(
            WriteFileAtomically(folder_.File("memory.bin"),
                                sim::LayOutTrackMemory(sim::GenerateTrackPoints(tracks, 5))));
        ASSERT_EQ(Run("$CLI assemble memory.bin " + name + " --zone 0 -q").code, kOk);
    }

    ScratchFolder folder_;
};

#define EXPECT_HAS(text, part) \
    EXPECT_NE((text).find(part), std::string::npos) << "no '" << (part) << "' in:\n" << (text)

TEST_F(Program, EveryOptionTakesItsValueAfterAnEqualsSignOrAsTheNextArgument) {
    ASSERT_TRUE(WriteFileAtomically(folder_.File("p.wpt"), sim::GeneratedPoiImage(3)));
    MakeTrackFile("t.trk", 2);
    const Ran spaced = Run("$CLI convert p.wpt spaced.csv --zone 5:30");
    const Ran joined = Run("$CLI convert --zone=5:30 p.wpt joined.csv");
    const Ran negative =
        Run("$CLI convert p.wpt negative.csv --zone -3:30 && "
            "$CLI convert p.wpt negative2.csv --zone=-3:30");
    ASSERT_EQ(spaced.code, kOk) << spaced.err;
    ASSERT_EQ(joined.code, kOk) << joined.err;
    ASSERT_EQ(negative.code, kOk) << negative.err;
    EXPECT_HAS(*ReadFileBytes(folder_.File("spaced.csv")), "+05:30,");
    EXPECT_EQ(ReadFileBytes(folder_.File("spaced.csv")), ReadFileBytes(folder_.File("joined.csv")));
    EXPECT_HAS(*ReadFileBytes(folder_.File("negative.csv")), "-03:30,");
    EXPECT_EQ(ReadFileBytes(folder_.File("negative.csv")),
              ReadFileBytes(folder_.File("negative2.csv")));

    // A memory image from standard input straight to standard output.
    const Ran piped =
        Run("$CLI -q assemble - - --format gpx < memory.bin > piped.gpx && "
            "xmllint --noout --schema \"$SCHEMA\" piped.gpx");
    EXPECT_EQ(piped.code, kOk) << piped.err;
    const Ran formats =
        Run("$CLI convert t.trk - --format=csv > a.csv && "
            "$CLI convert t.trk - --format csv --split-gap=3600 > b.csv && "
            "$CLI convert -q t.trk -- c.csv");
    ASSERT_EQ(formats.code, kOk) << formats.err;
    EXPECT_EQ(ReadFileBytes(folder_.File("a.csv")), ReadFileBytes(folder_.File("b.csv")));
    EXPECT_EQ(ReadFileBytes(folder_.File("a.csv")), ReadFileBytes(folder_.File("c.csv")));
}

TEST_F(Program, StandardInputAndOutputCarryOnlyTheData) {
    sim::Simulator device(sim::DemoMemory(2, 300));
    device.Start();
    const std::string port = " --port " + device.PortPath() + " --zone 0";
    const Ran gpx = Run("$CLI download tracks - --format gpx" + port +
                        " | tee t.gpx | xmllint --noout --schema \"$SCHEMA\" -");
    const Ran trk = Run("$CLI download tracks t.trk" + port + " -q");
    device.Stop();
    ASSERT_EQ(gpx.code, kOk) << gpx.err;
    EXPECT_EQ(ReadFileBytes(folder_.File("t.gpx"))->rfind("<?xml", 0), 0u);
    // The summary and progress went to stderr.
    EXPECT_HAS(gpx.err, "2 tracks, 600 points written to standard output");
    ASSERT_EQ(trk.code, kOk) << trk.err;

    const Ran kml = Run("$CLI convert - out.kml --format trk < t.trk");
    ASSERT_EQ(kml.code, kOk) << kml.err;
    EXPECT_EQ(kml.out, "2 tracks, 600 points written to out.kml\n");
    EXPECT_HAS(*ReadFileBytes(folder_.File("out.kml")), "<Placemark>");
    // A plan through two pipes comes back as it was.
    ASSERT_TRUE(WriteFileAtomically(folder_.File("p.csv"),
                                    "title,latitude,longitude\r\nStart,47.5,8.25\r\n"));
    const Ran plan = Run("$CLI convert p.csv - --format rte | $CLI convert - - --format rte");
    EXPECT_EQ(plan.code, kUsage);  // one format cannot name both ends
    const Ran round =
        Run("$CLI convert p.csv - --format rte | $CLI convert - back.csv "
            "--format rte");
    ASSERT_EQ(round.code, kOk) << round.err;
    EXPECT_EQ(ReadFileBytes(folder_.File("back.csv")), ReadFileBytes(folder_.File("p.csv")));
}

TEST_F(Program, QuietLeavesOnlyErrors) {
    MakeTrackFile("t.trk", 2);
    for (const char* flag : {"-q", "--quiet"}) {
        const Ran quiet = Run(std::string("$CLI convert t.trk t.gpx ") + flag);
        EXPECT_EQ(quiet.code, kOk) << quiet.err;
        EXPECT_EQ(quiet.out + quiet.err, "") << flag;
    }
    // No progress either.
    sim::Simulator device(sim::DemoMemory(1, 300));
    device.Start();
    const Ran download = Run("$CLI download tracks d.gpx -q --port " + device.PortPath());
    device.Stop();
    EXPECT_EQ(download.code, kOk) << download.err;
    EXPECT_EQ(download.out + download.err, "");

    const Ran loud = Run("$CLI convert t.trk t.gpx");
    EXPECT_EQ(loud.out, "2 tracks, 10 points written to t.gpx\n");
    const Ran failed = Run("$CLI convert none.trk t.gpx -q");
    EXPECT_EQ(failed.code, kBadFile);
    EXPECT_EQ(failed.err, "vantrel-cli: cannot read none.trk: No such file or directory\n");
}

TEST_F(Program, UsageErrorsGoToStderrWithExitTwoAndHelpToStdout) {
    for (const char* line : {"$CLI", "$CLI frobnicate", "$CLI --frobnicate", "$CLI convert a.trk",
                             "$CLI convert a.trk b.gpx --frobnicate", "$CLI info a.trk --zone",
                             "$CLI convert a.trk b.gpx --quiet=yes", "$CLI convert - b.gpx",
                             "$CLI convert a.trk b.gpx --format gpx", "$CLI download maps t.gpx",
                             "$CLI convert a.trk b.gpx --format shp", "$CLI version now"}) {
        const Ran ran = Run(line);
        EXPECT_EQ(ran.code, kUsage) << line;
        EXPECT_EQ(ran.out, "") << line;
        EXPECT_EQ(ran.err.rfind("vantrel-cli: ", 0) == 0 || ran.err.rfind("usage: ", 0) == 0, true)
            << line << ":\n"
            << ran.err;
        EXPECT_HAS(ran.err, "usage: vantrel-cli");
    }
    for (const char* line : {"$CLI --help", "$CLI help", "$CLI convert --help", "$CLI info -h"}) {
        const Ran ran = Run(line);
        EXPECT_EQ(ran.code, kOk) << line;
        EXPECT_EQ(ran.err, "") << line;
        EXPECT_EQ(ran.out.rfind("usage: vantrel-cli ", 0), 0u) << line;
    }
}

TEST_F(Program, ErrorsNameTheFileAndTheSystemsReason) {
    MakeTrackFile("t.trk", 1);
    ASSERT_TRUE(WriteFileAtomically(folder_.File("bad.trk"), "not a track file"));
    ASSERT_TRUE(WriteFileAtomically(folder_.File("empty.rte"), ""));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"$CLI convert t.trk nowhere/t.gpx",
         "cannot write nowhere/t.gpx: No such file or directory"},
        {"$CLI convert t.trk t.trk/t.gpx", "cannot write t.trk/t.gpx: Not a directory"},
        {"$CLI convert t.trk - --format gpx > /dev/full",
         "cannot write standard output: No space left on device"},
        {"$CLI convert missing.rte p.csv", "cannot read missing.rte: No such file or directory"},
        {"$CLI convert - p.csv --format rte < empty.rte",
         "cannot read standard input: the file is empty"},
        {"mkdir d.trk; $CLI info d.trk", "cannot read d.trk: Is a directory"},
        {"$CLI info bad.trk", "cannot read bad.trk: the file ends inside its track table"},
    };
    for (const auto& [line, message] : cases) {
        const Ran ran = Run(line);
        EXPECT_EQ(ran.code, kBadFile) << line;
        EXPECT_HAS(ran.err, "vantrel-cli: " + message);
        EXPECT_EQ(ran.err.find("File Error!"), std::string::npos);
        EXPECT_EQ(ran.err.find("cannot be written"), std::string::npos);
    }
    // A folder the user may not write to (root may write anywhere).
    if (::geteuid() != 0) {
        const Ran ran = Run("mkdir ro && chmod 555 ro && $CLI convert t.trk ro/t.gpx");
        EXPECT_EQ(ran.code, kBadFile);
        EXPECT_HAS(ran.err, "cannot write ro/t.gpx: Permission denied");
    }
}

TEST_F(Program, NoDeviceIsToldInTheCommandLinesOwnWords) {
    for (const auto& tty : ListSerialTtys(TCommSerialPortInfo::DefaultSysfsRoot))
        if (tty.driver == "cp210x") GTEST_SKIP() << "a device bridge is attached";
    const Ran ran = Run("env -u VANTREL_PORT $CLI settings");
    EXPECT_EQ(ran.code, kNoDevice);
    EXPECT_EQ(ran.err,
              "vantrel-cli: no device found: no serial port has the device's cp210x driver; "
              "connect the device, or name its port with --port P or VANTREL_PORT\n");
}

// Track names set in a track file's header.
void RenameTracks(const std::string& path, const std::vector<std::string>& names) {
    std::string bytes = *ReadFileBytes(path);
    TrackEntryTable table;
    std::memcpy(table.data(), bytes.data(), sizeof table);
    for (std::size_t k = 0; k < names.size(); ++k)
        SetEntryName(table[k], names[k]);
    std::memcpy(bytes.data(), table.data(), sizeof table);
    ASSERT_TRUE(WriteFileAtomically(path, bytes));
}

// The columns a terminal gives the test's text: CJK ideographs (three
// UTF-8 bytes here) take two, every other character one.
std::size_t Columns(const std::string& text) {
    std::size_t columns = 0;
    for (unsigned char c : text)
        columns += (c & 0xC0) != 0x80 ? ((c & 0xF0) == 0xE0 ? 2 : 1) : 0;
    return columns;
}

TEST_F(Program, InfoAlignsWideTitlesAndShowsControlCharactersEscaped) {
    MakeTrackFile("t.trk", 3);
    RenameTracks(folder_.File("t.trk"), {"山道走行", "Evil\x1b[2Jname", "Plain"});
    const Ran info = Run("$CLI info t.trk --zone 0");
    ASSERT_EQ(info.code, kOk) << info.err;
    EXPECT_EQ(info.out.find('\x1b'), std::string::npos) << info.out;
    EXPECT_HAS(info.out, "Evil\\x1b[2Jname");

    // Each row's start time, duration and speeds begin at the heading's
    // columns, counted as the terminal counts them.
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = info.out.find('\n', at)) != std::string::npos;
         at = end + 1)
        lines.push_back(info.out.substr(at, end - at));
    ASSERT_EQ(lines.size(), 6u) << info.out;
    const std::string& heading = lines[2];
    EXPECT_HAS(heading, "points  start");
    const std::size_t startColumn = Columns(heading.substr(0, heading.find("start")));
    const std::size_t lineColumns = Columns(lines[3]);
    for (std::size_t row = 3; row < 6; ++row) {
        EXPECT_EQ(Columns(lines[row].substr(0, lines[row].find("2011-"))), startColumn) << info.out;
        EXPECT_EQ(Columns(lines[row]), lineColumns) << info.out;
        EXPECT_HAS(lines[row], "  5  2011-01-25 ");  // 5 points, then the start
        EXPECT_HAS(lines[row], "0:00:20");           // 5 points 5 s apart
    }
    // Each track of a download has a colour of its own, red the first.
    EXPECT_HAS(lines[3], "#FF0000");
    EXPECT_HAS(lines[4], "#0060C0");
    EXPECT_HAS(lines[5], "#00A020");
}

// Language names are file names: a program beside a data folder of its own
// shows one with control characters escaped.
TEST_F(Program, LanguageNamesShowControlCharactersEscaped) {
    const Ran ran =
        Run("mkdir -p bin share/vantrel/language && cp \"$CLI\" bin/ && "
            "touch share/vantrel/language/ENGLISH.man "
            "\"share/vantrel/language/EVIL$(printf '\\033]0;owned\\007').man\" && "
            "bin/vantrel-cli languages");
    ASSERT_EQ(ran.code, kOk) << ran.err;
    EXPECT_EQ(ran.out.find('\x1b'), std::string::npos) << ran.out;
    EXPECT_HAS(ran.out, "\nEVIL\\x1b]0;owned\\x07\n");
    EXPECT_HAS(ran.out, "\nENGLISH\n");
}

// The maps the window was given: the online tiles, the cache and the
// offline maps, the one shown marked; one that cannot be read any more is
// listed as such, with exit code 7.
TEST_F(Program, MapsListsTheTilesTheCacheAndTheOfflineMaps) {
    testing::MakeMbtiles(folder_ / "alps.mbtiles",
                         {{"name", "Alps"}, {"format", "png"}, {"attribution", "Hikers"}}, 3, 5,
                         "\x89PNG\r\n\x1a\nx");
    const Ran ran =
        Run("mkdir -p cfg/vantrel && printf '%s\\n' '[Software\\vantrel\\gpsapp\\1.0]' "
            "\"map1=$PWD/alps.mbtiles\" \"map2=$PWD/gone.mbtiles\" \"base_map=$PWD/alps.mbtiles\" "
            "'tile_cache_mib=64' > cfg/vantrel/vantrel.ini && "
            "XDG_CONFIG_HOME=$PWD/cfg XDG_CACHE_HOME=$PWD/cache VANTREL_TILE_URL= $CLI maps");
    EXPECT_EQ(ran.code, kIncomplete) << ran.err;
    EXPECT_HAS(ran.out, "   online      https://tile.openstreetmap.org/{z}/{x}/{y}.png");
    EXPECT_HAS(ran.out, "/cache/vantrel/tiles.mbtiles");
    EXPECT_HAS(ran.out, "none yet, at most 64.0 MiB");
    EXPECT_HAS(ran.out, "*  Alps");
    EXPECT_HAS(ran.out, "alps.mbtiles");
    EXPECT_HAS(ran.out, "png, zoom 3-5, Hikers");
    EXPECT_HAS(ran.out, "unreadable");
    EXPECT_HAS(ran.out, "gone.mbtiles cannot be opened");
}

TEST_F(Program, ProgressOffATerminalIsOneLineForAShortTransfer) {
    sim::Simulator device(sim::DemoMemory(2, 300));
    device.Start();
    const Ran ran = Run("$CLI download tracks t.gpx --port " + device.PortPath());
    device.Stop();
    ASSERT_EQ(ran.code, kOk) << ran.err;
    // Under the log interval only the final line is written.
    EXPECT_EQ(ran.err.find('\r'), std::string::npos) << ran.err;
    EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
    EXPECT_EQ(ran.err.rfind("tracks ", 0), 0u) << ran.err;
    EXPECT_EQ(ran.out, "2 tracks, 600 points written to t.gpx\n");
}

}  // namespace
}  // namespace vantrel::cli
