#include "sim/BlockFrames.h"

#include <algorithm>

namespace vantrel::sim {

std::size_t BlockCount(std::size_t payloadBytes) {
    return (payloadBytes + kBlockSize - 1) / kBlockSize;
}

std::vector<std::uint8_t> DownloadBlock(std::span<const std::uint8_t> payload, std::size_t number) {
    std::vector<std::uint8_t> block(kDownloadBlockLength, 0xFF);
    const auto n = static_cast<std::uint8_t>(number);
    block[0] = kStx;
    block[1] = n;
    block[2] = static_cast<std::uint8_t>(~n);
    const std::size_t start = std::min((number - 1) * kBlockSize, payload.size());
    const std::size_t count = std::min(kBlockSize, payload.size() - start);
    std::copy_n(payload.begin() + static_cast<std::ptrdiff_t>(start), count, block.begin() + 3);
    const std::uint16_t crc = BlockCrc(std::span(block).subspan(3, kBlockSize));
    block[3 + kBlockSize] = static_cast<std::uint8_t>(crc >> 8);
    block[4 + kBlockSize] = static_cast<std::uint8_t>(crc & 0xFF);
    return block;
}

UploadFrame ReadUploadFrame(std::span<const std::uint8_t, kBlockFrameLength> frame) {
    UploadFrame result;
    result.number = frame[0];
    result.data = frame.subspan(2, kBlockSize);
    result.intact = frame[1] == static_cast<std::uint8_t>(~frame[0]) &&
                    frame[kBlockFrameLength - 1] == BlockChecksum(result.data);
    return result;
}

}  // namespace vantrel::sim
