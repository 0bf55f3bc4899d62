#include "device/ReplyText.h"

#include <array>
#include <string_view>

#include "device/DeviceProtocol.h"

namespace vantrel {

std::string TakeReplyText(RxRing& ring, int count, const CodePage& codePage) {
    std::array<char, kReplyBufferSize> buffer{};
    const std::size_t keep = buffer.size() - 1;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t byte = ring.TakeByte();
        if (static_cast<std::size_t>(i) < keep) buffer[i] = static_cast<char>(byte);
    }
    return codePage.ToUtf8(std::string_view(buffer.data()));
}

}  // namespace vantrel
