// vantrel-cli assemble MEMORY OUT.trk [--zone H]: a raw track-memory image
// (the bytes a track download stores) decoded into a track file.

#include <cstdio>
#include <optional>

#include "app/AtomicFile.h"
#include "app/NumberText.h"
#include "cli/Cli.h"
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
    if (!TakeZoneOption(rest, parsed.options)) return std::nullopt;
    if (rest.size() != 2) {
        std::fprintf(stderr, "assemble: expected MEMORY and OUT.trk\n");
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
    if (report.stoppedAtZero) std::printf("decoding stopped at a record with a zero coordinate\n");
    const char sep = store.Separator();
    for (int k = 0; k < report.tracks; ++k) {
        const TrackEntry& e = store.TrackTable[static_cast<std::size_t>(k)];
        std::printf("  %-20s %6u points  from %-20s  %s km\n", EntryName(e).c_str(),
                    unsigned{e.pointCount}, store.ScratchGrid.Cell(0, e.firstRow).c_str(),
                    FormatGeneral(e.distanceKm, sep).c_str());
    }
}

}  // namespace

int RunAssemble(Args args) {
    auto parsed = Parse(args);
    if (!parsed) return kUsage;
    std::error_code error;  // one byte more than the memory tells a file too large
    auto image = ReadFileBytes(parsed->memory, error, TransferArea::kSize + 1);
    if (!image) {
        std::fprintf(stderr, "assemble: cannot read %s\n", parsed->memory.c_str());
        return kBadFile;
    }
    if (image->size() > TransferArea::kSize) {
        std::fprintf(stderr, "assemble: %s is larger than the %zu-byte track memory\n",
                     parsed->memory.c_str(), TransferArea::kSize);
        return kBadFile;
    }
    TrackDocument tracks(parsed->options);
    TrackStore& store = tracks.store;
    std::copy(image->begin(), image->end(), tracks.area->bytes.begin());
    tracks.area->TransferLength = image->size();
    const AssemblyReport report = store.AssembleTracks();
    if (!report.decoded) {
        std::fprintf(stderr, "assemble: %s holds no record\n", parsed->memory.c_str());
        return kBadFile;
    }
    PrintReport(store, report);
    return SaveTracks(store, parsed->out) ? kOk : kBadFile;
}

}  // namespace vantrel::cli
