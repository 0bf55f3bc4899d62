// vantrel-cli assemble MEMORY OUT.trk [--zone H]: a raw track-memory image
// (the bytes a track download stores) decoded into a track file.

#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>

#include "app/AtomicFile.h"
#include "app/NumberText.h"
#include "cli/Cli.h"
#include "cli/ConsoleMessages.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

namespace {

// The system's offset from UTC in whole hours (the part hour dropped).
int SystemZoneHours() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<int>(local.tm_gmtoff / 3600);
}

struct AssembleArgs {
    std::string memory;
    std::string out;
    int zone = 0;
};

std::optional<AssembleArgs> Parse(Args args) {
    AssembleArgs parsed{.zone = SystemZoneHours()};
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--zone") {
            auto zone = i + 1 < args.size() ? ParseInt(args[++i]) : std::nullopt;
            if (!zone || *zone < -24 || *zone > 24) {
                std::fprintf(stderr, "assemble: --zone takes whole hours (-24 to 24)\n");
                return std::nullopt;
            }
            parsed.zone = static_cast<int>(*zone);
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "assemble: expected MEMORY and OUT.trk\n");
        return std::nullopt;
    }
    parsed.memory = positional[0];
    parsed.out = positional[1];
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
    auto image = ReadFileBytes(parsed->memory);
    if (!image) {
        std::fprintf(stderr, "assemble: cannot read %s\n", parsed->memory.c_str());
        return kBadFile;
    }
    if (image->size() > TransferArea::kSize) {
        std::fprintf(stderr, "assemble: %s is larger than the %zu-byte track memory\n",
                     parsed->memory.c_str(), TransferArea::kSize);
        return kBadFile;
    }
    AppValues values;
    values.LocalZoneHours = parsed->zone;
    auto transfer = std::make_unique<TransferArea>();
    std::copy(image->begin(), image->end(), transfer->bytes.begin());
    transfer->TransferLength = image->size();
    ConsoleMessages messages;
    TrackStore store(values, *transfer, messages);
    const AssemblyReport report = store.AssembleTracks();
    if (!report.decoded) {
        std::fprintf(stderr, "assemble: %s holds no record\n", parsed->memory.c_str());
        return kBadFile;
    }
    PrintReport(store, report);
    return SaveTracks(store, parsed->out) ? kOk : kBadFile;
}

}  // namespace vantrel::cli
