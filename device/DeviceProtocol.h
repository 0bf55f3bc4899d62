#pragma once
// The device's side of the line: control bytes, the command sentences with
// the replies they await, the link states and the reply kinds.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/TransferArea.h"

namespace vantrel {

// Control bytes of the block transfers and of the link reset.
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kRestart = 0x03;  // the device asks for "C" again
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kDc1 = 0x11;
inline constexpr std::uint8_t kDc3 = 0x13;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kCan = 0x18;
inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kCrcStart = 'C';

// LinkState values.
enum LinkStates : int {
    kCommandMode = 0,   // text replies
    kBlockStart = 1,    // download, waiting for STX
    kBlockBody = 2,     // download, waiting for a whole block
    kEotCheck = 3,      // download, an EOT read: is it the device's, or noise?
    kBlockSend = 10,    // upload, sending blocks
    kBlockClosing = 12  // upload, past the end, waiting to send EOT
};

// ReplyKind values: which parser takes the next text reply.
enum ReplyKinds : int {
    rkTrack = 0,
    rkGuider = 1,
    rkLogger = 2,
    rkPlan = 3,
    rkPoi = 4,
    rkPoiUpload = 5,
    rkPlanUpload = 6
};

// A command sentence and the reply it awaits. A kind of kKindUnchanged
// leaves ReplyKind as it was.
struct DeviceCommand {
    static constexpr int kKindUnchanged = -1;
    std::string_view sentence;
    int replyLength;
    int replyKind;
};

inline constexpr DeviceCommand kGuiderCommand{"$POEM14,0*\r\n", 34, rkGuider};
inline constexpr DeviceCommand kLoggerCommand{"$POEM06*\r\n", 54, rkLogger};
inline constexpr DeviceCommand kTrackCommand{"$POEM12,14*\r\n", 16, rkTrack};
inline constexpr DeviceCommand kPlanCommand{"$POEM12,12*\r\n", 17, rkPlan};
inline constexpr DeviceCommand kPoiCommand{"$POEM12,2*\r\n", 17, rkPoi};
inline constexpr DeviceCommand kPoiUploadCommand{"$POEM12,4*\r\n", 16, rkPoiUpload};
inline constexpr DeviceCommand kPlanUploadCommand{"$POEM12,11*\r\n", 20, rkPlanUpload};
inline constexpr DeviceCommand kLoadDataCommand{"$POEM12,1*\r\n", 17,
                                                DeviceCommand::kKindUnchanged};
// Sent by the link reset; nothing is awaited.
inline constexpr std::string_view kResetSentence = "$POEM06*\r\n";

// What follows STX in a download block: number, complement, data, CRC.
inline constexpr int kBlockBodyLength = 1028;
// A whole download block, its STX included.
inline constexpr std::size_t kDownloadBlockLength = 1 + kBlockBodyLength;
// Bytes after STX in an upload block: number, complement, data, checksum.
inline constexpr std::size_t kBlockFrameLength = 1027;
inline constexpr int kMaxDownloadBlocks = static_cast<int>(TransferArea::kSize / kBlockSize);

// Tries of one block (or of an upload's closing EOT) before a transfer is
// given up: the first and nine repeats.
inline constexpr int kMaxTries = 10;

inline constexpr int kTickMilliseconds = 20;
inline constexpr int kWatchdogStart = 300;  // ticks without data before a link reset

// The timed steps of a download, in ticks. "C" is sent again every 3 s
// until a block starts, kMaxTries times in all; a block whose bytes stop
// for 1 s is asked for again with NAK. An EOT is answered with NAK on the
// first tick that finds the line quiet after it (the rest of a block that
// follows noise is on its way by then, and the device is not disturbed), and
// taken as the device's once the device repeats it or stays quiet for 1 s
// after that NAK.
inline constexpr int kCrcRepeatTicks = 150;
inline constexpr int kBlockQuietTicks = 50;
inline constexpr int kEotSettleTicks = 1;
inline constexpr int kEotConfirmTicks = 50;

// A reply or block must be whole within this many ticks of the link
// starting to wait for it, plus 20 times the time its bytes take at the
// line's rate; bytes that never make one are data the link cannot use.
inline constexpr int kProgressMarginTicks = 300;
inline constexpr int kProgressSlowdown = 20;

// The ticks a reply or block of `bytes` may take at `baud` (10 bits a
// byte), the margin included.
constexpr int ProgressLimitTicks(std::size_t bytes, int baud) {
    const std::size_t slowMs = bytes * 10 * 1000 * kProgressSlowdown / static_cast<std::size_t>(baud);
    return kProgressMarginTicks + static_cast<int>((slowMs + kTickMilliseconds - 1) / kTickMilliseconds);
}
inline constexpr std::size_t kReplyBufferSize = 256;
inline constexpr std::size_t kReadChunk = 1024;  // bytes taken from the port per tick
inline constexpr int kProgressSteps = 128;

// The 8-bit sum of `count` bytes: the checksum of an upload block.
inline std::uint8_t BlockChecksum(const std::uint8_t* data, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum = static_cast<std::uint8_t>(sum + data[i]);
    return sum;
}

// The CRC-16 of a download block's data, sent high byte first: polynomial
// 0x1021, initial value 0, no reflection.
inline std::uint16_t BlockCrc(const std::uint8_t* data, std::size_t count) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < count; ++i) {
        crc = static_cast<std::uint16_t>(crc ^ (data[i] << 8));
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

}  // namespace vantrel
