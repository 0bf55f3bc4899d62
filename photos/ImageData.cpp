#include "photos/ImageData.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <set>
#include <system_error>
#include <utility>

namespace vantrel {

namespace {

constexpr std::size_t kMostParts = 1 << 20;  // strips, tiles or segments of one file

class FileAccess : public RandomAccess {
  public:
    explicit FileAccess(const std::filesystem::path& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ >= 0) size_ = static_cast<std::uint64_t>(::lseek(fd_, 0, SEEK_END));
    }
    ~FileAccess() override {
        if (fd_ >= 0) ::close(fd_);
    }
    FileAccess(const FileAccess&) = delete;
    FileAccess& operator=(const FileAccess&) = delete;
    bool Open() const { return fd_ >= 0; }
    std::uint64_t Size() const override { return size_; }
    bool Read(std::uint64_t offset, void* into, std::size_t length) const override {
        auto* out = static_cast<char*>(into);
        while (length > 0) {
            const ssize_t got = ::pread(fd_, out, length, static_cast<off_t>(offset));
            if (got <= 0) return false;
            out += got;
            offset += static_cast<std::uint64_t>(got);
            length -= static_cast<std::size_t>(got);
        }
        return true;
    }

  private:
    int fd_;
    std::uint64_t size_ = 0;
};

std::uint32_t BigEndian(const unsigned char* p, int width) {
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i) value = value << 8 | p[i];
    return value;
}

// The parts of a layout, collected while the structure is walked.
class Parts {
  public:
    explicit Parts(const RandomAccess& file, std::string& error) : file_(file), error_(error) {}
    bool Add(std::uint64_t offset, std::uint64_t length) {
        if (offset > file_.Size() || length > file_.Size() - offset)
            return Fail("a part points outside the file");
        if (ranges_.size() >= kMostParts) return Fail("too many parts");
        ranges_.push_back({offset, length});
        return true;
    }
    bool Fail(const std::string& reason) {
        error_ = reason;
        return false;
    }
    bool Read(std::uint64_t offset, void* into, std::size_t length) {
        if (offset > file_.Size() || length > file_.Size() - offset || !file_.Read(offset, into, length))
            return Fail("the file ends inside its structure");
        return true;
    }
    std::uint64_t Size() const { return file_.Size(); }
    std::vector<ByteRange> Take() { return std::move(ranges_); }

  private:
    const RandomAccess& file_;
    std::string& error_;
    std::vector<ByteRange> ranges_;
};

