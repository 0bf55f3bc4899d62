#include "sim/Simulator.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "sim/LineWriter.h"

namespace vantrel::sim {

namespace {

constexpr std::size_t kReceivedLogLimit = 16u << 20;

const char* UploadFileName(Payload payload) {
    return payload == Payload::Plan ? "plan.rte" : "poi.wpt";
}

}  // namespace

Simulator::Simulator(DeviceMemory memory, SimulatorOptions options)
    : options_(std::move(options)),
      memory_(std::move(memory)),
      protocol_(memory_, options_.line, [this](const std::string& text) { Log(text); }) {
    if (!options_.linkPath.empty()) link_.emplace(options_.linkPath, line_.PortPath());
    stopEvent_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopEvent_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

Simulator::~Simulator() {
    Stop();
    ::close(stopEvent_);
}

void Simulator::Start() {
    if (thread_.joinable()) throw std::logic_error("the simulator is already running");
    thread_ = std::thread([this] { Run(); });
}

void Simulator::Stop() {
    const std::uint64_t one = 1;
    if (::write(stopEvent_, &one, sizeof one) < 0 && errno != EAGAIN) Log("cannot signal stop");
    if (thread_.joinable()) thread_.join();
}

RunEnd Simulator::Run(int alsoStopOn) {
    const RunEnd end = Serve(alsoStopOn);
    std::lock_guard lock(mutex_);
    ended_ = end;
    return end;
}

std::optional<RunEnd> Simulator::Ended() const {
    std::lock_guard lock(mutex_);
    return ended_;
}

DeviceMemory Simulator::Memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

std::optional<std::vector<std::uint8_t>> Simulator::Uploaded(Payload payload) const {
    std::lock_guard lock(mutex_);
    const auto it = uploaded_.find(payload);
    if (it == uploaded_.end()) return std::nullopt;
    return it->second;
}

std::vector<std::uint8_t> Simulator::TakeReceived() {
    std::lock_guard lock(mutex_);
    return std::exchange(received_, {});
}

void Simulator::SetLineOptions(const LineOptions& options) {
    std::lock_guard lock(mutex_);
    protocol_.SetOptions(options);
}

RunEnd Simulator::Serve(int alsoStopOn) {
    std::vector<int> stops{stopEvent_};
    if (alsoStopOn >= 0) stops.push_back(alsoStopOn);
    if (line_.Master() < 0) return RunEnd::HungUp;
    LineWriter writer(line_.Master(), stops);
    std::array<std::uint8_t, 4096> buffer;
    bool pcClosed = false;
    for (;;) {
        std::optional<SteadyTime> deadline;
        {
            std::lock_guard lock(mutex_);
            deadline = protocol_.Deadline();
        }
        // While the PC has its end closed the master reports a hang-up on
        // every poll: wait for the PC to open it again instead.
        const Wake wake =
            WaitFor(pcClosed ? line_.OpenWatch() : line_.Master(), POLLIN, stops, deadline);
        if (wake == Wake::Stop) return RunEnd::Stopped;
        ssize_t got = 0;
        if (wake == Wake::Ready && pcClosed) {
            line_.DrainOpenWatch();
            pcClosed = line_.PcClosed();
        } else if (wake == Wake::Ready) {
            got = ::read(line_.Master(), buffer.data(), buffer.size());
            // EIO: the PC closed its end, and everything it sent has been read.
            if (got < 0 && errno == EIO) pcClosed = true;
            if (got < 0 && errno != EAGAIN && errno != EINTR && errno != EIO)
                return RunEnd::LineFailed;
        }
        std::vector<Emission> outbox;
        std::optional<Payload> upload;
        int pacePercent = 0;  // 0: not paced
        {
            std::lock_guard lock(mutex_);
            const auto now = std::chrono::steady_clock::now();
            if (got > 0) {
                const std::span<const std::uint8_t> bytes(buffer.data(),
                                                          static_cast<std::size_t>(got));
                KeepReceived(bytes);
                protocol_.Receive(bytes, now);
            }
            protocol_.Tick(now);
            outbox = protocol_.TakeOutbox();
            upload = protocol_.TakeFinishedUpload();
            const LineOptions& line = protocol_.Options();
            pacePercent = line.pace ? std::clamp(line.pacePercent, 1, 100) : 0;
        }
        if (upload) KeepUpload(*upload);
        if (const auto end = Deliver(outbox, writer, pacePercent)) return *end;
    }
}

std::optional<RunEnd> Simulator::Deliver(const std::vector<Emission>& outbox, LineWriter& writer,
                                         int pacePercent) {
    for (const Emission& e : outbox) {
        if (e.hangUp) {
            line_.HangUp();
            return RunEnd::HungUp;
        }
        LineWriter::Result r = writer.Pause(e.pauseBefore);
        if (r == LineWriter::Result::Done)
            r = writer.Write(e.bytes, e.baud * std::max(pacePercent, 1) / 100, pacePercent > 0);
        if (r == LineWriter::Result::Stopped) return RunEnd::Stopped;
        if (r == LineWriter::Result::Failed) return RunEnd::LineFailed;
    }
    return std::nullopt;
}

void Simulator::KeepReceived(std::span<const std::uint8_t> bytes) {
    received_.insert(received_.end(), bytes.begin(), bytes.end());
    if (received_.size() > kReceivedLogLimit)
        received_.erase(received_.begin(), received_.end() - kReceivedLogLimit);
}

void Simulator::KeepUpload(Payload payload) {
    std::vector<std::uint8_t> image;
    {
        std::lock_guard lock(mutex_);
        image = uploaded_[payload] = memory_.Image(payload);
    }
    if (options_.uploadDir.empty()) return;
    const auto path = options_.uploadDir / UploadFileName(payload);
    try {
        WriteFileAtomically(path, image);
        Log("saved " + path.string());
    } catch (const std::exception& e) {
        Log(e.what());
    }
}

void Simulator::Log(const std::string& text) const {
    if (options_.log) options_.log(text);
}

}  // namespace vantrel::sim
