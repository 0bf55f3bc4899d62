#include "plans/ImageBytes.h"

#include <algorithm>

namespace vantrel {

namespace {
constexpr std::size_t kErasedSpan = 1'048'576;
}

std::string CheckUploadSize(std::size_t length) {
    if (length <= kMaxUploadLength) return {};
    return "The data needs " + std::to_string(UploadBlocks(length)) +
           " blocks, more than the 255 that can be sent!";
}

void PlaceImage(TransferArea& area, std::span<const std::uint8_t> image) {
    std::fill_n(area.bytes.begin(), std::min(kErasedSpan, area.bytes.size()), std::uint8_t{0xFF});
    std::size_t length = std::min(image.size(), area.bytes.size());
    std::copy_n(image.begin(), length, area.bytes.begin());
    area.TransferLength = length;
}

std::optional<std::span<const std::uint8_t>> ValidImage(const TransferArea& area) {
    if (area.TransferLength > area.bytes.size()) return std::nullopt;
    return area.Valid();
}

}  // namespace vantrel
