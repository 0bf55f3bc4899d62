// Decoding into the track model, decoding on into GPX, KML and CSV text, and the track
// file, over a full 2 MiB track memory (512 pages of 204 records, 104,448 records). After the
// table it prints each one's time as a multiple of a plain loop that only checks every record's
// checksum, measured in the same run; `vantrel-cli info` with and without --csv on the track
// file of a full memory, and what the statistics add; and, when gpsbabel is installed, decoding
// a memory to a GPX file against gpsbabel reading that file and writing GPX.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "base/AtomicFile.h"
#include "base/TransferArea.h"
#include "cli/Cli.h"
#include "support/FullTrackMemory.h"
#include "support/LongTrackEdits.h"
#include "tracks/KmlExport.h"
#include "tracks/TrackExports.h"
#include "tracks/TrackStore.h"

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

// A store that decodes as the window's does (the system's leap seconds and
// geoid), the grid read once before the timing.
struct StoreUnderTest {
    StoreUnderTest() { store.Decoding.geoid.Grid(); }
    AppValues values;
    TrackStore store{values};
};

// The full memory decoded into the track model: every track and point.
void BM_AssembleTracks(benchmark::State& state) {
    StoreUnderTest t;
    const TransferArea& area = *Memory().transfer;
    for (auto _ : state)
        benchmark::DoNotOptimize(t.store.AssembleTracks(area.Valid()));
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_AssembleTracks)->Unit(benchmark::kMillisecond);

std::string Gpx(const Tracks& tracks) {
    return GpxTracksText(tracks);
}
std::string Kml(const Tracks& tracks) {
    return KmlText(tracks, "memory.kml");
}
std::string Csv(const Tracks& tracks) {
    return TrackCsvText(tracks, ZoneOffset{60});
}

// Decoding on into each export's text.
template <std::string (*Text)(const Tracks&)>
void BM_FromMemory(benchmark::State& state) {
    StoreUnderTest t;
    const TransferArea& area = *Memory().transfer;
    for (auto _ : state) {
        t.store.AssembleTracks(area.Valid());
        benchmark::DoNotOptimize(Text(t.store.List()));
    }
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_FromMemory<Gpx>)->Name("BM_GpxFromMemory")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromMemory<Kml>)->Name("BM_KmlFromMemory")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromMemory<Csv>)->Name("BM_CsvFromMemory")->Unit(benchmark::kMillisecond);

// A decoded store and a track file of it (what a track file holds of the
// memory), removed afterwards.
struct SavedStore : StoreUnderTest {
    SavedStore() {
        store.AssembleTracks(Memory().transfer->Valid());
        store.Save(path, codePage);
    }
    ~SavedStore() { std::filesystem::remove(path); }
    const CodePage codePage{"ISO-8859-1"};
    const std::string path = BenchPath();
};

void BM_SaveTrackFile(benchmark::State& state) {
    SavedStore t;
    for (auto _ : state)
        benchmark::DoNotOptimize(t.store.Save(t.path, t.codePage));
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_SaveTrackFile)->Unit(benchmark::kMillisecond);

void BM_OpenTrackFile(benchmark::State& state) {
    SavedStore t;
    for (auto _ : state)
        benchmark::DoNotOptimize(t.store.Open(t.path, t.codePage));
    state.SetItemsProcessed(state.iterations() * Memory().records);
}
BENCHMARK(BM_OpenTrackFile)->Unit(benchmark::kMillisecond);

// The edits of a full memory's largest track (20,000 points), in the core
// alone, each undone (untimed) after it; against copying the track.
struct LongTracksStore : StoreUnderTest {
    LongTracksStore() { store.AssembleTracks(image); }
    const std::vector<std::uint8_t> image = testing::LongTrackMemory().Image(TransferArea::kSize);
};

void BM_CopyLongTrack(benchmark::State& state) {
    LongTracksStore t;
    for (auto _ : state) {
        Track copy = t.store.List().front();
        benchmark::DoNotOptimize(copy.points.data());
    }
}
BENCHMARK(BM_CopyLongTrack)->Unit(benchmark::kMillisecond);

void BM_EditLongTrack(benchmark::State& state, const std::string& name) {
    LongTracksStore t;
    const testing::LongTrackEdit& edit = testing::LongTrackEdits().at(name);
    for (auto _ : state) {
        if (!edit(t.store).done) state.SkipWithError("the edit was refused");
        state.PauseTiming();
        t.store.Undo();
        state.ResumeTiming();
    }
}

void RegisterEdits() {
    for (const auto& [name, edit] : testing::LongTrackEdits())
        benchmark::RegisterBenchmark(("BM_EditLongTrack/" + name).c_str(), BM_EditLongTrack, name)
            ->Unit(benchmark::kMillisecond);
}

