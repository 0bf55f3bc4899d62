// Serial port benchmarks on pseudo-terminals:
//  - throughput of TComm32 against a plain read/write loop on the same kind
//    of pty, both directions, measured in the same run and printed as ratios;
//  - the CPU time an open but idle device costs over 2 s, against a closed one.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "serial/KxCommDevice.h"
#include "serial/TOrvikComm32.h"
#include "support/PtyPair.h"

namespace {

using vantrel::testing::PtyPair;
using Clock = std::chrono::steady_clock;
constexpr std::size_t kStream = 4 << 20;  // bytes per measured transfer

// The slave end opened plainly, raw and non-blocking: the baseline.
class RawSlave {
  public:
    explicit RawSlave(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios tio{};
        ::tcgetattr(fd_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    ~RawSlave() { ::close(fd_); }
    int Fd() const { return fd_; }

  private:
    int fd_;
};

void Await(int fd, short events) {
    pollfd p = {fd, events, 0};
    ::poll(&p, 1, 1000);
}

void WriteAll(int fd, std::size_t total) {
    static const std::string chunk(65536, 'x');
    for (std::size_t done = 0; done < total;) {
        const ssize_t n = ::write(fd, chunk.data(), std::min(chunk.size(), total - done));
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else
            Await(fd, POLLOUT);
    }
}

void ReadAll(int fd, std::size_t total) {
    char buffer[65536];
    for (std::size_t done = 0; done < total;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else
            Await(fd, POLLIN);
    }
}

// Counts notifications carrying a bit, for a reader or writer to wait on.
class EventCounter {
  public:
    void Add() {
        std::lock_guard lock(mutex_);
        ++count_;
        changed_.notify_all();
    }
    unsigned long Count() {
        std::lock_guard lock(mutex_);
        return count_;
    }
    void WaitPast(unsigned long seen) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::milliseconds(100), [&] { return count_ != seen; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    unsigned long count_ = 0;
};

template <typename Transfer>
void Measure(benchmark::State& state, Transfer transfer) {
    for (auto _ : state) {
        PtyPair pty;
        const auto start = Clock::now();
        transfer(pty);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kStream));
}

void BM_PlainInbound(benchmark::State& state) {
    Measure(state, [](PtyPair& pty) {
        RawSlave slave(pty.SlavePath());
        std::thread device([&] { WriteAll(pty.Master(), kStream); });
        ReadAll(slave.Fd(), kStream);
        device.join();
    });
}

void BM_PlainOutbound(benchmark::State& state) {
    Measure(state, [](PtyPair& pty) {
        RawSlave slave(pty.SlavePath());
        std::thread device([&] { ReadAll(pty.Master(), kStream); });
        WriteAll(slave.Fd(), kStream);
        device.join();
    });
}

// A port whose notifications of a kind are counted.
struct CountedPort {
    explicit CountedPort(const std::string& path, int bit) {
        port.fSetPortName(path);
        port.DataOnly = true;
        port.OnCommNotify = [this, bit](vantrel::TObject*, int mask) {
            if (mask & bit) events.Add();
        };
        port.Open();
    }
    EventCounter events;
    vantrel::TComm32 port;
};

void BM_Comm32Inbound(benchmark::State& state) {
    Measure(state, [](PtyPair& pty) {
        CountedPort counted(pty.SlavePath(), vantrel::EV_RXCHAR);
        std::thread device([&] { WriteAll(pty.Master(), kStream); });
        char buffer[8192];
        for (std::size_t done = 0; done < kStream;) {
            const unsigned long seen = counted.events.Count();
            const long n = counted.port.Read(buffer, sizeof buffer);
            if (n > 0)
                done += static_cast<std::size_t>(n);
            else
                counted.events.WaitPast(seen);
        }
        device.join();
    });
}

void BM_Comm32Outbound(benchmark::State& state) {
    Measure(state, [](PtyPair& pty) {
        CountedPort counted(pty.SlavePath(), vantrel::EV_TXEMPTY);
        std::thread device([&] { ReadAll(pty.Master(), kStream); });
        static const std::string chunk(8192, 'x');
        for (std::size_t done = 0; done < kStream;) {
            const unsigned long seen = counted.events.Count();
            const long n = counted.port.Write(
                chunk.data(), static_cast<long>(std::min(chunk.size(), kStream - done)));
            if (n > 0)
                done += static_cast<std::size_t>(n);
            else
                counted.events.WaitPast(seen);
        }
        device.join();
    });
}

double CpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Arg 1: the device is open (as the application keeps it), 0: closed.
void BM_IdleDeviceCpu(benchmark::State& state) {
    for (auto _ : state) {
        PtyPair pty;
        vantrel::TKxCommDevice device;
        device.fSetPortName(pty.SlavePath());
        device.fSetDataOnly(true);
        device.fSetActive(state.range(0) != 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // threads settle
        const double before = CpuMs();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        state.counters["cpu_ms_per_2s"] = CpuMs() - before;
    }
}

BENCHMARK(BM_PlainInbound)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Comm32Inbound)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PlainOutbound)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Comm32Outbound)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_IdleDeviceCpu)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// Prints the usual table, then each TComm32 rate as a ratio of the plain
// loop's rate measured in the same run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end()) rates_[run.run_name.function_name] = rate->second;
        }
    }
    void PrintRatios() const {
        for (const char* direction : {"Inbound", "Outbound"}) {
            const auto plain = rates_.find(std::string("BM_Plain") + direction);
            const auto port = rates_.find(std::string("BM_Comm32") + direction);
            if (plain == rates_.end() || port == rates_.end() || plain->second <= 0) continue;
            std::printf("TComm32 %-8s throughput: %.1f MiB/s, plain loop %.1f MiB/s, ratio %.2f\n",
                        direction, port->second / 1048576.0, plain->second / 1048576.0,
                        port->second / plain->second);
        }
    }

  private:
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
