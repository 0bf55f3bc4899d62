// vantrel-sim: a simulated device on a pseudo-terminal, for tests and demos.

#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/AppValues.h"
#include "sim/Arguments.h"
#include "sim/DemoImages.h"
#include "sim/Simulator.h"

namespace vantrel::sim {
namespace {

DeviceMemory LoadMemory(const SimArguments& a) {
    DeviceMemory memory =
        DemoMemory(a.memoryFile.empty() ? a.tracks : 0, a.points, a.firstSecond);
    if (!a.memoryFile.empty()) memory.tracks = ReadImageFile(a.memoryFile);
    if (!a.planFile.empty()) memory.plan = ReadImageFile(a.planFile);
    if (!a.poiFile.empty()) memory.poi = ReadImageFile(a.poiFile);
    if (a.pois) memory.poi = GeneratedPoiImage(*a.pois);
    if (!a.uploadDir.empty() && !std::filesystem::is_directory(a.uploadDir))
        throw std::runtime_error(a.uploadDir + ": not a folder");
    return memory;
}

// SIGINT and SIGTERM arrive through a descriptor the simulator watches.
int SignalDescriptor() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) return -1;
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

void LogLine(const std::string& text) {
    std::fprintf(stderr, "vantrel-sim: %s\n", text.c_str());
}

// Serves the port until a signal; after a requested hang-up the device is
// plugged in again on a fresh pty (the link follows), without the hang-up.
int Serve(DeviceMemory memory, SimulatorOptions options, int signals) {
    for (;;) {
        auto sim = std::make_unique<Simulator>(std::move(memory), options);
        std::printf("%s\n", sim->PortPath().c_str());
        std::fflush(stdout);
        const RunEnd end = sim->Run(signals);
        if (end == RunEnd::Stopped) return 0;
        if (end == RunEnd::LineFailed) {
            LogLine("the line failed");
            return 1;
        }
        memory = sim->Memory();
        sim.reset();
        options.line.hangUpAfter.reset();
        LogLine("hung up; plugged in again");
    }
}

int Main(const std::vector<std::string>& args) {
    SimArguments a;
    try {
        a = ParseArguments(args);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "vantrel-sim: %s\n%s", e.what(), kUsage);
        return 2;
    }
    if (a.help) {
        std::printf("%s", kUsage);
        return 0;
    }
    if (a.version) {
        std::printf("vantrel-sim %s\n", VersionText);
        return 0;
    }
    try {
        const int signals = SignalDescriptor();
        if (signals < 0) throw std::runtime_error("cannot watch for signals");
        SimulatorOptions options{a.line, a.link, a.uploadDir, LogLine};
        return Serve(LoadMemory(a), options, signals);
    } catch (const std::exception& e) {
        LogLine(e.what());
        return 1;
    }
}

}  // namespace
}  // namespace vantrel::sim

int main(int argc, char** argv) {
    return vantrel::sim::Main(std::vector<std::string>(argv + 1, argv + argc));
}
