#include "device/ReplyText.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "device/DeviceProtocol.h"

namespace vantrel {

std::string PeekReplyText(const RxRing& ring, int count, const CodePage& codePage) {
    std::array<char, kReplyBufferSize> buffer{};
    const std::size_t keep = std::min(buffer.size() - 1, static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < keep; ++i)
        buffer[i] = static_cast<char>(ring.Peek(i));
    return codePage.ToUtf8(std::string_view(buffer.data()));
}

}  // namespace vantrel
