#pragma once
// The device's side of the block transfers: 1024-byte blocks sent with a
// CRC-16 after the PC's "C", and received with an 8-bit additive checksum
// after the device's NAK.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/LineBytes.h"

namespace vantrel::sim {

// Blocks needed to carry a payload; the last one is padded.
std::size_t BlockCount(std::size_t payloadBytes);

// Block `number` (counted from 1) of the payload as it goes on the line. Bytes
// past the payload's end read as erased flash (0xFF). The number byte wraps
// after 255.
std::vector<std::uint8_t> DownloadBlock(std::span<const std::uint8_t> payload, std::size_t number);

// An upload frame as received after its STX.
struct UploadFrame {
    bool intact = false;  // complement and checksum agree
    std::uint8_t number = 0;
    std::span<const std::uint8_t> data;
};
UploadFrame ReadUploadFrame(std::span<const std::uint8_t, kBlockFrameLength> frame);

}  // namespace vantrel::sim
