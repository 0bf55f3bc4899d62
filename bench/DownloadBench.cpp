// A track download as the program runs it: the simulated device paced at
// 115200 baud on a pty, the link ticked every 20 ms by a real clock. Prints
// the bytes the device put on the wire, the time from the request to the
// tracks handed over, and the fraction of the line's limit reached.
//
//   download_bench            the whole 2 MiB track memory (several minutes)
//   download_bench --kib N    only its first N KiB, for a quick run

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/Companion.h"
#include "sim/Simulator.h"
#include "support/FixedLocator.h"
#include "support/SilentMessages.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

constexpr double kLineBytesPerSecond = 11520.0;  // 115200 baud, 10 bits a byte
constexpr std::size_t kFullKib = 2048;

std::size_t KibArgument(int argc, char** argv) {
    if (argc == 1) return kFullKib;
    if (argc == 3 && std::string(argv[1]) == "--kib") {
        char* end = nullptr;
        const unsigned long kib = std::strtoul(argv[2], &end, 10);
        if (*end == '\0' && kib >= 1 && kib <= kFullKib) return kib;
    }
    std::fprintf(stderr, "usage: %s [--kib N]   (N from 1 to %zu)\n", argv[0], kFullKib);
    std::exit(2);
}

int Run(std::size_t kib) {
    sim::DeviceMemory memory = sim::DemoMemory(8, 13055);  // exactly 2 MiB of tracks
    memory.tracks.resize(kib * 1024);
    sim::Simulator device(memory, sim::SimulatorOptions{sim::LineOptions{.pace = true}});
    device.Start();

    testing::SilentMessages messages;
    testing::FixedLocator locator(device.PortPath());
    AbsentMapPage page;
    Companion c(CompanionHost{messages, page, page, page, &locator, false});

    const auto start = Clock::now();
    if (c.link().btnDownloadFrGuiderClick() != RequestResult::Sent) {
        std::fprintf(stderr, "the download request was not sent\n");
        return 1;
    }
    auto tick = start;
    LinkProgress p = c.link().Progress();
    while (p.DownloadsFinished == 0 && p.WatchdogResets == 0 && p.PortFailures == 0) {
        tick += std::chrono::milliseconds(kTickMilliseconds);
        std::this_thread::sleep_until(tick);
        c.link().Tick();
        p = c.link().Progress();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (p.DownloadsFinished == 0) {
        std::fprintf(stderr, "the download did not finish (%s)\n",
                     p.WatchdogResets ? "the device fell silent" : p.LastPortError.c_str());
        return 1;
    }
    std::printf("track memory: %zu KiB, %d tracks\n", kib, c.tracks.ListedTracks());
    std::printf("bytes on the wire from the device: %llu (to it: %llu)\n",
                static_cast<unsigned long long>(p.BytesRead),
                static_cast<unsigned long long>(p.BytesWritten));
    std::printf("elapsed: %.2f s\n", seconds);
    std::printf("fraction of the line's limit: %.3f\n",
                static_cast<double>(p.BytesRead) / kLineBytesPerSecond / seconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return Run(KibArgument(argc, argv));
}
