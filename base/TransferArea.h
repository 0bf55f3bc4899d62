#pragma once
// The one place where device data travels: block downloads fill it, uploads
// send from it, the track assembly and the plan and POI readers read it, and
// track, plan and POI files are read into it or written from it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel {

// Transfers move 1024-byte blocks. An upload counts its blocks in 8 bits, so
// it carries at most 255: blocks 1, 2, ... while block x 1024 does not pass
// the image's length, plus the one that does.
inline constexpr std::size_t kBlockSize = 1024;
inline constexpr std::size_t kMaxUploadBlocks = 255;
inline constexpr std::size_t UploadBlocks(std::size_t length) { return length / kBlockSize + 1; }
// The longest image an upload can carry.
inline constexpr std::size_t kMaxUploadLength = kMaxUploadBlocks * kBlockSize - 1;

struct TransferArea {
    static constexpr std::size_t kSize = 2'097'152;  // 2048 blocks of 1024 bytes

    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kSize, 0);
    std::size_t TransferLength = 0;  // valid bytes from the start

    std::span<const std::uint8_t> Valid() const { return {bytes.data(), TransferLength}; }
};

}  // namespace vantrel
