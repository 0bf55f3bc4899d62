// One batch of real photos of every kind, geotagged on disk across the
// change to summer time under a zone name: each photo's outcome, the tags
// read back with libexiv2 (and exiftool when it is installed) within half a
// metre of the interpolated position, and everything that was to stay as it
// was compared byte for byte.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "photos/Geotag.h"
#include "support/PhotoFiles.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using namespace std::chrono;
using testing::CameraTags;
using testing::MakePhoto;
using testing::PhotoKind;
using testing::ReadFile;
using testing::ScratchFolder;

Seconds At(int y, int mo, int d, int h, int mi, int s) {
    return *CalendarSeconds(y, mo, d, h, mi, s);
}

// A walk logged every 10 s along a curve, so that interpolating between the
// wrong fixes shows.
Track Walk(std::string name, Seconds from, Seconds to, double lat, double lon) {
    Track track{std::move(name)};
    for (Seconds t = from; t <= to; t += seconds(10)) {
        const double k = static_cast<double>((t - from).count()) / 10;
        track.points.push_back({t, lat + 0.01 * std::sin(k * 0.05), lon + 0.0002 * k,
                                30 + 0.7 * k, 5});
    }
    return track;
}

// The position by linear interpolation between the fixes around `utc`, or
// the nearest end of a track when no fixes lie around it.
GeoPosition Expected(const Tracks& tracks, Millis utc) {
    const TrackPoint* nearest = nullptr;
    for (const Track& track : tracks)
        for (const TrackPoint* end : {&track.points.front(), &track.points.back()})
            if (!nearest || abs(Millis(end->time) - utc) < abs(Millis(nearest->time) - utc))
                nearest = end;
    for (const Track& track : tracks)
        for (std::size_t i = 1; i < track.points.size(); ++i) {
            const TrackPoint& a = track.points[i - 1];
            const TrackPoint& b = track.points[i];
            if (utc < a.time || utc > b.time) continue;
            const double f = duration<double>(utc - a.time) / (b.time - a.time);
            return {a.latitude + f * (b.latitude - a.latitude),
                    a.longitude + f * (b.longitude - a.longitude),
                    a.altitude + f * (b.altitude - a.altitude)};
        }
    return {nearest->latitude, nearest->longitude, nearest->altitude};
}

double Metres(const GeoPosition& a, const GeoPosition& b) {
    const double north = (a.latitude - b.latitude) * 111320;
    const double east = (a.longitude - b.longitude) * 111320 * std::cos(a.latitude * M_PI / 180);
    return std::hypot(north, east);
}

double Rationals(const Exiv2::ExifData& exif, const char* key) {
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    if (it == exif.end()) return NAN;
    double value = 0, unit = 1;
    for (long i = 0; i < static_cast<long>(it->count()); ++i, unit *= 60)
        value += it->toRational(i).first / static_cast<double>(it->toRational(i).second) / unit;
    return value;
}

std::string Text(const Exiv2::ExifData& exif, const char* key) {
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    return it == exif.end() ? "" : it->toString();
}

// What exiftool reads of each file: latitude, longitude, altitude.
std::map<std::string, GeoPosition> ExiftoolPositions(const std::filesystem::path& folder) {
    std::map<std::string, GeoPosition> read;
    if (::access("/usr/bin/exiftool", X_OK) != 0) return read;
    const std::string command = "exiftool -q -q -m -T -n -filename -GPSLatitude -GPSLongitude "
                                "-GPSAltitude '" + folder.string() + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    char line[512];
    while (pipe && std::fgets(line, sizeof line, pipe.get())) {
        char name[256];
        GeoPosition p{};
        if (std::sscanf(line, "%255s %lf %lf %lf", name, &p.latitude, &p.longitude, &p.altitude) == 4)
            read[name] = p;
    }
    return read;
}

enum class Setup { Plain, ReadOnly, Garbage, Tagged, AsArw };

struct Case {
    const char* name;
    PhotoKind kind;
    CameraTags tags;
    Setup setup;
    PhotoOutcome outcome;
    Millis utc;  // where a position is expected: the photo's UTC moment
};

