#include "device/RxRing.h"

#include <algorithm>

namespace vantrel {

std::size_t RxRing::Append(const std::uint8_t* bytes, std::size_t count) {
    const std::size_t taken = std::min(count, Space());
    for (std::size_t i = 0; i < taken; ++i)
        bytes_[write_++] = bytes[i];
    count_ += taken;
    return taken;
}

std::uint8_t RxRing::TakeByte() {
    if (count_ == 0) return 0;
    --count_;
    return bytes_[read_++];
}

std::uint8_t RxRing::Peek(std::size_t offset) const {
    if (offset >= count_) return 0;
    return bytes_[static_cast<std::uint16_t>(read_ + offset)];
}

void RxRing::Drop(std::size_t count) {
    const std::size_t dropped = std::min(count, count_);
    read_ = static_cast<std::uint16_t>(read_ + dropped);
    count_ -= dropped;
}

}  // namespace vantrel
