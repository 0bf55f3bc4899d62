// Geotagging 500 photos from one GPX track as `vantrel-cli geotag` does it
// (the track read, each photo read, placed, written through a checked copy),
// against `exiftool -geotag` on copies of the same 500 photos with the same
// track, in the same run; then the positions each wrote, compared. Each side
// runs three times on fresh copies; the best time counts. exiftool is given
// the same moments: the photos' times with their fractions of a second
// (SubSecDateTimeOriginal), read as UTC.
//
// The photos lie in a scratch folder under TMPDIR (else /tmp): on a disk,
// both tools also pay the file system's cost of a new file and a flush per
// photo (this program flushes each copy before it replaces a photo; exiftool
// does not), which other users of a shared disk make vary; on a tmpfs
// (TMPDIR=/dev/shm) the figures are the tools' own work.
//
//   [TMPDIR=DIR] photo_bench [--photos N]

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "photos/Geotag.h"
#include "photos/GpsTags.h"
#include "support/PhotoFiles.h"
#include "support/ScratchFolder.h"
#include "tracks/GpxTracks.h"
#include "tracks/TrackExports.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using Clock = steady_clock;

constexpr int kRuns = 3;

Track Walk(Seconds start, int fixes) {
    Track track{"Walk"};
    for (int k = 0; k < fixes; ++k)
        track.points.push_back({start + seconds(k), 46.5 + 0.002 * std::sin(k * 0.01),
                                7.9 + 0.00002 * k, 1500 + 0.3 * k, 4});
    return track;
}

std::string ExifTime(Seconds t) {
    std::string text = IsoTimeText(t).substr(0, 19);
    text[4] = text[7] = ':';
    text[10] = ' ';
    return text;
}

void Copy(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive);
}

// Processor time (user and system) of this process and of its children.
double ProcessorSeconds() {
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        ::getrusage(who, &usage);
        total += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

struct Timing {
    double wall = 1e9;       // seconds, the best run
    double processor = 1e9;  // seconds of processor time, the best run
};

// The best of kRuns runs of `run` on fresh copies of `originals` in `work`:
// the time on the clock, which the disk's other users share, and the
// processor time, which they do not.
std::optional<Timing> Best(const fs::path& originals, const fs::path& work,
                           const std::function<bool()>& run) {
    Timing best;
    for (int i = 0; i < kRuns; ++i) {
        Copy(originals, work);
        const auto start = Clock::now();
        const double processor = ProcessorSeconds();
        if (!run()) return std::nullopt;
        best.wall = std::min(best.wall, duration<double>(Clock::now() - start).count());
        best.processor = std::min(best.processor, ProcessorSeconds() - processor);
    }
    return best;
}

bool Ours(const fs::path& folder, const fs::path& gpx) {
    auto text = ReadFileBytes(gpx);
    if (!text) return false;
    const GpxTracksRead read = ReadGpxTracks(*text);
    GeotagSettings settings;
    settings.clock.cameraZone = ZoneRules::Fixed({});
    const TrackMatcher matcher(read.tracks, settings.maxGap);
    const std::vector<fs::path> given = {folder};
    bool ok = true;
    VisitPhotos(given, [&](const fs::path& photo, const std::string&) {
        ok = GeotagFile(photo, settings, matcher, read.tracks).outcome == PhotoOutcome::Written && ok;
        return true;
    });
    return ok;
}

std::optional<GeoPosition> Tagged(const fs::path& photo) {
    try {
        auto image = Exiv2::ImageFactory::open(photo.string());
        image->readMetadata();
        return ExifGpsPosition(image->exifData());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

double Metres(const GeoPosition& a, const GeoPosition& b) {
    const double north = (a.latitude - b.latitude) * 111320;
    const double east = (a.longitude - b.longitude) * 111320 * std::cos(a.latitude * M_PI / 180);
    return std::hypot(std::hypot(north, east), a.altitude - b.altitude);
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    using namespace vantrel;
    int photos = 500;
    if (argc == 3 && std::string(argv[1]) == "--photos") photos = std::atoi(argv[2]);
    if (std::system("command -v exiftool >/dev/null 2>&1") != 0) {
        std::printf("exiftool is not installed: no comparison with it\n");
        return 0;
    }
    testing::ScratchFolder folder;
    const Seconds start = *CalendarSeconds(2024, 7, 14, 9, 0, 0);
    const Tracks tracks = {Walk(start, 4 * 3600)};
    const fs::path gpx = folder / "walk.gpx";
    WriteFileAtomically(gpx, GpxTracksText(tracks));
    const fs::path originals = folder / "originals";
    for (int i = 0; i < photos; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.jpg", i);
        // Spread over the walk, each at a fraction of a second.
        const Seconds taken = start + seconds(60 + i * 27);
        testing::MakePhoto(originals / name, testing::PhotoKind::Jpeg,
                           {ExifTime(taken), std::to_string(i % 100)}, static_cast<std::uint8_t>(i));
    }
    std::printf("%d JPEG photos in %s, one track of %zu fixes (1 s apart)\n", photos,
                folder.Path().c_str(), tracks[0].points.size());

    const fs::path mine = folder / "vantrel", theirs = folder / "exiftool";
    const auto ours = Best(originals, mine, [&] { return Ours(mine, gpx); });
    const std::string command = "TZ=UTC exiftool -q -q -overwrite_original '-geotime<SubSecDateTimeOriginal' -geotag '" +
                                gpx.string() + "' '" + theirs.string() + "' >/dev/null 2>&1";
    const auto exiftool = Best(originals, theirs, [&] { return std::system(command.c_str()) == 0; });
    if (!ours || !exiftool) {
        std::printf("a run failed: no comparison\n");
        return 1;
    }
    double worst = 0;
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(mine)) {
        const auto a = Tagged(entry.path()), b = Tagged(theirs / entry.path().filename());
        if (!a || !b) continue;
        worst = std::max(worst, Metres(*a, *b));
        ++compared;
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("vantrel  %.0f ms (%.2f ms a photo), processor %.0f ms\n"
                "exiftool %.0f ms (%.2f ms a photo), processor %.0f ms\n"
                "%.1f times as fast (processor time: %.1f times); %d of %d photos placed by both, "
                "at most %.3f m apart (largest memory of this process: %ld MiB)\n",
                ours->wall * 1e3, ours->wall * 1e3 / photos, ours->processor * 1e3,
                exiftool->wall * 1e3, exiftool->wall * 1e3 / photos, exiftool->processor * 1e3,
                exiftool->wall / ours->wall, exiftool->processor / ours->processor, compared,
                photos, worst, usage.ru_maxrss / 1024);
    return compared == photos && worst <= 0.5 ? 0 : 1;
}
