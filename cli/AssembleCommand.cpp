// vantrel-cli assemble MEMORY OUT [--zone H] [--split-gap SECONDS]: a raw
// track-memory image (the bytes a track download stores) decoded into a
// track file (.trk, as the track list holds it: at most 64 tracks and 65536
// record slots), or straight into GPX, KML or CSV with every track and point.

#include <cstdio>
#include <optional>

#include "app/AtomicFile.h"
#include "app/NumberText.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

namespace {

struct AssembleArgs {
    std::string memory;
    std::string out;
    CommandOptions options;
};

std::optional<AssembleArgs> Parse(Args args) {
    std::vector<std::string> rest(args.begin(), args.end());
    AssembleArgs parsed;
    if (!TakeZoneOption(rest, parsed.options) || !TakeSplitGapOption(rest, parsed.options))
        return std::nullopt;
    if (rest.size() != 2) {
        Fail("assemble: expected MEMORY and OUT", kUsage);
        return std::nullopt;
    }
    const bool logged = WritesLoggedTracks(rest[1]);
    if (!logged && LowerExtension(rest[1]) != ".trk") {
        Fail("assemble writes .trk, .gpx, .kml or .csv", kUsage);
        return std::nullopt;
    }
    if (!logged && parsed.options.splitGapSeconds > 0) {
        Fail("--split-gap applies to .gpx, .kml and .csv output", kUsage);
        return std::nullopt;
    }
    parsed.memory = rest[0];
    parsed.out = rest[1];
    return parsed;
}

void PrintReport(const TrackStore& store, const AssemblyReport& report) {
    std::printf("tracks: %d\npoints: %d\nskipped records (bad checksum): %d\n", report.tracks,
                report.points, report.skippedRecords);
    std::printf("left out (do not fit): %d tracks, %d points\n", report.leftOutTracks,
                report.leftOutPoints);
    const char sep = store.Separator();
    for (int k = 0; k < report.tracks; ++k) {
        const TrackEntry& e = store.TrackTable[static_cast<std::size_t>(k)];
        std::printf("  %-20s %6u points  from %-20s  %s km\n", EntryName(e).c_str(),
                    unsigned{e.pointCount}, store.ScratchGrid.Cell(0, e.firstRow).c_str(),
                    FormatGeneral(e.distanceKm, sep).c_str());
    }
}

// Every track and point of the image, written as GPX, KML or CSV.
int WriteLogged(std::span<const std::uint8_t> image, const AssembleArgs& args) {
    MemoryDecodeReport report;
    const LoggedTracks tracks = DecodeTrackMemory(image, &report);
    if (report.skippedRecords > 0)
        std::printf("skipped records (bad checksum): %d\n", report.skippedRecords);
    return WriteLoggedTracks(tracks, args.out, args.options);
}

}  // namespace

int RunAssemble(Args args) {
    auto parsed = Parse(args);
    if (!parsed) return kUsage;
    std::error_code error;
    auto image = ReadFileBytes(parsed->memory, error, TransferArea::kSize);
    if (!image) return ReadFailure(parsed->memory, error, TransferArea::kSize, "a track memory");
    if (image->size() < TrackRecord::kSize)
        return Fail("assemble: " + parsed->memory + " holds no record", kBadFile);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image->data());
    if (WritesLoggedTracks(parsed->out)) return WriteLogged({bytes, image->size()}, *parsed);

    TrackDocument tracks(parsed->options);
    TrackStore& store = tracks.store;
    std::copy(bytes, bytes + image->size(), tracks.area->bytes.begin());
    tracks.area->TransferLength = image->size();
    const AssemblyReport report = store.AssembleTracks();
    PrintReport(store, report);
    if (!WriteFileAtomically(parsed->out, TrackFileBytes(store, CodePage())))
        return Fail(parsed->out + ": cannot be written", kBadFile);
    return kOk;
}

}  // namespace vantrel::cli
