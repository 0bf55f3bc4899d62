#pragma once
// The bytes of the device's line as the device knows them: the control
// bytes, the block layouts and their checks. The PC side keeps its own; the
// two meet only on the line, so a wrong constant on either side shows in
// the tests instead of cancelling out.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vantrel::sim {

inline constexpr std::uint8_t kStx = 0x02;      // starts a 1024-byte block
inline constexpr std::uint8_t kRestart = 0x03;  // asks the PC for "C" again
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kDc1 = 0x11;
inline constexpr std::uint8_t kDc3 = 0x13;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kCan = 0x18;
inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kCrcStart = 'C';  // the PC asks for blocks with CRC-16

inline constexpr std::size_t kBlockSize = 1024;
// A download block: STX, number, complement, data, CRC-16 high byte first.
inline constexpr std::size_t kDownloadBlockLength = 3 + kBlockSize + 2;
// An upload block after its STX: number, complement, data, 8-bit sum.
inline constexpr std::size_t kBlockFrameLength = 2 + kBlockSize + 1;

// CRC-16 with the polynomial x^16 + x^12 + x^5 + 1, initial value 0, bits
// taken most significant first, computed from a table.
inline std::uint16_t BlockCrc(std::span<const std::uint8_t> data) {
    static const auto table = [] {
        std::array<std::uint16_t, 256> t{};
        for (unsigned n = 0; n < 256; ++n) {
            unsigned value = n << 8;
            for (int bit = 0; bit < 8; ++bit)
                value = (value & 0x8000) ? (value << 1) ^ 0x1021 : value << 1;
            t[n] = static_cast<std::uint16_t>(value);
        }
        return t;
    }();
    unsigned crc = 0;
    for (std::uint8_t byte : data)
        crc = (crc << 8 ^ table[(crc >> 8 ^ byte) & 0xFF]) & 0xFFFF;
    return static_cast<std::uint16_t>(crc);
}

// The sum of the bytes modulo 256.
inline std::uint8_t BlockChecksum(std::span<const std::uint8_t> data) {
    unsigned sum = 0;
    for (std::uint8_t byte : data)
        sum += byte;
    return static_cast<std::uint8_t>(sum & 0xFF);
}

}  // namespace vantrel::sim
