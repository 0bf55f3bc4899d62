// DeviceLink, continued: the block transfers. Downloads take 1024-byte blocks
// with CRC-16 after "C": a block is stored and acknowledged only when its
// number, complement and CRC are right; a damaged one is asked for again with
// NAK. An EOT ends a download only once it proves to be the device's, and
// only data the hooks find whole is handed over. Uploads send 1024-byte
// blocks with an additive checksum after the device's NAK, send a block again
// when the device answers it with NAK, and end with an EOT that the device
// must acknowledge. Before each block and the EOT, whatever waits unread is
// dropped: only an answer that comes after them counts.

#include <algorithm>
#include <string>

#include "device/DeviceLink.h"

namespace vantrel {

namespace {

// What a complete download block is, judged by its number against the
// blocks stored so far.
enum class BlockKind { Damaged, Next, Repeat, OutOfSequence };

BlockKind JudgeBlock(const std::uint8_t* body, int stored) {
    const std::uint8_t number = body[0];
    const std::uint8_t* data = body + 2;
    const auto crc = static_cast<std::uint16_t>(body[2 + kBlockSize] << 8 | body[3 + kBlockSize]);
    if (body[1] != static_cast<std::uint8_t>(~number) || BlockCrc(data, kBlockSize) != crc)
        return BlockKind::Damaged;
    if (number == static_cast<std::uint8_t>(stored + 1)) return BlockKind::Next;
    if (stored > 0 && number == static_cast<std::uint8_t>(stored)) return BlockKind::Repeat;
    return BlockKind::OutOfSequence;
}

}  // namespace

// State 1: one byte at a time while waiting for a block's STX. Stray bytes
// are dropped; 0x03 asks for "C" again only before the first block.
void DeviceLink::StepBlockStart() {
    vars_.WatchdogTicks = kWatchdogStart;
    const std::uint8_t byte = TakeByte();
    if (byte == kStx) {
        vars_.LinkState = kBlockBody;
        vars_.ReplyLength = kBlockBodyLength;
        timers_.awaitingFirst = false;
    } else if (byte == kRestart && timers_.awaitingFirst) {
        WriteByte(kCrcStart);
        parts_.clock.Sleep(1300);
        timers_.startTicks = 0;
    } else if (byte == kEot) {
        CheckEot();
    } else {
        CountDown();  // dropped; from 300 this never fires
    }
}

// An EOT where a block could start may be noise: it is answered with NAK
// once the line is quiet, and ends the download only when the device
// repeats it or stays quiet after that (DeviceLinkTimers.cpp).
void DeviceLink::CheckEot() {
    vars_.LinkState = kEotCheck;
    timers_.eotAnswered = false;
}

// State 3: a byte after an EOT. The device's repeat, after the NAK, ends
// the download. Any other byte shows the EOT was noise: it is read again
// where a block may start, so a block that follows goes on as if no EOT
// had come.
void DeviceLink::StepEotCheck() {
    if (ring_.Peek(0) != kEot) {
        vars_.LinkState = kBlockStart;
        return;
    }
    TakeByte();
    if (timers_.eotAnswered) EndDownload();
}

// State 2: a block is read once all of it waits in the ring.
void DeviceLink::StepBlockBody() {
    if (ring_.RxCount() < static_cast<std::size_t>(kBlockBodyLength)) {
        CountDown();
        return;
    }
    vars_.WatchdogTicks = kWatchdogStart;
    vars_.ReplyLength = 0;
    vars_.LinkState = kBlockStart;
    TakeBlock();
}

void DeviceLink::TakeBlock() {
    std::array<std::uint8_t, kBlockBodyLength> body;
    for (auto& byte : body)
        byte = TakeByte();
    const int stored = vars_.BlocksReceived;
    switch (JudgeBlock(body.data(), stored)) {
        case BlockKind::Damaged:
            return RefuseDamagedBlock();
        case BlockKind::Next:
            // The area is full: cancel the transfer and hand over what fit.
            if (stored >= kMaxDownloadBlocks) return CutDownload();
            StoreBlock(static_cast<std::size_t>(stored), body.data() + 2);
            ++vars_.BlocksReceived;
            break;
        case BlockKind::Repeat:
            // The device missed the ACK and sent the block again: it is read
            // over the one stored, never after it, where it would shift
            // everything that follows.
            StoreBlock(static_cast<std::size_t>(stored - 1), body.data() + 2);
            break;
        case BlockKind::OutOfSequence:
            return FailTransfer(
                "the device sent block " + std::to_string(body[0]) + " where block " +
                    std::to_string(static_cast<std::uint8_t>(stored + 1)) + " was due",
                true);
    }
    tries_ = 0;
    Progressed();
    WriteByte(kAck);
}

void DeviceLink::StoreBlock(std::size_t index, const std::uint8_t* data) {
    std::copy_n(data, kBlockSize,
                moving_.bytes.begin() + static_cast<std::ptrdiff_t>(index * kBlockSize));
    moving_.TransferLength = std::max(moving_.TransferLength, (index + 1) * kBlockSize);
}

// A damaged block (wrong complement or CRC) is asked for again, up to the
// last of its tries. What is left of it on the line (a byte too many) is
// dropped first, so it is never read as the start of something.
void DeviceLink::RefuseDamagedBlock() {
    PurgeReceived();
    if (Retry("block " + std::to_string(vars_.BlocksReceived + 1) + " arrived damaged " +
              std::to_string(kMaxTries) + " times"))
        WriteByte(kNak);
}

// Counts one more try of the block (or EOT) under way: false, with the
// transfer failed for `failure`, once it has had all its tries.
bool DeviceLink::Retry(const std::string& failure) {
    if (++tries_ < kMaxTries) return true;
    FailTransfer(failure, true);
    return false;
}

// More blocks than the area holds: the download is cancelled, what fit is
// handed over, and the user is told what was left out.
void DeviceLink::CutDownload() {
    ++counters_.DownloadsCut;
    EndDownload();
    ShowError("The device sent more than " + std::to_string(kMaxDownloadBlocks) +
              " blocks; the download was stopped and only the first " +
              std::to_string(TransferArea::kSize) + " bytes were kept.");
}

// EOT (or a full area) ends a download: cancel, reset the link and hand the
// data over, once the hooks find it whole (data cut short by the line is a
// failed transfer). It is complete by then, so a port that fails during the
// reset no longer makes it a failed transfer.
void DeviceLink::EndDownload() {
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    WriteByte(kCan);
    parts_.clock.Sleep(20);
    const std::string shortfall = parts_.hooks.DownloadShortfall(vars_.ReplyKind, moving_);
    if (!shortfall.empty()) return FailTransfer(shortfall, false);
    EndTransfer();
    ResetLink();
    std::copy_n(moving_.bytes.begin(), moving_.TransferLength, area_.bytes.begin());
    area_.TransferLength = moving_.TransferLength;
    FinishDownload(vars_.ReplyKind);
    ++counters_.DownloadsFinished;
    parts_.port.SetActive(false);
}

void DeviceLink::FinishDownload(int kind) {
    switch (kind) {
        case rkTrack:
            parts_.hooks.AssembleTracks(area_);
            break;
        case rkPlan:
            parts_.hooks.ReadPlanImage(area_);
            break;
        case rkPoi:
            parts_.hooks.ReadPoiImage(area_);
            break;
        default:
            break;
    }
}

// State 10: the device's first NAK asks for block 1; then an ACK asks for the
// next block (or, past the image, the closing EOT) and a NAK for the same
// block again. A CAN from the device ends the upload at once.
void DeviceLink::StepBlockSend() {
    switch (TakeUploadAnswer()) {
        case kNak:
            Progressed();
            if (vars_.BlocksSent == 0)
                SendNextBlock();
            else
                SendBlockAgain();
            break;
        case kAck:
            if (vars_.BlocksSent == 0) break;  // nothing was sent yet to acknowledge
            Progressed();
            tries_ = 0;
            if (!UploadPastEnd()) {
                SendNextBlock();
                break;
            }
            PurgeReceived();
            WriteByte(kEot);
            vars_.LinkState = kBlockClosing;
            break;
        default:
            break;  // dropped
    }
}

// The device's next answer to an upload. A CAN ends the upload at once.
std::uint8_t DeviceLink::TakeUploadAnswer() {
    vars_.WatchdogTicks = kWatchdogStart;
    const std::uint8_t answer = TakeByte();
    if (answer == kCan) FailTransfer("the device cancelled it", false);
    return answer;
}

void DeviceLink::SendNextBlock() {
    const std::size_t offset = static_cast<std::size_t>(vars_.BlocksSent) * kBlockSize;
    const auto data = moving_.bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    std::copy(data, data + kBlockSize, BlockFrame.begin() + 2);
    ++vars_.BlocksSent;
    BlockFrame[0] = vars_.BlocksSent;
    BlockFrame[1] = static_cast<std::uint8_t>(~vars_.BlocksSent);
    BlockFrame[kBlockFrameLength - 1] = BlockChecksum(BlockFrame.data() + 2, kBlockSize);
    PurgeReceived();
    WriteByte(kStx);
    WriteBytes(BlockFrame.data(), BlockFrame.size());
}

void DeviceLink::SendBlockAgain() {
    if (!Retry("the device refused block " + std::to_string(vars_.BlocksSent) + " " +
               std::to_string(kMaxTries) + " times"))
        return;
    PurgeReceived();
    WriteByte(kStx);
    WriteBytes(BlockFrame.data(), BlockFrame.size());
}

// True once a block reached past the image. The last block number an upload
// may use also ends it, so the 8-bit count never wraps.
bool DeviceLink::UploadPastEnd() const {
    return static_cast<std::size_t>(vars_.BlocksSent) * kBlockSize > moving_.TransferLength ||
           vars_.BlocksSent == kMaxUploadBlocks;
}

// State 12: the upload has succeeded only once the device acknowledges the
// EOT; a NAK asks for the EOT again.
void DeviceLink::StepBlockClosing() {
    switch (TakeUploadAnswer()) {
        case kAck:
            FinishUpload();
            break;
        case kNak:
            Progressed();
            if (!Retry("the device did not acknowledge its end")) break;
            PurgeReceived();
            WriteByte(kEot);
            break;
        default:
            break;  // dropped
    }
}

void DeviceLink::FinishUpload() {
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    vars_.BlocksSent = 0;
    EndTransfer();
    ++counters_.UploadsFinished;
}

}  // namespace vantrel
