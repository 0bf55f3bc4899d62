#pragma once
// A device link on a scripted port, a counting clock and recording hooks,
// with helpers that play the device's side of the exchanges.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "sim/LineBytes.h"
#include "support/FakeLink.h"
#include "support/RecordingMessages.h"

namespace vantrel::testing {

// The tests play the device, so the line's bytes and block sizes are the
// simulator's own constants: a wrong one on the link's side shows here
// instead of cancelling out.
using sim::kAck;
using sim::kBlockFrameLength;
using sim::kBlockSize;
using sim::kCan;
using sim::kCrcStart;
using sim::kEot;
using sim::kNak;
using sim::kRestart;
using sim::kStx;

// A download block as the device sends it: STX, number, complement, 1024
// data bytes, CRC.
inline Bytes DownloadBlock(std::uint8_t number, std::uint8_t fill) {
    // Sized once and filled in place: growing a three-byte vector trips a
    // false array-bounds warning in GCC 12 at -O3.
    Bytes block(3 + kBlockSize + 2, fill);
    block[0] = kStx;
    block[1] = number;
    block[2] = static_cast<std::uint8_t>(~number);
    const std::uint16_t crc = sim::BlockCrc({block.data() + 3, kBlockSize});
    block[3 + kBlockSize] = static_cast<std::uint8_t>(crc >> 8);
    block[4 + kBlockSize] = static_cast<std::uint8_t>(crc);
    return block;
}

// The same block with one data byte changed: its CRC no longer matches.
inline Bytes Damaged(Bytes block) {
    block[3 + 10] ^= 0x40;
    return block;
}

class LinkFixture : public ::testing::Test {
  protected:
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            link.Tick();
    }
    // Ticks until the device has nothing left to send, the ring is empty and
    // the line has been quiet long enough for the link to answer an EOT.
    void Drain(int limit = 20000) {
        int quiet = 0;
        for (int i = 0; i < limit; ++i) {
            const bool idle = port.incoming.empty() && link.PendingBytes() == 0;
            quiet = idle ? quiet + 1 : 0;
            if (quiet > kEotSettleTicks) return;
            link.Tick();
        }
    }
    // Asks for the tracks and lets the device acknowledge: the link has sent
    // "C" and waits for the first block.
    void AwaitFirstBlock() {
        ASSERT_EQ(link.RequestTrackDownload(), RequestResult::Sent);
        port.Deliver(Ascii("$POEM200,4096*\r\n"));
        link.Receive();
        ASSERT_EQ(vars.LinkState, kBlockStart);
    }
    // Runs a two-block POI upload to its end: the port stays open and the
    // link awaits nothing.
    void FinishAnUpload() {
        hooks.imageLength = 1500;
        ServeUpload({kNak, kAck, kAck, kAck}, "$POEM200,0000*\r\n");
        ASSERT_EQ(link.UploadPoiList(), RequestResult::Sent);
        Drain();
        port.onWrite = nullptr;
        ASSERT_EQ(link.Progress().UploadsFinished, 1u);
        ASSERT_FALSE(link.TransferRunning());
        ASSERT_EQ(vars.ReplyLength, 0);
        ASSERT_TRUE(port.Active());
    }
    int Count(const std::string& line) const {
        return static_cast<int>(std::count(log.begin(), log.end(), line));
    }
    EventLog Since(std::size_t mark) const { return EventLog(log.begin() + mark, log.end()); }

    // The device answers a request sentence with `ack`, then "C" and each
    // ACK or NAK with the next of `sends` (blocks, damaged ones included),
    // and ends with EOT.
    void ServeDownload(std::vector<Bytes> sends, std::string ack = "$POEM200,4096*\r\n") {
        port.onWrite = [this, sends, ack, next = std::size_t{0}](const Bytes& w) mutable {
            if (Starts(w, "$POEM12"))
                port.Deliver(Ascii(ack));
            else if (w == Bytes{kCrcStart} || w == Bytes{kAck} || w == Bytes{kNak})
                port.Deliver(next < sends.size() ? sends[next++] : Bytes{kEot});
        };
    }
    // The device acknowledges an upload request (the acknowledgement as long
    // as the longer of the two upload replies), then answers it, each block
    // and each EOT with the next byte of `answers`.
    void ServeUpload(Bytes answers, std::string ack = "$POEM200,00000000*\r\n") {
        port.onWrite = [this, answers, ack, next = std::size_t{0}](const Bytes& w) mutable {
            const bool answered =
                Starts(w, "$POEM12") || w.size() == kBlockFrameLength || w == Bytes{kEot};
            if (Starts(w, "$POEM12")) port.Deliver(Ascii(ack));
            if (answered && next < answers.size()) port.Deliver({answers[next++]});
        };
    }
    static bool Starts(const Bytes& w, std::string_view prefix) {
        return w.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), w.begin());
    }

    EventLog log;
    TransferArea area;
    FakeLinkPort port{log};
    FakeClock clock{log};
    FakeLocator locator;
    RecordingHooks hooks;
    RecordingMessages messages;
    DeviceLink link{{area, port, clock, locator, hooks, messages}};
    const LinkVariables& vars = link.Variables();
    const LinkStatus& status = link.Status();
};

}  // namespace vantrel::testing
