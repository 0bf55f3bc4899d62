// The block transfers. Downloads take 1024-byte blocks with CRC after "C"
// and answer each with ACK; CRCs are not checked, and block numbers only to
// recognise a block sent twice. Uploads
// send 1024-byte blocks with an additive checksum, one per ACK or NAK of the
// device, and end with EOT.

#include <algorithm>
#include <string>

#include "device/DeviceLink.h"

namespace vantrel {

// State 1: one byte per tick while waiting for a block's STX.
void DeviceLink::StepBlockStart() {
    vars_.WatchdogTicks = kWatchdogStart;
    switch (TakeByte()) {
        case kStx:
            vars_.LinkState = kBlockBody;
            vars_.ReplyLength = kBlockBodyLength;
            break;
        case kRestart:
            WriteByte(kCrcStart);
            parts_.clock.Sleep(1300);
            break;
        case kEot:
            EndDownload();
            break;
        default:
            CountDown();
            break;  // dropped; from 300 this never fires
    }
}

// State 2: a block is read once all of it waits in the ring.
void DeviceLink::StepBlockBody() {
    if (ring_.RxCount() < static_cast<std::size_t>(kBlockBodyLength)) {
        CountDown();
        return;
    }
    vars_.WatchdogTicks = kWatchdogStart;
    vars_.ReplyLength = 0;
    if (vars_.BlocksReceived >= kMaxDownloadBlocks) {
        // The area is full: drop this block, cancel the transfer and hand
        // over what fit.
        for (int i = 0; i < kBlockBodyLength; ++i)
            TakeByte();
        ++counters_.DownloadsCut;
        EndDownload();
        ShowError("The device sent more than " + std::to_string(kMaxDownloadBlocks) +
                  " blocks; the download was stopped and the first " +
                  std::to_string(TransferArea::kSize) + " bytes were kept.");
        return;
    }
    StoreBlock();
    WriteByte(kAck);
    vars_.LinkState = kBlockStart;
}

// A block that carries the number of the block stored last is that block
// sent again (the device missed the ACK): it is read over it rather than
// stored after it, where it would shift everything that follows.
void DeviceLink::StoreBlock() {
    const std::uint8_t number = TakeByte();
    const bool repeat =
        vars_.BlocksReceived > 0 && number == static_cast<std::uint8_t>(vars_.BlocksReceived);
    if (!repeat) ++vars_.BlocksReceived;
    const std::size_t offset = static_cast<std::size_t>(vars_.BlocksReceived - 1) * kBlockSize;
    TakeByte();  // its complement
    for (std::size_t i = 0; i < kBlockSize; ++i)
        area_.bytes[offset + i] = TakeByte();
    area_.TransferLength = offset + kBlockSize;
    TakeByte();  // CRC, high byte
    TakeByte();  // CRC, low byte
}

// EOT (or a full area) ends a download: cancel, reset the link, give the
// buttons back and hand the data over.
void DeviceLink::EndDownload() {
    vars_.LinkState = kCommandMode;
    vars_.ReplyLength = 0;
    WriteByte(kCan);
    parts_.clock.Sleep(20);
    ResetLink();
    EnableDownloadButtons();
    display_.pbarLoading = {};
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

// State 10: each ACK or NAK brings the next block; nothing is resent. Past
// the image's end the upload closes, with EOT at once after an ACK.
void DeviceLink::StepBlockSend() {
    vars_.WatchdogTicks = kWatchdogStart;
    const std::uint8_t byte = TakeByte();
    if (byte != kAck && byte != kNak) return;
    if (!UploadPastEnd()) SendNextBlock();
    if (!UploadPastEnd()) return;
    vars_.LinkState = kBlockClosing;
    if (byte == kAck) WriteByte(kEot);
}

void DeviceLink::SendNextBlock() {
    const std::size_t offset = static_cast<std::size_t>(vars_.BlocksSent) * kBlockSize;
    const auto data = area_.bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    std::copy(data, data + kBlockSize, BlockFrame.begin() + 2);
    ++vars_.BlocksSent;
    BlockFrame[0] = vars_.BlocksSent;
    BlockFrame[1] = static_cast<std::uint8_t>(~vars_.BlocksSent);
    BlockFrame[kBlockFrameLength - 1] = BlockChecksum(BlockFrame.data() + 2, kBlockSize);
    WriteByte(kStx);
    WriteBytes(BlockFrame.data(), BlockFrame.size());
}

// True once a block reached past the image. The last block number an upload
// may use also ends it, so the 8-bit count never wraps.
bool DeviceLink::UploadPastEnd() const {
    return static_cast<std::size_t>(vars_.BlocksSent) * kBlockSize > area_.TransferLength ||
           vars_.BlocksSent == kMaxUploadBlocks;
}

// State 12: the device's next answer closes the upload with EOT.
void DeviceLink::StepBlockClosing() {
    vars_.WatchdogTicks = kWatchdogStart;
    const std::uint8_t byte = TakeByte();
    display_.btnStorePoi.Enabled = true;
    display_.btnStorePlan.Enabled = true;
    if (byte != kAck && byte != kStx && byte != kNak && byte != kRestart) return;
    WriteByte(kEot);
    vars_.LinkState = kCommandMode;
    vars_.BlocksSent = 0;
    ++counters_.UploadsFinished;
}

}  // namespace vantrel
