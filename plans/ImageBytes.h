#pragma once
// Little-endian fields of the plan and POI images, and how a built image is
// placed in the transfer area.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/TransferArea.h"

namespace vantrel {

inline void PutU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void PutU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void PutI32(std::uint8_t* at, std::int32_t value) {
    PutU32(at, static_cast<std::uint32_t>(value));
}
inline std::uint16_t GetU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}
inline std::uint32_t GetU32(const std::uint8_t* at) {
    return std::uint32_t(at[0]) | (std::uint32_t(at[1]) << 8) | (std::uint32_t(at[2]) << 16) |
           (std::uint32_t(at[3]) << 24);
}
inline std::int32_t GetI32(const std::uint8_t* at) {
    return static_cast<std::int32_t>(GetU32(at));
}

// What building an image gave: its length, or the reason it was refused
// (then nothing was written anywhere).
struct ImageResult {
    std::size_t length = 0;
    std::string error;  // empty on success

    bool Ok() const { return error.empty(); }
    static ImageResult Refused(std::string why) { return {0, std::move(why)}; }
};

// The refusal for an image too long to upload, or empty when it fits.
std::string CheckUploadSize(std::size_t length);

// Fills the first MiB of the area with 0xFF (the erased look of device memory
// that the last upload block carries past the image), copies the image to the
// start and sets TransferLength to its length.
void PlaceImage(TransferArea& area, std::span<const std::uint8_t> image);

// The valid bytes of the area, or nullopt when TransferLength claims more
// than the area holds.
std::optional<std::span<const std::uint8_t>> ValidImage(const TransferArea& area);

}  // namespace vantrel