// JPEG: every segment but APP1 (EXIF, XMP), APP2 (ICC, multi-picture
// index), APP13 (IPTC) and comments, then everything from the first scan
// to the end of the file.
bool JpegParts(Parts& parts) {
    std::uint64_t at = 2;
    while (true) {
        unsigned char head[4];
        if (!parts.Read(at, head, 2)) return false;
        if (head[0] != 0xFF) return parts.Fail("a JPEG segment does not start with a marker");
        const unsigned char marker = head[1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        if (marker == 0xD9) return parts.Fail("the JPEG ends before its image");
        if (marker == 0xDA) return parts.Add(at, parts.Size() - at);
        if (!parts.Read(at + 2, head + 2, 2)) return false;
        const std::uint32_t length = BigEndian(head + 2, 2);
        if (length < 2) return parts.Fail("a JPEG segment is shorter than its length field");
        const bool metadata = marker == 0xE1 || marker == 0xE2 || marker == 0xED || marker == 0xFE;
        if (!metadata && !parts.Add(at, 2 + length)) return false;
        at += 2 + length;
        if (at > parts.Size()) return parts.Fail("a JPEG segment runs past the end of the file");
    }
}

// PNG: every chunk but the text, EXIF, ICC and time chunks, up to IEND.
bool PngParts(Parts& parts) {
    std::uint64_t at = 8;
    while (true) {
        unsigned char head[8];
        if (!parts.Read(at, head, 8)) return false;
        const std::uint32_t length = BigEndian(head, 4);
        const std::string_view type(reinterpret_cast<const char*>(head + 4), 4);
        if (length > 0x7FFFFFFFu) return parts.Fail("a PNG chunk is longer than PNG allows");
        const bool metadata = type == "tEXt" || type == "zTXt" || type == "iTXt" ||
                              type == "eXIf" || type == "iCCP" || type == "tIME";
        if (!metadata && !parts.Add(at, 12 + std::uint64_t{length})) return false;
        if (type == "IEND") return true;
        at += 12 + std::uint64_t{length};
    }
}

class TiffReader {
  public:
    explicit TiffReader(Parts& parts) : parts_(parts) {}

    bool Walk() {
        unsigned char head[8];
        if (!parts_.Read(0, head, 8)) return false;
        little_ = head[0] == 'I';
        if (Number(head + 2, 2) != 42) return parts_.Fail("not a TIFF file (or a BigTIFF one)");
        return Chain(Number(head + 4, 4), 0);
    }

  private:
    static constexpr int kMostDepth = 4;
    static constexpr std::uint32_t kMostEntries = 4096;
    static constexpr std::uint32_t kMostValues = 1 << 20;

    std::uint32_t Number(const unsigned char* p, int width) const {
        std::uint32_t value = 0;
        for (int i = 0; i < width; ++i) value = value << 8 | p[little_ ? width - 1 - i : i];
        return value;
    }

    // An image directory and those chained after it.
    bool Chain(std::uint32_t offset, int depth) {
        while (offset != 0) {
            if (!visited_.insert(offset).second) return parts_.Fail("the TIFF directories loop");
            std::uint32_t next = 0;
            if (!Directory(offset, depth, next)) return false;
            offset = next;
        }
        return true;
    }

    // An entry's values (SHORT, LONG or IFD), read where they lie.
    bool Values(const unsigned char* entry, std::vector<std::uint32_t>& out) {
        const std::uint32_t type = Number(entry + 2, 2), count = Number(entry + 4, 4);
        const int width = type == 3 ? 2 : (type == 4 || type == 13) ? 4 : 0;
        if (width == 0) return parts_.Fail("a TIFF image offset of an unexpected type");
        if (count > kMostValues) return parts_.Fail("a TIFF entry with too many values");
        std::vector<unsigned char> bytes(std::size_t{count} * static_cast<std::size_t>(width));
        out.clear();
        if (bytes.empty()) return true;
        if (bytes.size() <= 4)
            std::memcpy(bytes.data(), entry + 8, bytes.size());
        else if (!parts_.Read(Number(entry + 8, 4), bytes.data(), bytes.size()))
            return false;
        for (std::size_t i = 0; i < count; ++i) out.push_back(Number(&bytes[i * width], width));
        return true;
    }

    bool Directory(std::uint32_t offset, int depth, std::uint32_t& next) {
        unsigned char countBytes[2];
        if (!parts_.Read(offset, countBytes, 2)) return false;
        const std::uint32_t entries = Number(countBytes, 2);
        if (entries > kMostEntries) return parts_.Fail("a TIFF directory with too many entries");
        std::vector<unsigned char> table(entries * 12 + 4);
        if (!parts_.Read(offset + 2, table.data(), table.size())) return false;
        // (offsets tag, lengths tag) of the strips, the tiles and a JPEG.
        constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 3> kPairs = {
            {{273, 279}, {324, 325}, {513, 514}}};
        std::array<std::vector<std::uint32_t>, 6> values;
        std::vector<std::uint32_t> subImages;
        for (std::uint32_t i = 0; i < entries; ++i) {
            const unsigned char* entry = &table[i * 12];
            const std::uint32_t tag = Number(entry, 2);
            for (std::size_t p = 0; p < kPairs.size(); ++p) {
                if (tag == kPairs[p].first && !Values(entry, values[2 * p])) return false;
                if (tag == kPairs[p].second && !Values(entry, values[2 * p + 1])) return false;
            }
            if (tag == 330 && !Values(entry, subImages)) return false;
        }
        for (std::size_t p = 0; p < kPairs.size(); ++p) {
            const auto& offsets = values[2 * p];
            const auto& lengths = values[2 * p + 1];
            if (offsets.size() != lengths.size())
                return parts_.Fail("a TIFF image's offsets and lengths do not pair up");
            // A JPEG's length counts one image, not parts.
            for (std::size_t i = 0; i < offsets.size(); ++i)
                if (!parts_.Add(offsets[i], lengths[i])) return false;
        }
        next = Number(&table[entries * 12], 4);
        if (depth < kMostDepth)
            for (std::uint32_t sub : subImages)
                if (!Chain(sub, depth + 1)) return false;
        return true;
    }

    Parts& parts_;
    bool little_ = true;
    std::set<std::uint32_t> visited_;
};

}  // namespace

