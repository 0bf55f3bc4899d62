#include "PcTransfers.h"

#include "sim/BlockFrames.h"

namespace vantrel::sim::testing {

namespace {

bool FrameIsIntact(const Bytes& body) {
    const std::uint16_t crc = BlockCrc(std::span(body).subspan(2, kBlockSize));
    return body[1] == static_cast<std::uint8_t>(~body[0]) && body[1026] == (crc >> 8) &&
           body[1027] == (crc & 0xFF);
}

}  // namespace

DownloadResult DownloadAsPc(PcPort& port, std::string_view sentence,
                            std::chrono::milliseconds quiet) {
    DownloadResult r;
    port.Send(sentence);
    r.ack = port.ReadReply();
    port.Send({kCrcStart});
    for (;;) {
        const Bytes b = port.Read(1, quiet);
        if (b.empty()) return r;
        if (b[0] == kStx) {
            const Bytes body = port.Read(kDownloadBlockLength - 1);
            if (body.size() != kDownloadBlockLength - 1) return r;
            r.numbers.push_back(body[0]);
            r.badFrames += FrameIsIntact(body) ? 0 : 1;
            r.data.insert(r.data.end(), body.begin() + 2, body.begin() + 2 + kBlockSize);
            port.Send({kAck});
        } else if (b[0] == kEot) {
            port.Send({kCan});
            r.endedWithEot = true;
            return r;
        } else if (b[0] == kRestart) {
            ++r.etxBytes;
            port.Send({kCrcStart});
        } else {
            ++r.strayBytes;
        }
    }
}

Bytes UploadFrame(int number, std::span<const std::uint8_t> data) {
    Bytes frame;
    frame.reserve(3 + data.size() + 1);
    frame.push_back(kStx);
    frame.push_back(static_cast<std::uint8_t>(number));
    frame.push_back(static_cast<std::uint8_t>(~number));
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(BlockChecksum(data));
    return frame;
}

std::vector<Bytes> UploadBlocks(std::span<const std::uint8_t> image) {
    std::vector<Bytes> blocks;
    for (std::size_t at = 0; at <= image.size(); at += kBlockSize) {
        Bytes block(kBlockSize, 0xFF);
        std::copy(image.begin() + at, image.begin() + std::min(at + kBlockSize, image.size()),
                  block.begin());
        blocks.push_back(block);
    }
    return blocks;
}

}  // namespace vantrel::sim::testing
