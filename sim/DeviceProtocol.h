#pragma once
// The device's side of the line as a state machine without I/O: it takes the
// bytes the PC sent and queues what the device answers, each piece tagged
// with the baud rate the line runs at by then, so that a writer can pace it.
//
// Command mode answers the command sentences. A download acknowledgement is
// followed, after the PC's "C", by CRC blocks, each sent after the ACK of the
// one before, then EOT, which the PC answers with CAN. An upload
// acknowledgement is followed by NAK, then each intact block with the
// additive checksum is acknowledged until EOT. CAN, DC1 DC3 or a new "$"
// sentence end any transfer and return to command mode.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/DeviceMemory.h"
#include "sim/LineBytes.h"

namespace vantrel::sim {

inline constexpr int kCommandBaud = 9600;
inline constexpr int kTransferBaud = 115200;

// A place in what the device sends for a download: inside download block
// `block` (from 1) after `offset` of its bytes (0: before its STX); block 0
// is the acknowledgement of the request, and the block after the last one
// the EOT.
struct LinePlace {
    std::size_t block = 1;
    std::size_t offset = 0;
};

// Bytes a faulty line adds to a download, once, at their place.
struct StrayBytes {
    LinePlace at;
    std::vector<std::uint8_t> bytes;
};

// How the simulated line departs from a perfect one. "After" counts are
// blocks completed in the transfer (0 means before the first block); block
// numbers count from 1.
struct LineOptions {
    bool pace = false;                       // hold the byte rate of the current baud rate
    int pacePercent = 100;                   // ... or this share of it, when paced
    std::size_t noiseBytes = 0;              // stray bytes before every reply and block
    bool etxFirst = false;                   // answer the first "C" of a download with 0x03
    bool eotFirst = false;                   // answer a download's "C" with EOT: nothing to send
    std::optional<std::size_t> repeatBlock;  // send this download block a second time
    std::optional<std::size_t> damageBlock;  // send this download block with a wrong CRC
    bool damageAlways = false;               // ... each time it is sent, not only the first
    std::optional<std::size_t> nakBlock;     // answer this upload block with NAK
    bool nakAlways = false;                  // ... each time it comes, not only the first
    bool nakEot = false;                     // answer an upload's first EOT with NAK
    std::optional<std::size_t> cancelUploadAfter;  // cancel an upload with CAN after this many
    std::optional<std::size_t> stallAfter;         // fall silent after this many blocks
    std::optional<std::size_t> hangUpAfter;        // close the line after this many blocks
    std::vector<StrayBytes> strays;                // bytes added to a download, each once
    std::optional<LinePlace> dropByte;             // a download byte lost on the line, once
    std::size_t ignoreStarts = 0;                  // the first "C"s of a download go unheard
    bool eotOnce = false;                          // a download's EOT is not sent again on NAK
    std::optional<std::size_t> strayAckAfter;      // a second ACK after this upload block's
    bool stream = false;  // send NMEA sentences without end and answer nothing
};

// Something the device does on the line: send bytes (after a pause), or hang up.
struct Emission {
    std::vector<std::uint8_t> bytes;
    int baud = kCommandBaud;
    std::chrono::milliseconds pauseBefore{0};
    bool hangUp = false;
};

class DeviceProtocol {
  public:
    using Clock = std::chrono::steady_clock;
    using Log = std::function<void(const std::string&)>;

    // The protocol serves downloads from `memory` and stores uploads in it.
    DeviceProtocol(DeviceMemory& memory, LineOptions options, Log log = {});

    void Receive(std::span<const std::uint8_t> bytes, Clock::time_point now);
    // Runs what is due by `now`: NAK repeats while an upload waits for its
    // first block, and dropping a block the PC stopped sending midway.
    void Tick(Clock::time_point now);
    std::optional<Clock::time_point> Deadline() const;

    std::vector<Emission> TakeOutbox();
    // The kind of the upload completed since the last call, if any.
    std::optional<Payload> TakeFinishedUpload();

    const LineOptions& Options() const { return options_; }
    void SetOptions(const LineOptions& options) { options_ = options; }

  private:
    enum class Mode {
        Command,
        AwaitStart,      // download acknowledged, waiting for "C"
        AwaitAck,        // download block sent
        AwaitEotAnswer,  // EOT sent, waiting for CAN
        AwaitBlock,      // upload, waiting for STX or EOT
        BlockBody,       // upload, collecting a block after its STX
        Silent,          // stalled on request: only a reset is heard
        Gone,            // hung up
    };
    struct Transfer {
        Payload payload = Payload::Tracks;
        std::vector<std::uint8_t> bytes;  // the download's payload or the upload received so far
        std::size_t blocks = 0;           // download: blocks in the payload; upload: blocks kept
        std::size_t current = 0;          // download: number of the block last sent
        bool etxSent = false;
        bool repeated = false;
        bool damaged = false;  // the damaged block went out once
        bool naked = false;    // the NAKed upload block was refused once
        bool eotNaked = false;
        std::size_t startsIgnored = 0;
        std::vector<bool> straysDone;
        bool byteDropped = false;
        std::vector<std::uint8_t> frame;
        int naksLeft = 0;
    };

    void OnByte(std::uint8_t b, Clock::time_point now);
    void OnCommandByte(std::uint8_t b, Clock::time_point now);
    void RunSentence(const std::string& sentence, Clock::time_point now);
    bool OnResetByte(std::uint8_t b);

    void StartDownload(Payload payload, std::size_t replyLength);
    void OnStartByte(std::uint8_t b);
    void OnAckByte(std::uint8_t b);
    void OnEotAnswerByte(std::uint8_t b);
    void ContinueAfter(std::size_t blocks);
    void SendBlock(std::size_t number);

    void StartUpload(Payload payload, const std::string& ack, Clock::time_point now);
    void OnAwaitBlockByte(std::uint8_t b, Clock::time_point now);
    void OnBlockBodyByte(std::uint8_t b, Clock::time_point now);
    void AcceptFrame();
    bool RefuseOnRequest(std::uint8_t number);
    void OnUploadEot();
    void FinishUpload();

    bool FaultAfter(std::size_t blocks);
    void ToCommand(const std::string& why);
    void Emit(std::vector<std::uint8_t> bytes, std::chrono::milliseconds pause = {});
    void Disturb(std::vector<std::uint8_t>& bytes, std::size_t block);
    void EmitDownload(std::vector<std::uint8_t> bytes, std::size_t block);
    void StreamSentence(Clock::time_point now);
    void EmitAfterNoise(std::span<const std::uint8_t> bytes);
    void EmitReply(const std::string& reply);
    void Note(const std::string& text) const;

    DeviceMemory& memory_;
    LineOptions options_;
    Log log_;
    Mode mode_ = Mode::Command;
    std::string sentence_;
    std::uint8_t previous_ = 0;
    std::size_t noiseCursor_ = 0;
    Transfer transfer_;
    std::optional<Clock::time_point> deadline_;
    std::optional<Clock::time_point> nextSentence_;  // of the stream, when it runs
    std::vector<Emission> outbox_;
    std::optional<Payload> finishedUpload_;
};

}  // namespace vantrel::sim
