// The image data of each kind of photo is what it looks like in the file:
// tags rewritten by libexiv2 leave it the same; one byte of the picture
// changed, or the file cut short, does not.

#include <gtest/gtest.h>

#include "photos/ImageData.h"
#include "support/PhotoFiles.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::PhotoKind;

TEST(ImageData, TagsMayChangeButNotOneByteOfThePicture) {
    testing::ScratchFolder folder;
    for (PhotoKind kind : {PhotoKind::Jpeg, PhotoKind::Png, PhotoKind::Tiff, PhotoKind::Dng}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const auto original = folder / "original", retagged = folder / "retagged",
                   touched = folder / "touched", cut = folder / "cut";
        testing::MakePhoto(original, kind, {"2024:01:02 03:04:05"});
        testing::MakePhoto(retagged, kind, {"2030:12:31 23:59:59", "999", "+05:45", {{-33.9, 18.4}}});
        const std::string bytes = testing::ReadFile(original);
        const auto layout = LayoutOf(bytes);
        ASSERT_TRUE(layout);
        std::string error;
        const auto ranges = ImageDataRanges(BytesAccess(bytes), *layout, error);
        ASSERT_TRUE(ranges && !ranges->empty()) << error;
        std::string changed = bytes;
        const ByteRange last = ranges->back();
        changed[last.offset + last.length / 2] ^= 0x01;
        testing::WriteFile(touched, changed);
        testing::WriteFile(cut, bytes.substr(0, last.offset + last.length / 2));

        EXPECT_TRUE(SameImageData(original, retagged, *layout, error)) << error;
        EXPECT_FALSE(SameImageData(original, touched, *layout, error));
        EXPECT_FALSE(SameImageData(original, cut, *layout, error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace vantrel