bool BytesAccess::Read(std::uint64_t offset, void* into, std::size_t length) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
    std::memcpy(into, bytes_.data() + offset, length);
    return true;
}

std::optional<ImageLayout> LayoutOf(std::string_view first) {
    if (first.size() >= 3 && first.substr(0, 3) == "\xFF\xD8\xFF") return ImageLayout::Jpeg;
    if (first.size() >= 8 && first.substr(0, 8) == "\x89PNG\r\n\x1A\n") return ImageLayout::Png;
    if (first.size() >= 4 &&
        (first.substr(0, 4) == std::string_view("II*\0", 4) ||
         first.substr(0, 4) == std::string_view("MM\0*", 4)))
        return ImageLayout::Tiff;
    return std::nullopt;
}

std::optional<std::vector<ByteRange>> ImageDataRanges(const RandomAccess& file, ImageLayout layout,
                                                      std::string& error) {
    Parts parts(file, error);
    bool ok = false;
    switch (layout) {
        case ImageLayout::Jpeg:
            ok = JpegParts(parts);
            break;
        case ImageLayout::Png:
            ok = PngParts(parts);
            break;
        case ImageLayout::Tiff: {
            TiffReader tiff(parts);
            ok = tiff.Walk();
            break;
        }
    }
    if (!ok) return std::nullopt;
    return parts.Take();
}

bool SameImageData(const std::filesystem::path& a, const std::filesystem::path& b,
                   ImageLayout layout, std::string& error) {
    const FileAccess first(a), second(b);
    if (!first.Open() || !second.Open()) {
        error = "cannot read " + (first.Open() ? b : a).string() + ": " +
                std::generic_category().message(errno);
        return false;
    }
    return SameImageData(static_cast<const RandomAccess&>(first), second, layout, error);
}

bool SameImageData(const RandomAccess& first, const RandomAccess& second, ImageLayout layout,
                   std::string& error) {
    auto rangesA = ImageDataRanges(first, layout, error);
    if (!rangesA) return false;
    auto rangesB = ImageDataRanges(second, layout, error);
    if (!rangesB) {
        error = "the written file's structure: " + error;
        return false;
    }
    if (rangesA->size() != rangesB->size()) {
        error = "the image data has " + std::to_string(rangesB->size()) + " parts, not " +
                std::to_string(rangesA->size());
        return false;
    }
    std::vector<char> blockA(1 << 18), blockB(1 << 18);
    for (std::size_t i = 0; i < rangesA->size(); ++i) {
        const ByteRange ra = (*rangesA)[i], rb = (*rangesB)[i];
        if (ra.length != rb.length) {
            error = "part " + std::to_string(i + 1) + " of the image data changed its length";
            return false;
        }
        for (std::uint64_t done = 0; done < ra.length;) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(blockA.size(), ra.length - done));
            if (!first.Read(ra.offset + done, blockA.data(), n) ||
                !second.Read(rb.offset + done, blockB.data(), n)) {
                error = "cannot read the image data";
                return false;
            }
            if (std::memcmp(blockA.data(), blockB.data(), n) != 0) {
                error = "the image data differs in part " + std::to_string(i + 1);
                return false;
            }
            done += n;
        }
    }
    return true;
}

}  // namespace vantrel
