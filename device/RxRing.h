#pragma once
// The receive ring between the port and the reply reader: 65536 bytes with
// 16-bit indices that wrap. It never takes more bytes than it has room for,
// so unread bytes are never overwritten; the excess stays with the port.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantrel {

class RxRing {
  public:
    static constexpr std::size_t kSize = 65536;

    std::size_t RxCount() const { return count_; }
    std::size_t Space() const { return kSize - count_; }

    // Appends as many of the bytes as fit; returns how many were taken.
    std::size_t Append(const std::uint8_t* bytes, std::size_t count);
    // The next unread byte, or 0 (changing nothing) when none is left.
    std::uint8_t TakeByte();
    // The unread byte `offset` places on, left unread; 0 past the last one.
    std::uint8_t Peek(std::size_t offset) const;
    // Drops up to `count` unread bytes; Clear() drops them all.
    void Drop(std::size_t count);
    void Clear() { Drop(count_); }

  private:
    std::array<std::uint8_t, kSize> bytes_{};
    std::uint16_t write_ = 0;
    std::uint16_t read_ = 0;
    std::size_t count_ = 0;
};

}  // namespace vantrel
