#pragma once
// The link to the device: the command sentences, the 20 ms reply reader with
// its block transfers in both directions, the watchdog that resets a silent
// link, and the requests a user makes of the device.
//
// The owner calls Receive() whenever the port reports received bytes, so a
// reply or block is read (and answered) as soon as it is complete, and
// Tick() every 20 ms (the window's timer, the command line's loop, a test)
// for the watchdog, the progress display and whatever Receive was not
// called for. It calls the request handlers when the user asks. Everything
// runs on the owner's thread; the port only queues bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/TransferArea.h"
#include "base/UserMessages.h"
#include "device/Clock.h"
#include "device/DeviceLocator.h"
#include "device/DeviceProtocol.h"
#include "device/LinkPort.h"
#include "device/LinkPortError.h"
#include "device/LinkStatus.h"
#include "device/RxRing.h"
#include "device/TransferHooks.h"
#include "locale/CodePage.h"

namespace vantrel {

// What the user is told when no device is found, by the link and at start.
inline constexpr std::string_view kDeviceNotFoundText = "Vantrel Not Found!";

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
    // The transfer under way (all 0 when none runs): whether it sends a list,
    // the list's bytes moved so far (whole blocks) and, for an upload, the
    // size of the list it sends (a download's size is known only at its end).
    bool Uploading = false;
    std::uint64_t TransferBytes = 0;
    std::size_t UploadSize = 0;
    std::uint64_t BytesRead = 0;     // from the port since the link was made
    std::uint64_t BytesWritten = 0;  // to the port since the link was made
    unsigned RepliesUnderstood = 0;  // text replies a parser took
    unsigned DownloadsFinished = 0;  // downloads handed over (EOT or cut short)
    unsigned DownloadsCut = 0;       // downloads stopped because the area was full
    unsigned UploadsFinished = 0;    // uploads whose end the device confirmed
    unsigned TransfersFailed = 0;    // transfers that ended without their data
    unsigned RequestsFailed = 0;     // other requests whose reply never came whole
    unsigned WatchdogResets = 0;     // link resets because the device fell silent
    unsigned PortFailures = 0;       // ports that would not open or went away
    std::string LastPortError;
};

// How a request ended on the PC's side.
enum class RequestResult {
    Sent,        // the sentence went out; the reply reader takes over
    NoDevice,    // kDeviceNotFoundText was shown
    PortFailed,  // the port would not open; its message was shown
    Refused,     // an upload image that cannot be sent; nothing was sent
    Busy         // a transfer is under way; nothing was sent
};

// The link's timed steps, counted in ticks (DeviceLinkTimers.cpp).
struct LineTimers {
    int quietTicks = 0;          // ticks since a byte last arrived
    bool awaitingReply = false;  // a request's reply is due and no parser took one yet
    bool awaitingFirst = false;  // a download's "C" went out and no block has started
    int starts = 0;              // "C"s sent for the download under way
    int startTicks = 0;          // ticks since the last of them
    bool eotAnswered = false;    // the EOT under check was answered with NAK
    int unitTicks = 0;           // ticks the awaited reply or block has been under way
    std::uint64_t unitBytes = 0;  // bytes that arrived meanwhile
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

    // What the link is doing, for the front ends and tests to read; only the
    // requests, the port's bytes and the clock change it.
    const LinkVariables& Variables() const { return vars_; }
    const LinkStatus& Status() const { return status_; }
    TransferArea& Transfer() { return area_; }
    const TransferArea& Transfer() const { return area_; }
    // Bytes taken from the port that the reply reader has not used yet.
    std::size_t PendingBytes() const { return ring_.RxCount(); }
    LinkProgress Progress() const;

    // True from the moment a download or upload request went out until the
    // transfer ended, well or not. Meanwhile every other request is refused.
    bool TransferRunning() const { return transferRunning_; }

