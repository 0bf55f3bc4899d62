// Any line bytes through the package frame decoder: it never keeps more
// than its record holds, and every package it yields comes back unchanged
// when encoded and decoded again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "serial/PackageFraming.h"

namespace {

using vantrel::FrameDecoder;
using vantrel::FrameMarks;

bool Distinct(const FrameMarks& m) {
    return m.Head != m.Tail && m.Head != m.Ctrl && m.Tail != m.Ctrl;
}

// Encodes the package and decodes the line again: exactly the same package.
void CheckRoundTrip(const FrameMarks& marks, bool doubleMark, const std::uint8_t* data,
                    std::size_t length) {
    std::vector<std::uint8_t> line(vantrel::MaxFrameLength(length));
    line.resize(vantrel::EncodeFrame(marks, doubleMark, data, length, line.data()));
    std::vector<std::uint8_t> again(length + 1);
    FrameDecoder decoder;
    std::size_t n = 0;
    int packages = 0;
    for (std::uint8_t c : line) {
        if (!decoder.Feed(c, marks, again.data(), again.size(), n)) continue;
        if (n != length || (length && std::memcmp(again.data(), data, length) != 0)) std::abort();
        ++packages;
        n = 0;
    }
    if (packages != 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const FrameMarks marks = {data[0], data[1], data[2]};
    const std::size_t capacity = data[3];
    const bool doubleMark = data[4] & 1;
    std::vector<std::uint8_t> record(capacity);
    FrameDecoder decoder;
    std::size_t length = 0;
    for (std::size_t i = 5; i < size; ++i) {
        if (!decoder.Feed(data[i], marks, record.data(), capacity, length)) continue;
        if (length > capacity) std::abort();
        if (Distinct(marks)) CheckRoundTrip(marks, doubleMark, record.data(), length);
        length = 0;
    }
    return 0;
}
