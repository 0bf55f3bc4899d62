// Track downloads as the program runs them: the simulated device paced at
// 115200 baud on a pty, the link driven as the command line drives it (the
// port's notifications handed over at once, a tick every 20 ms). For each
// size it prints the bytes the device put on the wire, the time from the
// request to the tracks handed over, and that rate as a fraction of what the
// line can carry (1024 of every 1029 bytes of a block are data, so 0.995 is
// the ceiling).
//
//   download_bench               64 KiB, 512 KiB and the whole 2 MiB memory
//                                (about four minutes)
//   download_bench --kib N       only the memory's first N KiB
//   download_bench --tick-only   the link driven by its 20 ms tick alone, as
//                                it was before it read bytes as reported

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Companion.h"
#include "device/LinkPump.h"
#include "sim/Simulator.h"
#include "support/FixedLocator.h"
#include "support/SilentMessages.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

constexpr double kLineBytesPerSecond = 11520.0;  // 115200 baud, 10 bits a byte
constexpr std::size_t kFullKib = 2048;

struct Arguments {
    std::vector<std::size_t> kibs{64, 512, kFullKib};
    bool tickOnly = false;
};

[[noreturn]] void Usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--kib N] [--tick-only]   (N from 1 to %zu)\n", program,
                 kFullKib);
    std::exit(2);
}

Arguments ParseArguments(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--tick-only") {
            args.tickOnly = true;
            continue;
        }
        if (arg != "--kib" || i + 1 == argc) Usage(argv[0]);
        char* end = nullptr;
        const unsigned long kib = std::strtoul(argv[++i], &end, 10);
        if (*end != '\0' || kib < 1 || kib > kFullKib) Usage(argv[0]);
        args.kibs = {kib};
    }
    return args;
}

bool Finished(const LinkProgress& p) {
    return p.DownloadsFinished > 0 || p.WatchdogResets > 0 || p.PortFailures > 0;
}

// Drives the link until the download ends: by notifications and ticks, or
// by ticks alone.
void Drive(Companion& c, bool tickOnly) {
    if (!tickOnly) {
        LinkPump pump(c.commPort, c.link());
        while (!Finished(c.link().Progress()))
            pump.Step();
        return;
    }
    auto tick = Clock::now();
    while (!Finished(c.link().Progress())) {
        tick += std::chrono::milliseconds(kTickMilliseconds);
        std::this_thread::sleep_until(tick);
        c.link().Tick();
    }
}

int Run(std::size_t kib, bool tickOnly) {
    sim::DeviceMemory memory = sim::DemoMemory(8, 13055);  // exactly 2 MiB of tracks
    memory.tracks.resize(kib * 1024);
    sim::Simulator device(memory, sim::SimulatorOptions{sim::LineOptions{.pace = true}});
    device.Start();

    testing::SilentMessages messages;
    testing::FixedLocator locator(device.PortPath());
    AbsentMapPage page;
    Companion c(CompanionHost{messages, page, page, page, &locator, !tickOnly});

    const auto start = Clock::now();
    if (c.link().RequestTrackDownload() != RequestResult::Sent) {
        std::fprintf(stderr, "the download request was not sent\n");
        return 1;
    }
    Drive(c, tickOnly);
    const LinkProgress p = c.link().Progress();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (p.DownloadsFinished == 0) {
        std::fprintf(stderr, "the download did not finish (%s)\n",
                     p.WatchdogResets ? "the device fell silent" : p.LastPortError.c_str());
        return 1;
    }
    std::printf("track memory: %zu KiB, %d tracks, driven by %s\n", kib, static_cast<int>(c.tracks.List().size()),
                tickOnly ? "the tick alone" : "notifications and the tick");
    std::printf("bytes on the wire from the device: %llu (to it: %llu)\n",
                static_cast<unsigned long long>(p.BytesRead),
                static_cast<unsigned long long>(p.BytesWritten));
    std::printf("elapsed: %.2f s\n", seconds);
    std::printf("fraction of the line's limit: %.3f (ceiling 0.995)\n\n",
                static_cast<double>(p.BytesRead) / kLineBytesPerSecond / seconds);
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Arguments args = ParseArguments(argc, argv);
    for (std::size_t kib : args.kibs)
        if (int failed = Run(kib, args.tickOnly)) return failed;
    return 0;
}