TEST(Geotag, ABatchOfEveryKindLandsWhereTheTracksWereAndLeavesTheRestAsItWas) {
    ScratchFolder folder;
    Tracks tracks = {Walk("Saturday", At(2024, 3, 30, 10, 0, 0), At(2024, 3, 30, 12, 0, 0),
                                52.50, 13.40),
                           Walk("Sunday", At(2024, 3, 31, 9, 0, 0), At(2024, 3, 31, 11, 0, 0),
                                52.60, 13.50)};
    // Ten minutes without a fix on Sunday.
    std::erase_if(tracks[1].points, [&](const TrackPoint& p) {
        return p.time > At(2024, 3, 31, 10, 0, 0) && p.time < At(2024, 3, 31, 10, 10, 0);
    });
    const auto ms = [](Seconds s, int extra = 0) { return Millis(s) + milliseconds(extra); };
    const Case cases[] = {
        // Berlin is +01:00 on Saturday and +02:00 from Sunday 01:00 UTC on.
        {"saturday.jpg", PhotoKind::Jpeg, {"2024:03:30 11:30:15", "25"}, Setup::Plain,
         PhotoOutcome::Written, ms(At(2024, 3, 30, 10, 30, 15), 250)},
        {"sunday.tif", PhotoKind::Tiff, {"2024:03:31 11:30:15"}, Setup::Plain,
         PhotoOutcome::Written, ms(At(2024, 3, 31, 9, 30, 15))},
        {"sunday.png", PhotoKind::Png, {"2024:03:31 11:45:00", "5"}, Setup::Plain,
         PhotoOutcome::Written, ms(At(2024, 3, 31, 9, 45, 0), 500)},
        {"sunday.dng", PhotoKind::Dng, {"2024:03:31 12:20:05"}, Setup::Plain,
         PhotoOutcome::Written, ms(At(2024, 3, 31, 10, 20, 5))},
        // Its own zone, three hours west of UTC, wins over the camera zone.
        {"own-zone.jpg", PhotoKind::Jpeg, {"2024:03:31 07:30:15", "", "-03:00"}, Setup::Plain,
         PhotoOutcome::Written, ms(At(2024, 3, 31, 10, 30, 15))},
        // Three minutes after Saturday's last fix: that fix.
        {"after-walk.jpg", PhotoKind::Jpeg, {"2024:03:30 13:03:00"}, Setup::Plain,
         PhotoOutcome::Written, ms(At(2024, 3, 30, 12, 3, 0))},
        {"outside.jpg", PhotoKind::Jpeg, {"2024:03:31 20:00:00"}, Setup::Plain,
         PhotoOutcome::Unplaced, {}},
        {"in-gap.jpg", PhotoKind::Jpeg, {"2024:03:31 12:05:00"}, Setup::Plain,
         PhotoOutcome::Unplaced, {}},
        {"read-only.jpg", PhotoKind::Jpeg, {"2024:03:30 12:10:00"}, Setup::ReadOnly,
         PhotoOutcome::Sidecar, ms(At(2024, 3, 30, 11, 10, 0))},
        {"broken.jpg", PhotoKind::Jpeg, {}, Setup::Garbage, PhotoOutcome::Unreadable, {}},
        {"tagged.jpg", PhotoKind::Jpeg, {"2024:03:30 11:00:00", "", "", {{1.5, 2.5}}},
         Setup::Tagged, PhotoOutcome::Kept, {}},
        {"raw.arw", PhotoKind::Tiff, {"2024:03:30 11:20:00"}, Setup::AsArw,
         PhotoOutcome::Sidecar, ms(At(2024, 3, 30, 10, 20, 0))},
    };
    std::map<std::string, std::string> before;
    std::map<std::string, struct stat> statBefore;
    for (const Case& c : cases) {
        const auto path = folder / c.name;
        if (c.setup == Setup::Garbage) {
            testing::WriteFile(path, "no photo at all, only text");
        } else if (c.setup == Setup::AsArw) {
            MakePhoto(folder / "raw.tif", c.kind, c.tags);
            std::filesystem::rename(folder / "raw.tif", path);
        } else {
            MakePhoto(path, c.kind, c.tags);
        }
        if (c.setup == Setup::ReadOnly) ::chmod(path.c_str(), 0444);
        const struct timespec old[2] = {{1500000000, 0}, {1600000000, 123456789}};
        ::utimensat(AT_FDCWD, path.c_str(), old, 0);
        before[c.name] = ReadFile(path);
        ::stat(path.c_str(), &statBefore[c.name]);
    }

    GeotagSettings settings;
    std::string error;
    settings.clock.cameraZone = ParseCameraZone("Europe/Berlin", error);
    ASSERT_TRUE(settings.clock.cameraZone) << error;
    const TrackMatcher matcher(tracks, settings.maxGap);
    std::map<std::string, PhotoReport> reports;
    for (const Case& c : cases)
        reports[c.name] = GeotagFile(folder / c.name, settings, matcher, tracks);
    const auto exiftool = ExiftoolPositions(folder.Path());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = folder / c.name;
        const PhotoReport& report = reports[c.name];
        EXPECT_EQ(report.outcome, c.outcome) << report.detail;
        const bool written = c.outcome == PhotoOutcome::Written;
        const bool sidecar = c.outcome == PhotoOutcome::Sidecar;
        EXPECT_EQ(std::filesystem::exists(SidecarPath(path)), sidecar);
        if (!written) {
            EXPECT_TRUE(ReadFile(path) == before[c.name]) << "the photo was changed";
        }
        if (!written && !sidecar) continue;
        const GeoPosition expected = Expected(tracks, c.utc);
        EXPECT_EQ(report.utcTime, UtcText(c.utc));
        const std::string read = (sidecar ? SidecarPath(path) : path).filename().string();
        if (!exiftool.empty()) {
            ASSERT_TRUE(exiftool.count(read)) << "exiftool reads no position in " << read;
            EXPECT_LT(Metres(exiftool.at(read), expected), 0.5);
            EXPECT_NEAR(exiftool.at(read).altitude, expected.altitude, 0.5);
        }
        if (sidecar) continue;
        auto image = Exiv2::ImageFactory::open(path.string());
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const GeoPosition tagged{Rationals(exif, "Exif.GPSInfo.GPSLatitude"),
                                 Rationals(exif, "Exif.GPSInfo.GPSLongitude"),
                                 Rationals(exif, "Exif.GPSInfo.GPSAltitude")};
        EXPECT_LT(Metres(tagged, expected), 0.5);
        EXPECT_NEAR(tagged.altitude, expected.altitude, 0.5);
        EXPECT_EQ(Text(exif, "Exif.GPSInfo.GPSLatitudeRef"), "N");
        EXPECT_EQ(Text(exif, "Exif.GPSInfo.GPSAltitudeRef"), "0");
        EXPECT_EQ(Text(exif, "Exif.GPSInfo.GPSMapDatum"), "WGS-84");
        EXPECT_EQ(Text(exif, "Exif.GPSInfo.GPSVersionID"), "2 3 0 0");
        std::string date = UtcText(c.utc).substr(0, 10);
        std::replace(date.begin(), date.end(), '-', ':');
        EXPECT_EQ(Text(exif, "Exif.GPSInfo.GPSDateStamp"), date);
        EXPECT_EQ(Text(exif, "Exif.Image.Model"), "Test Camera");  // the camera's tags kept
        struct stat now {};
        ::stat(path.c_str(), &now);
        EXPECT_EQ(now.st_mode, statBefore[c.name].st_mode);
        EXPECT_EQ(now.st_mtim.tv_sec, statBefore[c.name].st_mtim.tv_sec);
        EXPECT_EQ(now.st_mtim.tv_nsec, statBefore[c.name].st_mtim.tv_nsec);
    }
    // Nothing was left behind beside the photos but their sidecars.
    EXPECT_EQ(folder.Names().size(), std::size(cases) + 2);
}

}  // namespace
}  // namespace vantrel
