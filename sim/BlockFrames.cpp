#include "sim/BlockFrames.h"

#include <algorithm>

namespace vantrel::sim {

std::uint16_t Crc16(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0;
    for (std::uint8_t b : bytes) {
        crc = static_cast<std::uint16_t>(crc ^ (b << 8));
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

std::uint8_t ByteSum(std::span<const std::uint8_t> bytes) {
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes)
        sum = static_cast<std::uint8_t>(sum + b);
    return sum;
}

std::size_t BlockCount(std::size_t payloadBytes) {
    return (payloadBytes + kBlockData - 1) / kBlockData;
}

std::vector<std::uint8_t> DownloadBlock(std::span<const std::uint8_t> payload, std::size_t number) {
    std::vector<std::uint8_t> block(kDownloadBlockSize, 0xFF);
    const auto n = static_cast<std::uint8_t>(number);
    block[0] = kStx;
    block[1] = n;
    block[2] = static_cast<std::uint8_t>(~n);
    const std::size_t start = std::min((number - 1) * kBlockData, payload.size());
    const std::size_t count = std::min(kBlockData, payload.size() - start);
    std::copy_n(payload.begin() + static_cast<std::ptrdiff_t>(start), count, block.begin() + 3);
    const std::uint16_t crc = Crc16({block.data() + 3, kBlockData});
    block[3 + kBlockData] = static_cast<std::uint8_t>(crc >> 8);
    block[4 + kBlockData] = static_cast<std::uint8_t>(crc & 0xFF);
    return block;
}

UploadFrame ReadUploadFrame(std::span<const std::uint8_t, kUploadFrameSize> frame) {
    UploadFrame result;
    result.number = frame[0];
    result.data = frame.subspan(2, kBlockData);
    result.intact = frame[1] == static_cast<std::uint8_t>(~frame[0]) &&
                    frame[kUploadFrameSize - 1] == ByteSum(result.data);
    return result;
}

}  // namespace vantrel::sim
