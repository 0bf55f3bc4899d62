#pragma once
// The parts of a photo file that hold its image rather than its metadata,
// found by following the file's own structure: a JPEG's tables and frame
// and everything from its scan on; a PNG's chunks other than text, EXIF, ICC
// and time chunks; a TIFF's (and so a DNG's) strips, tiles and embedded JPEG
// of every image directory and sub-image. Two files hold the same image when
// these bytes are the same, in the same order, wherever they lie. Only the
// directories are read to find them; the image bytes are compared in blocks.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

enum class ImageLayout { Jpeg, Png, Tiff };

// A layout by the file's first bytes; nothing for any other kind of file.
std::optional<ImageLayout> LayoutOf(std::string_view firstBytes);

struct ByteRange {
    std::uint64_t offset;
    std::uint64_t length;
    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// Reads bytes at an offset: a file, or bytes in memory (for the fuzz target).
class RandomAccess {
  public:
    virtual ~RandomAccess() = default;
    virtual std::uint64_t Size() const = 0;
    // False unless all `length` bytes were read.
    virtual bool Read(std::uint64_t offset, void* into, std::size_t length) const = 0;
};

class BytesAccess : public RandomAccess {
  public:
    explicit BytesAccess(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool Read(std::uint64_t offset, void* into, std::size_t length) const override;

  private:
    std::string_view bytes_;
};

// The image's byte ranges in file order of discovery; nothing with the
// reason when the structure cannot be followed (it points outside the file,
// loops, or is not of the layout).
std::optional<std::vector<ByteRange>> ImageDataRanges(const RandomAccess& file, ImageLayout layout,
                                                      std::string& error);

// Whether two files hold the same image data; false with the reason
// ("the image data differs at byte 1234 of part 2") when they do not or
// when either cannot be read.
bool SameImageData(const RandomAccess& a, const RandomAccess& b, ImageLayout layout,
                   std::string& error);
bool SameImageData(const std::filesystem::path& a, const std::filesystem::path& b,
                   ImageLayout layout, std::string& error);

}  // namespace vantrel
