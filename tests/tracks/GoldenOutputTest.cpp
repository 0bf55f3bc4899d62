// Every track export compared with what it wrote before: GPX, KML, CSV and
// the track file of a full 2 MiB memory (by size and hash), and of a small
// memory of awkward values (byte for byte, and by hash): zero and negative coordinates
// and heights, heights that round to zero, a leap second, the highest
// speed, a damaged record, more tracks than a track file holds, and names
// that need quoting.
//
// VANTREL_WRITE_GOLDEN=1 writes the files anew instead of comparing.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "TrackFixture.h"
#include "support/FullTrackMemory.h"
#include "tracks/KmlExport.h"
#include "tracks/TrackExports.h"
#include "tracks/TrackFile.h"

namespace vantrel::testing {
namespace {

const std::filesystem::path kGolden = VANTREL_TRACKS_GOLDEN_DIR;

bool Writing() {
    const char* flag = std::getenv("VANTREL_WRITE_GOLDEN");
    return flag != nullptr && std::string(flag) == "1";
}

// 64-bit FNV-1a: enough to tell a changed byte among millions.
std::uint64_t Hash(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

struct AwkwardFix {
    double lat, lon, height;
    unsigned speed;
};

TrackMemoryBuilder AwkwardMemory() {
    constexpr AwkwardFix kFixes[] = {
        {0, 0, 0, 0},           {0, -4e-7, -0.04, 1},      {-33.9, -70.6, -12.34, 399},
        {89.9999, 179.999999, 8848.86, 1023}, {-89.5, -179.5, -430.5, 7},
        {51.4778, -0.0015, 45.05, 123},      {1e-7, 1e-7, 0.05, 2}};
    TrackMemoryBuilder b;
    // The first tracks run across the leap second at the end of 2008; the
    // others lie about 4.5 days apart, so the memory spans years.
    std::uint32_t t = 914803200;
    for (int track = 0; track < 70; ++track) {
        for (int i = 0; i < 1 + track % 3; ++i) {
            const AwkwardFix& f = kFixes[(track + i) % std::size(kFixes)];
            b.AddFix(t, f.lat, f.lon, f.height, f.speed, i == 0);
            t += track < 3 ? 7 : 388'800 + static_cast<std::uint32_t>(track);
        }
        if (track == 5) b.AddCorrupt(t);
    }
    return b;
}

struct Outputs {
    std::map<std::string, std::string> files;  // name -> bytes
};

// The exports of a memory image, decoded once.
Outputs Export(const TrackMemoryBuilder& memory, const std::string& prefix, bool awkward) {
    AppValues values;
    values.LocalZoneOffset = ZoneOffset{awkward ? -330 : 60};
    if (awkward) values.Numbers.DecimalSeparatorText = ",";
    TrackStore store(values);
    UseTestDecoding(store.Decoding);
    store.AssembleTracks(memory.Image(memory.Size()));
    if (awkward) {
        store.ModifyDialog = {"R&D, <4> \"south\"", true, 255};
        store.ApplyModify(5);
        store.ModifyDialog = {"A&B <c>", true, 255};
        store.ApplyModify(3);
    }
    const Tracks& tracks = store.List();
    Outputs out;
    out.files[prefix + ".gpx"] = GpxTracksText(tracks);
    out.files[prefix + ".kml"] = KmlText(tracks, "/somewhere/" + prefix + ".kml");
    out.files[prefix + ".csv"] = TrackCsvText(tracks, values.LocalZoneOffset);
    out.files[prefix + ".trk"] = TrackFileBytes(tracks, store.FileFormat(CodePage("ISO-8859-1")));
    return out;
}

std::string HashLine(const std::string& name, const std::string& bytes) {
    std::ostringstream line;
    line << name << ' ' << bytes.size() << ' ' << std::hex << Hash(bytes) << '\n';
    return line.str();
}

// What a golden file keeps of an output: a track file without the empty
// rows of the grid that end it.
std::string Kept(const std::string& name, std::string bytes) {
    if (name.ends_with(".trk"))
        while (bytes.ends_with("\r\n"))
            bytes.resize(bytes.size() - 2);
    return bytes;
}

void CompareHashes(const Outputs& outputs, const std::filesystem::path& file) {
    std::string lines;
    for (const auto& [name, bytes] : outputs.files)
        lines += HashLine(name, bytes);
    if (Writing()) {
        ASSERT_TRUE(WriteFileAtomically(file, lines));
        return;
    }
    const auto golden = ReadFileBytes(file);
    ASSERT_TRUE(golden.has_value()) << file;
    EXPECT_EQ(lines, *golden);
}

TEST(GoldenOutput, AwkwardValuesAreWrittenAsBefore) {
    const Outputs outputs = Export(AwkwardMemory(), "awkward", true);
    CompareHashes(outputs, kGolden / "awkward.txt");
    for (const auto& [name, bytes] : outputs.files) {
        const std::filesystem::path file = kGolden / name;
        if (Writing()) {
            ASSERT_TRUE(WriteFileAtomically(file, Kept(name, bytes)));
            continue;
        }
        const auto golden = ReadFileBytes(file);
        ASSERT_TRUE(golden.has_value()) << name;
        EXPECT_TRUE(*golden == Kept(name, bytes)) << name << " differs from its golden file";
    }
}

TEST(GoldenOutput, FullMemoryIsWrittenAsBefore) {
    CompareHashes(Export(FullTrackMemory(), "full", false), kGolden / "full-memory.txt");
}

}  // namespace
}  // namespace vantrel::testing
