// Feeds arbitrary device bytes to the reply reader, with requests, the
// device's acknowledgements (which lead into every transfer state) and long
// silences in between. The link must neither crash nor write past its ring,
// reply buffer or transfer area.

#include <cstddef>
#include <cstdint>
#include <string>

#include "device/DeviceLink.h"
#include "support/FakeLink.h"
#include "support/RecordingMessages.h"

namespace {

using namespace vantrel;
using namespace vantrel::testing;

// Hand-overs that do nothing; uploads of a length the input chooses.
class FuzzHooks : public TransferHooks {
  public:
    std::string DownloadShortfall(int, const TransferArea& area) override {
        return area.TransferLength % 2048 == 0 ? "" : "odd";
    }
    void AssembleTracks(const TransferArea&) override {}
    void ReadPlanImage(const TransferArea&) override {}
    void ReadPoiImage(const TransferArea&) override {}
    UploadImage BuildPlanImage(TransferArea&) override { return {length, ""}; }
    UploadImage BuildPoiImage(TransferArea&) override { return {length, ""}; }
    std::size_t length = 0;
};

constexpr RequestResult (DeviceLink::*kRequests[])() = {
    &DeviceLink::RequestGuiderSettings, &DeviceLink::RequestLoggerSettings,
    &DeviceLink::RequestTrackDownload,  &DeviceLink::RequestTrackDownloadQuietly,
    &DeviceLink::RequestPlanDownload,   &DeviceLink::RequestPoiDownload,
    &DeviceLink::UploadPoiList,         &DeviceLink::UploadPlan,
    &DeviceLink::RequestLoggerData};
// The device's acceptance of a download (with its length) and of an upload.
const char* const kAcknowledgements[] = {"$POEM200,4096*\r\n", "$POEM200,00000000*\r\n",
                                         "$POEM200,2097152*\r\n"};

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

    link.Transfer().TransferLength = (in.Byte() << 10) % TransferArea::kSize;
    hooks.length = static_cast<std::size_t>(in.Byte()) << 11;
    if (in.Byte() & 1) locator.port = "";
    port.SetActive(true);

    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        switch (op % 5) {
            case 0:
                port.Deliver(in.Take((op / 5 + 1) * 24u));
                break;
            case 1:
                for (int i = 0; i <= op / 5; ++i)
                    link.Tick();
                break;
            case 2:
                for (int i = 0; i < kWatchdogStart; ++i)
                    link.Tick();
                break;
            case 3:
                (link.*kRequests[(op / 5) % std::size(kRequests)])();
                break;
            default: {
                const std::string ack = kAcknowledgements[(op / 5) % std::size(kAcknowledgements)];
                port.Deliver(Bytes(ack.begin(), ack.end()));
                break;
            }
        }
        Check(link.PendingBytes() <= RxRing::kSize);
        Check(link.Transfer().TransferLength <= TransferArea::kSize);
        Check(link.Variables().BlocksReceived <= kMaxDownloadBlocks);
        Check(link.Variables().LastReply.size() <= 3 * (kReplyBufferSize - 1));
    }
    return 0;
}