    // Command channel.
    void FindDevicePort();
    bool SendCommand(std::string_view sentence);  // true when no device was found
    void ResetLink();
    // Ends whatever the link awaits at once, as when the program is told to
    // stop: a transfer is cancelled on the line (CAN, then the link reset),
    // the port is closed, nothing is handed over and nothing is shown.
    void Cancel();

    // The reply reader: the 20 ms tick, and the bytes the port reported.
    void Tick();
    void Receive();

    // The requests a user makes of the device.
    RequestResult RequestGuiderSettings();
    RequestResult RequestLoggerSettings();
    RequestResult RequestTrackDownload();
    // The same download without progress, followed by a short pause.
    RequestResult RequestTrackDownloadQuietly();
    RequestResult RequestPlanDownload();
    RequestResult RequestPoiDownload();
    RequestResult UploadPoiList();
    RequestResult UploadPlan();
    // Sends the logger's data request and shows the logger settings of the
    // reply received before it.
    RequestResult RequestLoggerData();

  private:
    // Requests.
    RequestResult Request(const DeviceCommand& command);
    RequestResult Download(const DeviceCommand& command, bool showProgress);
    RequestResult Upload(const DeviceCommand& command, bool plan);
    bool BuildUploadImage(bool plan);
    RequestResult RefuseWhileBusy();
    void BeginTransfer(bool showProgress);
    void EndTransfer();
    void FailTransfer(const std::string& reason, bool cancel);
    void FailRequest(const std::string& reason);
    bool UploadKind() const;
    std::string TransferName() const;
    std::string FailureText(const std::string& reason) const;

    // Port and messages.
    void WriteBytes(const std::uint8_t* bytes, std::size_t count);
    void WriteByte(std::uint8_t byte) { WriteBytes(&byte, 1); }
    void PurgeReceived();
    void ReopenAt(LinkBaud baud);
    void ShowError(std::string_view text);
    void ReportPortError(const std::string& message);
    void AbandonLink(const std::string& message);
    bool PortLost();

    // Reply reader.
    std::uint8_t TakeByte();
    bool DispatchReply(int kind);
    bool AcceptDownload(std::string_view text);
    bool AcceptUpload(std::string_view text);
    void EnterTransfer(std::string_view acknowledgement, int pauseMs);
    void FinishDownload(int kind);
    void RunReader(bool tick);
    void ReadTick();
    void ReadReceived();
    std::size_t FillRing();
    void StepStates();
    void Step();
    void CountDown();
    void ReadTextReplies();
    void StepBlockStart();
    void StepBlockBody();
    void StepEotCheck();
    void CheckEot();
    void TakeBlock();
    void StoreBlock(std::size_t index, const std::uint8_t* data);
    void RefuseDamagedBlock();
    bool Retry(const std::string& failure);
    void CutDownload();
    void EndDownload();
    void StepBlockSend();
    std::uint8_t TakeUploadAnswer();
    void SendNextBlock();
    void SendBlockAgain();
    bool UploadPastEnd() const;
    void StepBlockClosing();
    void FinishUpload();

    // Timed steps.
    void RunTimers();
    void TimeFirstBlock();
    void BlockBrokeOff();
    void TimeEot();
    void CheckProgress();
    void Progressed();

    LinkParts parts_;
    LinkVariables vars_;
    LinkStatus status_;
    TransferArea& area_;
    RxRing ring_;
    std::array<std::uint8_t, kBlockFrameLength> BlockFrame{};
    // The blocks of the transfer under way: a download is kept here until it
    // is complete, an upload is sent from the copy taken at its request, so
    // nothing else that uses the shared area can mix into either.
    TransferArea moving_;
    bool transferRunning_ = false;
    int tries_ = 0;  // failed tries of the current block, or of the closing EOT
    LineTimers timers_;
    bool reading_ = false;  // a pass of the reply reader is under way
    bool onTick_ = false;   // that pass is a tick's
    CodePage codePage_;
    LinkProgress counters_;
};

}  // namespace vantrel
