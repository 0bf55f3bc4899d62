// Our track exports in the tools people use: gpsbabel reads every point of
// our KML (written straight from memory and through a track file, with a
// bad record in the middle of a track), the KML validates against the KML
// 2.2 elements it uses, and exiftool geotags a photo taken at a logged
// fix's UTC time onto that fix.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "sim/Routes.h"
#include "support/ScratchFolder.h"
#include "tests/cli/QuietCall.h"

namespace vantrel::cli {
namespace {

using vantrel::testing::ScratchFolder;

// Runs a shell command; its standard output, or nothing when it failed.
std::optional<std::string> ShellOutput(const std::string& command) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = ::pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

// "latitude,longitude" of every point gpsbabel reads from a KML file's tracks.
std::vector<std::string> BabelPositions(const std::string& kml, const std::string& csv) {
    auto out = ShellOutput("gpsbabel -t -i kml -f '" + kml + "' -o unicsv -F '" + csv + "' && cat '" +
                   csv + "'");
    EXPECT_TRUE(out) << "gpsbabel cannot read " << kml;
    std::vector<std::string> lines = Lines(out.value_or(""));
    std::vector<std::string> positions;
    for (std::size_t i = 1; i < lines.size(); ++i) {  // after the header "No,Latitude,..."
        const auto f = Fields(lines[i]);
        if (f.size() >= 3) positions.push_back(f[1] + "," + f[2]);
    }
    return positions;
}

// The same from our CSV ("track,time,latitude,longitude,...").
std::vector<std::string> CsvPositions(const std::string& csv) {
    std::vector<std::string> lines = Lines(*ReadFileBytes(csv));
    std::vector<std::string> positions;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = Fields(lines[i]);
        positions.push_back(f[2] + "," + f[3]);
    }
    return positions;
}

TEST(TrackTools, GpsbabelReadsEveryPointOfOurValidKml) {
    ScratchFolder folder;
    std::vector<std::uint8_t> memory = sim::LayOutTrackMemory(sim::GenerateTrackPoints(3, 99));
    memory[sim::RecordOffset(150) + 19] ^= 0x5A;  // a bad record in the middle of track 1
    ASSERT_TRUE(WriteFileAtomically(folder.File("memory.bin"), memory));
    for (const char* out : {"straight.kml", "all.csv", "day.trk"})
        ASSERT_EQ(Call(RunAssemble, {folder.File("memory.bin"), folder.File(out), "--zone", "0"}),
                  kOk);
    // Through the track file, as the window's Save writes KML.
    ASSERT_EQ(Call(RunConvert, {folder.File("day.trk"), folder.File("kept.kml"), "--zone", "0"}),
              kOk);
    const std::vector<std::string> ours = CsvPositions(folder.File("all.csv"));
    ASSERT_EQ(ours.size(), 3u * 99 - 1);
    for (const char* kml : {"straight.kml", "kept.kml"}) {
        EXPECT_TRUE(ShellOutput("xmllint --noout --schema " VANTREL_KML_SCHEMA " '" + folder.File(kml) +
                        "' 2>&1"))
            << kml << " does not validate";
        EXPECT_EQ(BabelPositions(folder.File(kml), folder.File("babel.csv")), ours) << kml;
    }
    const std::string kept = *ReadFileBytes(folder / "kept.kml");
    EXPECT_NE(kept.find("<name>kept</name>"), std::string::npos);  // the file, not its folders
    EXPECT_EQ(kept.find(folder.Path().string()), std::string::npos);
}

// The distance in metres between two positions in degrees.
double Metres(double lat1, double lon1, double lat2, double lon2) {
    const double rad = std::numbers::pi / 180;
    const double a = std::pow(std::sin((lat2 - lat1) * rad / 2), 2) +
                     std::cos(lat1 * rad) * std::cos(lat2 * rad) *
                         std::pow(std::sin((lon2 - lon1) * rad / 2), 2);
    return 2 * 6371000 * std::asin(std::sqrt(a));
}

// A 1 x 1 JPEG: the segments a photo file needs, no camera data yet.
const unsigned char kTinyJpeg[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x01, 0x00,
    0x48, 0x00, 0x48, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x03, 0x02, 0x02, 0x02, 0x02,
    0x02, 0x03, 0x02, 0x02, 0x02, 0x03, 0x03, 0x03, 0x03, 0x04, 0x06, 0x04, 0x04, 0x04, 0x04,
    0x04, 0x08, 0x06, 0x06, 0x05, 0x06, 0x09, 0x08, 0x0A, 0x0A, 0x09, 0x08, 0x09, 0x09, 0x0A,
    0x0C, 0x0F, 0x0C, 0x0A, 0x0B, 0x0E, 0x0B, 0x09, 0x09, 0x0D, 0x11, 0x0D, 0x0E, 0x0F, 0x10,
    0x10, 0x11, 0x10, 0x0A, 0x0C, 0x12, 0x13, 0x12, 0x10, 0x13, 0x0F, 0x10, 0x10, 0x10, 0xFF,
    0xC9, 0x00, 0x0B, 0x08, 0x00, 0x01, 0x00, 0x01, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xCC, 0x00,
    0x06, 0x00, 0x10, 0x10, 0x05, 0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,
    0xD2, 0xCF, 0x20, 0xFF, 0xD9};

// A camera whose clock keeps UTC takes a photo at the moment of a fix of a
// drive at 16 m/s: geotagged from our GPX it lands on that fix (GPS time in
// the GPX would put it 15 s, some 240 m, further along).
TEST(TrackTools, ExiftoolGeotagsAPhotoOntoTheFixLoggedAtItsTime) {
    using namespace std::chrono;
    ScratchFolder folder;
    const std::vector<sim::TrackPoint> points = sim::GenerateTrackPoints(3, 60);
    ASSERT_TRUE(WriteFileAtomically(folder.File("memory.bin"), sim::LayOutTrackMemory(points)));
    ASSERT_EQ(Call(RunAssemble, {folder.File("memory.bin"), folder.File("drive.gpx")}), kOk);

    const sim::TrackPoint& fix = points[150];  // track 2, the drive
    // In 2011 GPS time ran 15 s ahead of UTC.
    const sys_seconds utc =
        sys_days{year{1980} / January / 6} + seconds{fix.gpsSeconds} - seconds{15};
    const year_month_day date{floor<days>(utc)};
    const hh_mm_ss clock{utc - floor<days>(utc)};
    char taken[32];
    std::snprintf(taken, sizeof taken, "%04d:%02u:%02u %02d:%02d:%02d", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
    const std::string photo = folder.File("photo.jpg");
    ASSERT_TRUE(WriteFileAtomically(photo, std::string(std::begin(kTinyJpeg), std::end(kTinyJpeg))));
    ASSERT_TRUE(ShellOutput("exiftool -q -overwrite_original -DateTimeOriginal='" + std::string(taken) + "' '" + photo +
                    "'"));
    ASSERT_TRUE(ShellOutput("TZ=UTC exiftool -q -overwrite_original -geotag '" + folder.File("drive.gpx") +
                    "' '-geotime<${DateTimeOriginal}+00:00' '" + photo + "'"))
        << "exiftool could not geotag the photo";
    auto tags = ShellOutput("exiftool -n -s3 -Composite:GPSLatitude -Composite:GPSLongitude '" + photo + "'");
    ASSERT_TRUE(tags);
    const std::vector<std::string> values = Lines(*tags);
    ASSERT_EQ(values.size(), 2u) << *tags;
    const double metres =
        Metres(std::stod(values[0]), std::stod(values[1]), fix.latitudeDeg, fix.longitudeDeg);
    EXPECT_LT(metres, 1.0) << "the photo lands " << metres << " m from the fix";
}

}  // namespace
}  // namespace vantrel::cli
