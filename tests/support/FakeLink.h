#pragma once
// Stand-ins for what the device link talks to: a scripted port, a clock
// that only counts, a locator with a fixed answer and hooks that record the
// hand-overs. Port calls and pauses go into one log of readable lines
// ("baud 9600", "pc 24 50 4F", "sleep 200") so a test can compare whole
// exchanges.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/Clock.h"
#include "device/DeviceLocator.h"
#include "device/LinkPort.h"
#include "device/LinkPortError.h"
#include "device/TransferHooks.h"

namespace vantrel::testing {

using Bytes = std::vector<std::uint8_t>;
using EventLog = std::vector<std::string>;

inline Bytes Ascii(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

inline std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    std::string out;
    char cell[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(cell, sizeof cell, i ? " %02X" : "%02X", bytes[i]);
        out += cell;
    }
    return out;
}

// The log line of one write.
inline std::string Pc(const Bytes& bytes) {
    return "pc " + Hex(bytes.data(), bytes.size());
}
inline std::string Pc(std::string_view ascii) {
    return Pc(Ascii(ascii));
}

class FakeLinkPort : public LinkPort {
  public:
    explicit FakeLinkPort(EventLog& log) : log_(log) {}

    void SetPortName(const std::string& name) override {
        log_.push_back("name " + name);
        active_ = false;
    }
    void SetBaud(LinkBaud baud) override {
        log_.push_back("baud " + std::to_string(static_cast<int>(baud)));
        baud_ = baud;
        active_ = false;
    }
    void SetActive(bool active) override {
        log_.push_back(active ? "active 1" : "active 0");
        if (active && openFailure) throw *openFailure;
        active_ = active;
        if (active) lost = false;  // a port opened anew works until it goes away again
    }
    bool Active() const override { return active_; }
    bool Lost() const override { return active_ && lost; }
    long Write(const std::uint8_t* bytes, std::size_t count) override {
        Bytes data(bytes, bytes + count);
        log_.push_back(Pc(data));
        written.insert(written.end(), data.begin(), data.end());
        if (onWrite) onWrite(data);
        return static_cast<long>(count);
    }
    std::size_t Read(std::uint8_t* bytes, std::size_t count) override {
        std::size_t n = 0;
        for (; active_ && n < count && !incoming.empty(); ++n) {
            bytes[n] = incoming.front();
            incoming.pop_front();
        }
        return n;
    }
    void PurgeRead(bool) override {
        log_.push_back("purge");
        incoming.clear();
    }
    void ClearCommError() override {}

    // The device's side: bytes it sent, and how it answers what it receives.
    void Deliver(const Bytes& bytes) {
        incoming.insert(incoming.end(), bytes.begin(), bytes.end());
    }

    LinkBaud Baud() const { return baud_; }

    std::deque<std::uint8_t> incoming;
    Bytes written;
    std::function<void(const Bytes&)> onWrite;
    std::optional<LinkPortError> openFailure;
    bool lost = false;  // the open port went away

  private:
    EventLog& log_;
    LinkBaud baud_ = LinkBaud::Baud9600;
    bool active_ = false;
};

class FakeClock : public Clock {
  public:
    explicit FakeClock(EventLog& log) : log_(log) {}
    void Sleep(int milliseconds) override {
        log_.push_back("sleep " + std::to_string(milliseconds));
    }

  private:
    EventLog& log_;
};

class FakeLocator : public DeviceLocator {
  public:
    std::optional<std::string> DevicePort() override { return port; }
    std::optional<std::string> port = std::string("/dev/ttyUSB0");
};

class RecordingHooks : public TransferHooks {
  public:
    std::string DownloadShortfall(int, const TransferArea&) override { return shortfall; }
    void AssembleTracks(const TransferArea& area) override { Loaded("tracks", area); }
    void ReadPlanImage(const TransferArea& area) override { Loaded("plan", area); }
    void ReadPoiImage(const TransferArea& area) override { Loaded("poi", area); }
    UploadImage BuildPlanImage(TransferArea& area) override { return Build(area); }
    UploadImage BuildPoiImage(TransferArea& area) override { return Build(area); }

    // Each hand-over as "tracks 3072" (the loader and the length it saw).
    std::vector<std::string> loaded;
    // What DownloadShortfall says of every download.
    std::string shortfall;
    // The image that Build writes after 0xFF fill: `image` when set, else
    // `imageLength` bytes counting up from 1; or a refusal.
    Bytes image;
    std::size_t imageLength = 0;
    std::string refusal;

  private:
    void Loaded(const char* what, const TransferArea& area) {
        loaded.push_back(std::string(what) + " " + std::to_string(area.TransferLength));
    }
    UploadImage Build(TransferArea& area) {
        if (!refusal.empty()) return {0, refusal};
        for (std::size_t i = 0; i < TransferArea::kSize / 2; ++i)
            area.bytes[i] = i < imageLength ? static_cast<std::uint8_t>(i + 1) : 0xFF;
        if (image.empty()) return {imageLength, ""};
        std::copy(image.begin(), image.end(), area.bytes.begin());
        return {image.size(), ""};
    }
};

}  // namespace vantrel::testing
