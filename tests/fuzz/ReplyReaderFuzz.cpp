// Feeds arbitrary device bytes to the reply reader in every link state, with
// requests and long silences in between. The link must neither crash nor
// write past its ring, reply buffer or transfer area.

#include <cstddef>
#include <cstdint>

#include "device/DeviceLink.h"
#include "support/FakeLink.h"
#include "support/RecordingMessages.h"

namespace {

using namespace vantrel;
using namespace vantrel::testing;

// Hand-overs that do nothing; uploads of a length the input chooses.
class FuzzHooks : public TransferHooks {
  public:
    void AssembleTracks(const TransferArea&) override {}
    void ReadPlanImage(const TransferArea&) override {}
    void ReadPoiImage(const TransferArea&) override {}
    UploadImage BuildPlanImage(TransferArea&) override { return {length, ""}; }
    UploadImage BuildPoiImage(TransferArea&) override { return {length, ""}; }
    std::size_t length = 0;
};

constexpr RequestResult (DeviceLink::*kClicks[])() = {
    &DeviceLink::btnDownloadGuiderClick,   &DeviceLink::btnLoggerClick,
    &DeviceLink::btnDownloadFrGuiderClick, &DeviceLink::btnLoadTrackClick,
    &DeviceLink::btnLoadPlanClick,         &DeviceLink::btnLoadPOIClick,
    &DeviceLink::btnStorePoiClick,         &DeviceLink::btnStorePlanClick,
    &DeviceLink::btnLoadDataClick};
constexpr int kStates[] = {kCommandMode, kBlockStart, kBlockBody, kBlockSend, kBlockClosing, 7};

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    std::uint8_t Byte() { return Empty() ? 0 : data_[pos_++]; }
    Bytes Take(std::size_t count) {
        Bytes out;
        while (count-- > 0 && !Empty())
            out.push_back(data_[pos_++]);
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    // One area for all runs: its bytes never steer the link, and a fresh
    // 2 MiB per run would slow the search down.
    static TransferArea area;
    EventLog log;
    FakeLinkPort port(log);
    FakeClock clock(log);
    FakeLocator locator;
    FuzzHooks hooks;
    RecordingMessages messages;
    DeviceLink link({area, port, clock, locator, hooks, messages});

    // Start from any state, reply length (1028 included) and counts near the limits.
    auto& vars = link.Variables();
    vars.LinkState = kStates[in.Byte() % std::size(kStates)];
    vars.ReplyLength = (in.Byte() << 8 | in.Byte()) % 1100;
    vars.ReplyKind = in.Byte() % 8;
    vars.BlocksSent = in.Byte();
    vars.BlocksReceived = kMaxDownloadBlocks - in.Byte() % 4;
    link.Transfer().TransferLength = (in.Byte() << 10) % TransferArea::kSize;
    hooks.length = static_cast<std::size_t>(in.Byte()) << 11;
    if (in.Byte() & 1) locator.port = "";
    port.SetActive(true);

    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        switch (op % 4) {
            case 0:
                port.Deliver(in.Take((op / 4 + 1) * 24u));
                break;
            case 1:
                for (int i = 0; i <= op / 4; ++i)
                    link.Tick();
                break;
            case 2:
                for (int i = 0; i < kWatchdogStart; ++i)
                    link.Tick();
                break;
            default:
                (link.*kClicks[(op / 4) % std::size(kClicks)])();
                break;
        }
        Check(link.Ring().RxCount() <= RxRing::kSize);
        Check(link.Transfer().TransferLength <= TransferArea::kSize);
        Check(vars.BlocksReceived <= kMaxDownloadBlocks);
        Check(vars.LastReply.size() <= 3 * (kReplyBufferSize - 1));
    }
    return 0;
}
