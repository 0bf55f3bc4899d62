// Track assembly, straight decoding (and GPX) and the track file over a full 2 MiB track memory
// (512 pages of 204 records, 104,448 records), each against a baseline that only checks every
// record's checksum. All figures are records per second.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "support/SilentMessages.h"
#include "support/FullTrackMemory.h"
#include "tracks/LoggedTracks.h"
#include "tracks/TrackExports.h"
#include "tracks/TrackFile.h"

namespace vantrel {
namespace {

struct FullMemory {
    FullMemory() {
        const testing::TrackMemoryBuilder builder = testing::FullTrackMemory();
        transfer = std::make_unique<TransferArea>();
        const auto image = builder.Image(TransferArea::kSize);
        std::copy(image.begin(), image.end(), transfer->bytes.begin());
        transfer->TransferLength = image.size();
        records = static_cast<std::int64_t>(builder.Slots());
    }
    std::unique_ptr<TransferArea> transfer;
    std::int64_t records = 0;
};

const FullMemory& Memory() {
    static const FullMemory memory;
    return memory;
}

std::string BenchPath() {
    return (std::filesystem::temp_directory_path() /
            ("vantrel-bench-" + std::to_string(::getpid()) + ".trk"))
        .string();
}

void BM_ChecksumBaseline(benchmark::State& state) {
    const TransferArea& area = *Memory().transfer;
    for (auto _ : state) {
        std::int64_t good = 0;
        for (std::size_t page = 0; page < area.TransferLength; page += 4096)
            for (std::size_t r = 0; r < 204; ++r)
                good += TrackRecord::ChecksumMatches(area.bytes.data() + page + r * 20);
        benchmark::DoNotOptimize(good);
    }
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_ChecksumBaseline)->Unit(benchmark::kMillisecond);

struct StoreUnderTest {
    AppValues values;
    testing::SilentMessages messages;
    TrackStore store{values, *Memory().transfer, messages};
};

void BM_AssembleTracks(benchmark::State& state) {
    StoreUnderTest t;
    for (auto _ : state)
        benchmark::DoNotOptimize(t.store.AssembleTracks());
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_AssembleTracks)->Unit(benchmark::kMillisecond);

// The same memory decoded straight into point lists, and on into GPX text.
void BM_DecodeTrackMemory(benchmark::State& state) {
    const TransferArea& area = *Memory().transfer;
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeTrackMemory(area.Valid()));
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_DecodeTrackMemory)->Unit(benchmark::kMillisecond);

void BM_GpxFromMemory(benchmark::State& state) {
    const TransferArea& area = *Memory().transfer;
    for (auto _ : state)
        benchmark::DoNotOptimize(GpxTracksText(DecodeTrackMemory(area.Valid())));
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_GpxFromMemory)->Unit(benchmark::kMillisecond);

// An assembled store and a track file of it, removed afterwards.
struct SavedStore : StoreUnderTest {
    SavedStore() {
        store.AssembleTracks();
        SaveTracks(store, path, codePage);
    }
    ~SavedStore() { std::filesystem::remove(path); }
    const CodePage codePage{"ISO-8859-1"};
    const std::string path = BenchPath();
};

void BM_SaveTrackFile(benchmark::State& state) {
    SavedStore t;
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveTracks(t.store, t.path, t.codePage));
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_SaveTrackFile)->Unit(benchmark::kMillisecond);

void BM_OpenTrackFile(benchmark::State& state) {
    SavedStore t;
    const std::size_t length = t.store.Transfer().TransferLength;
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenTrackFile(t.store, t.path, t.codePage));
    t.store.Transfer().TransferLength = length;  // the memory image stays whole for later runs
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_OpenTrackFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
