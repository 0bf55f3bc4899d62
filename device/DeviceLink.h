#pragma once
// The link to the device: the command sentences, the 20 ms reply reader with
// its block transfers in both directions, the watchdog that resets a silent
// link, and the requests behind the window's device buttons.
//
// The owner calls Tick() every 20 ms (the window's timer, the command line's
// loop, a test) and calls the request handlers when the user asks. Everything
// runs on the owner's thread; the port only queues bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/TransferArea.h"
#include "app/UserMessages.h"
#include "device/Clock.h"
#include "device/DeviceLocator.h"
#include "device/DeviceProtocol.h"
#include "device/LinkDisplay.h"
#include "device/LinkPort.h"
#include "device/LinkPortError.h"
#include "device/RxRing.h"
#include "device/TransferHooks.h"
#include "locale/CodePage.h"

namespace vantrel {

// The link variables that the requests set and the reply reader follows.
struct LinkVariables {
    std::string DevicePortName;  // empty: no device present
    int LinkState = kCommandMode;
    int ReplyLength = 0;  // bytes of the awaited text reply with its "$"; 0 for none
    int ReplyKind = rkTrack;
    int WatchdogTicks = kWatchdogStart;
    int BlocksReceived = 0;       // blocks stored by the download under way
    std::uint8_t BlocksSent = 0;  // number of the last block sent by the upload
    std::string LastReply;        // the last text reply, without its "$"
};

// Counters a caller can watch to follow a request to its end.
struct LinkProgress {
    int LinkState = kCommandMode;
    int BlocksReceived = 0;
    int BlocksSent = 0;
    std::size_t TransferLength = 0;
    std::uint64_t BytesRead = 0;     // from the port since the link was made
    std::uint64_t BytesWritten = 0;  // to the port since the link was made
    unsigned RepliesUnderstood = 0;  // text replies a parser took
    unsigned DownloadsFinished = 0;  // downloads handed over (EOT or cut short)
    unsigned DownloadsCut = 0;       // downloads stopped because the area was full
    unsigned UploadsFinished = 0;
    unsigned WatchdogResets = 0;  // link resets because the device fell silent
    unsigned PortFailures = 0;
    std::string LastPortError;
};

// How a request ended on the PC's side.
enum class RequestResult {
    Sent,        // the sentence went out; the reply reader takes over
    NoDevice,    // "Vantrel not Found!" was shown
    PortFailed,  // the port would not open; its message was shown
    Refused      // an upload image that cannot be sent; nothing was sent
};

// The parts the link works with; each must outlive the link. The transfer
// area is shared with the track, plan and POI files, so it lives outside.
struct LinkParts {
    TransferArea& area;
    LinkPort& port;
    Clock& clock;
    DeviceLocator& locator;
    TransferHooks& hooks;
    UserMessages& messages;
};

class DeviceLink {
  public:
    explicit DeviceLink(LinkParts parts);

    LinkVariables& Variables() { return vars_; }
    const LinkVariables& Variables() const { return vars_; }
    LinkDisplay& Display() { return display_; }
    const LinkDisplay& Display() const { return display_; }
    TransferArea& Transfer() { return area_; }
    const TransferArea& Transfer() const { return area_; }
    RxRing& Ring() { return ring_; }
    LinkProgress Progress() const;

    // Command channel.
    void FindDevicePort();
    bool SendCommand(std::string_view sentence);  // true when no device was found
    void ResetLink();

    // The 20 ms reply reader.
    void Tick();
    void timerCommReadTimer() { Tick(); }
    std::uint8_t TakeByte();
    bool DispatchReply(int kind);
    bool AcceptDownload(std::string_view text);
    bool AcceptUpload(std::string_view text);
    void FinishDownload(int kind);

    // Requests behind the window's buttons.
    RequestResult btnDownloadGuiderClick();
    RequestResult btnLoggerClick();
    RequestResult btnDownloadFrGuiderClick();
    RequestResult btnLoadTrackClick();
    RequestResult btnLoadPlanClick();
    RequestResult btnLoadPOIClick();
    RequestResult btnStorePoiClick();
    RequestResult btnStorePlanClick();
    RequestResult btnLoadDataClick();

  private:
    // Requests.
    RequestResult Request(const DeviceCommand& command);
    RequestResult Download(const DeviceCommand& command, ButtonState& button);
    RequestResult Upload(const DeviceCommand& command, ButtonState& button, bool plan);
    bool BuildUploadImage(bool plan);

    // Port and messages.
    void WriteBytes(const std::uint8_t* bytes, std::size_t count);
    void WriteByte(std::uint8_t byte) { WriteBytes(&byte, 1); }
    void ReopenAt(LinkBaud baud);
    void ShowError(std::string_view text);
    void ReportPortError(const LinkPortError& error);
    void AbandonLink();
    void EnableDownloadButtons();

    // Reply reader.
    void ReadTick();
    void FillRing();
    void CountDown();
    void ReadTextReplies();
    std::string TakeReplyText(int count);
    void StepBlockStart();
    void StepBlockBody();
    void StoreBlock();
    void EndDownload();
    void StepBlockSend();
    void SendNextBlock();
    bool UploadPastEnd() const;
    void StepBlockClosing();

    LinkParts parts_;
    LinkVariables vars_;
    LinkDisplay display_;
    TransferArea& area_;
    RxRing ring_;
    std::array<std::uint8_t, kBlockFrameLength> BlockFrame{};
    CodePage codePage_;
    LinkProgress counters_;
};

}  // namespace vantrel
