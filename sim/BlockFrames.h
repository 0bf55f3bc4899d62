#pragma once
// The device's side of the block transfers: 1024-byte blocks sent with a
// CRC-16 after the PC's "C", and received with an 8-bit additive checksum
// after the device's NAK.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel::sim {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kDc1 = 0x11;
inline constexpr std::uint8_t kDc3 = 0x13;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kCan = 0x18;
inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kCrcStart = 'C';

inline constexpr std::size_t kBlockData = 1024;
inline constexpr std::size_t kDownloadBlockSize = 1029;  // STX, n, ~n, data, CRC high, CRC low
inline constexpr std::size_t kUploadFrameSize = 1027;    // after the STX: n, ~n, data, sum

// CRC-16 with polynomial 0x1021, initial value 0, no reflection.
std::uint16_t Crc16(std::span<const std::uint8_t> bytes);

// The 8-bit sum of the bytes, each added modulo 256.
std::uint8_t ByteSum(std::span<const std::uint8_t> bytes);

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
UploadFrame ReadUploadFrame(std::span<const std::uint8_t, kUploadFrameSize> frame);

}  // namespace vantrel::sim
