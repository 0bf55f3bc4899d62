#pragma once
// The one place where device data travels: block downloads fill it, uploads
// send from it, the track assembly and the plan and POI readers read it, and
// track, plan and POI files are read into it or written from it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel {

struct TransferArea {
    static constexpr std::size_t kSize = 2'097'152;  // 2048 blocks of 1024 bytes

    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kSize, 0);
    std::size_t TransferLength = 0;  // valid bytes from the start

    std::span<const std::uint8_t> Valid() const { return {bytes.data(), TransferLength}; }
};

}  // namespace vantrel
