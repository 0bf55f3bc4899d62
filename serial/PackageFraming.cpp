#include "serial/PackageFraming.h"

namespace vantrel {

std::size_t EncodeFrame(const FrameMarks& marks, bool doubleMark, const std::uint8_t* data,
                        std::size_t n, std::uint8_t* out) {
    std::size_t at = 0;
    out[at++] = marks.Head;
    if (doubleMark) out[at++] = marks.Head;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t c = data[i];
        if (c == marks.Head || c == marks.Tail || c == marks.Ctrl) out[at++] = marks.Ctrl;
        out[at++] = c;
    }
    if (doubleMark) out[at++] = marks.Tail;
    out[at++] = marks.Tail;
    return at;
}

bool FrameDecoder::Feed(std::uint8_t c, const FrameMarks& marks, std::uint8_t* record,
                        std::size_t capacity, std::size_t& length) {
    if (!escape_ && c == marks.Head) {
        length = 0;
        inFrame_ = true;
        return false;
    }
    if (!inFrame_) {
        escape_ = !escape_ && c == marks.Ctrl;
        return false;
    }
    if (!escape_ && c == marks.Ctrl) {
        escape_ = true;
        return false;
    }
    if (!escape_ && c == marks.Tail) {
        inFrame_ = false;
        return true;
    }
    escape_ = false;
    if (length < capacity) record[length++] = c;
    return false;
}

}  // namespace vantrel
