#pragma once
// The line form of a framed package: a head byte (two with doubled marks),
// the data bytes, each byte equal to one of the three marks preceded by the
// control byte, and a tail byte (two with doubled marks). There is no length
// and no checksum on the line.

#include <cstddef>
#include <cstdint>

namespace vantrel {

struct FrameMarks {
    std::uint8_t Head;
    std::uint8_t Tail;
    std::uint8_t Ctrl;
};

// The longest line form of n data bytes.
constexpr std::size_t MaxFrameLength(std::size_t n) {
    return 2 * n + 4;
}

// Writes the line form of data[0, n) into out (room for MaxFrameLength(n)
// bytes) and returns its length.
std::size_t EncodeFrame(const FrameMarks& marks, bool doubleMark, const std::uint8_t* data,
                        std::size_t n, std::uint8_t* out);

// Takes the line byte by byte. A head always starts a new frame (a partial
// one is dropped); bytes between frames are dropped; an escaped head does
// not open a frame.
class FrameDecoder {
  public:
    // Appends data bytes to record while length is below capacity (further
    // bytes of the frame are dropped). True when c ended a frame: its data
    // is record[0, length); the caller takes it and sets length to 0.
    bool Feed(std::uint8_t c, const FrameMarks& marks, std::uint8_t* record, std::size_t capacity,
              std::size_t& length);
    void Reset() { inFrame_ = escape_ = false; }

  private:
    bool inFrame_ = false;
    bool escape_ = false;
};

}  // namespace vantrel
