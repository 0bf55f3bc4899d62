// A photo's metadata over arbitrary bytes: libexiv2 reading a file of any
// kind, and the walk of a JPEG's, PNG's or TIFF's structure to its image
// data, give what they found or a reason; the positions found lie on the
// globe and the image's parts inside the file.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "photos/ImageData.h"
#include "photos/PhotoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PhotoRead read = ReadPhotoBytes(bytes, "photo");
    if (read.facts && read.facts->position) {
        FUZZ_CHECK(std::fabs(read.facts->position->latitude) <= 90);
        FUZZ_CHECK(std::fabs(read.facts->position->longitude) <= 180);
    }
    if (read.facts && read.facts->time) FUZZ_CHECK(!CameraTimeText(*read.facts->time).empty());
    const BytesAccess file(bytes);
    for (ImageLayout layout : {ImageLayout::Jpeg, ImageLayout::Png, ImageLayout::Tiff}) {
        std::string error;
        const auto ranges = ImageDataRanges(file, layout, error);
        FUZZ_CHECK(ranges.has_value() || !error.empty());
        if (ranges)
            for (const ByteRange& range : *ranges)
                FUZZ_CHECK(range.offset <= size && range.length <= size - range.offset);
    }
    return 0;
}