// Standard output sent to /dev/null while it lives.
class QuietStdout {
  public:
    QuietStdout() : saved_(::dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

  private:
    int saved_;
};

// `vantrel-cli info` on the track file of a full memory (what a track file
// keeps of it: 64 tracks, 64,000 points), with the arguments after the file.
template <bool Csv>
void BM_Info(benchmark::State& state) {
    SavedStore t;
    std::vector<std::string> args = {t.path, "--zone", "0"};
    if (Csv) args.push_back("--csv");
    const QuietStdout quiet;
    for (auto _ : state)
        if (cli::RunInfo(args) != cli::kOk) state.SkipWithError("info failed");
}
BENCHMARK(BM_Info<false>)->Name("BM_Info")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Info<true>)->Name("BM_InfoCsv")->Unit(benchmark::kMillisecond);

using Clock = std::chrono::steady_clock;

// The best of three runs of `work`, in seconds.
template <class Work>
double BestOfThree(Work work) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        if (!work()) return -1;
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// The full memory decoded to a GPX file, against gpsbabel reading that file
// and writing GPX (to /dev/null).
void CompareWithGpsbabel() {
    if (std::system("command -v gpsbabel >/dev/null 2>&1") != 0) {
        std::printf("gpsbabel is not installed: no comparison with it\n");
        return;
    }
    const std::string path = BenchPath() + ".gpx";
    StoreUnderTest t;
    const TransferArea& area = *Memory().transfer;
    const double ours = BestOfThree([&] {
        t.store.AssembleTracks(area.Valid());
        return WriteFileAtomically(path, GpxTracksText(t.store.List()));
    });
    const std::string command = "gpsbabel -t -i gpx -f " + path + " -o gpx -F /dev/null";
    const double theirs = BestOfThree([&] { return std::system(command.c_str()) == 0; });
    std::filesystem::remove(path);
    if (ours <= 0 || theirs <= 0) {
        std::printf("the GPX file or gpsbabel failed: no comparison\n");
        return;
    }
    std::printf("memory to GPX file %.0f ms, gpsbabel GPX to GPX %.0f ms: %.1f times as fast\n",
                ours * 1e3, theirs * 1e3, theirs / ours);
}

// Prints the usual table, then each benchmark's time per memory as a
// multiple of the checksum loop's time measured in the same run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.iterations > 0)
                seconds_[run.run_name.function_name] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
    }
    bool Ran(const std::string& name) const { return seconds_.count(name) > 0; }
    static bool IsEdit(const std::string& name) {
        return name.find("LongTrack") != std::string::npos;
    }
    void PrintRatios() const {
        const auto baseline = seconds_.find("BM_ChecksumBaseline");
        if (baseline != seconds_.end()) {
            std::printf("\nper full memory (%lld records), against the checksum loop's %.3f ms:\n",
                        static_cast<long long>(Memory().records), baseline->second * 1e3);
            for (const auto& [name, seconds] : seconds_)
                if (!IsEdit(name))
                    std::printf("  %-22s %9.2f ms  %8.1f x the loop  %6.2f M records/s\n",
                                name.c_str(), seconds * 1e3, seconds / baseline->second,
                                static_cast<double>(Memory().records) / seconds / 1e6);
        }
        const auto copy = seconds_.find("BM_CopyLongTrack");
        if (copy == seconds_.end()) return;
        std::printf("\nedits of a %d-point track, against copying it (%.3f ms):\n",
                    testing::kLongTrackPoints, copy->second * 1e3);
        for (const auto& [name, seconds] : seconds_)
            if (IsEdit(name))
                std::printf("  %-30s %7.3f ms  %6.1f x the copy\n", name.c_str(), seconds * 1e3,
                            seconds / copy->second);
    }

    void PrintInfoCost() const {
        const auto plain = seconds_.find("BM_Info");
        const auto csv = seconds_.find("BM_InfoCsv");
        if (plain == seconds_.end() || csv == seconds_.end()) return;
        std::printf("\ninfo %.2f ms, info --csv %.2f ms: --csv takes %+.2f ms (%.2f x info)\n",
                    plain->second * 1e3, csv->second * 1e3, (csv->second - plain->second) * 1e3,
                    csv->second / plain->second);
    }

  private:
    std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    vantrel::RegisterEdits();
    vantrel::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    reporter.PrintInfoCost();
    if (reporter.Ran("BM_GpxFromMemory")) vantrel::CompareWithGpsbabel();
    benchmark::Shutdown();
    return 0;
}
