#pragma once
// What a photo's metadata says, read without its image data: when it was
// taken, the position it may already hold (in the file or in its XMP
// sidecar), and whether a position can be written into the file itself.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "photos/ImageData.h"
#include "photos/PhotoTime.h"
#include "photos/TrackMatch.h"

namespace vantrel {

struct PhotoFacts {
    std::filesystem::path path;
    std::string format;  // "JPEG", "DNG", "CR3": its kind as the user knows it
    std::optional<CameraTime> time;         // none: the photo says no time
    std::optional<GeoPosition> position;    // what it already holds
    bool positionInSidecar = false;
    // Why the file itself is never written (its format, read-only, ...);
    // none when it can be written in place, in the layout it has.
    std::optional<std::string> notInPlace;
    std::optional<ImageLayout> layout;
};

struct PhotoRead {
    std::optional<PhotoFacts> facts;
    std::string error;  // why it could not be read
};

// Reads a photo's metadata: DateTimeOriginal, SubSecTimeOriginal and
// OffsetTimeOriginal (else XMP's DateTimeOriginal), the GPS position of the
// file or of its sidecar. Anything but a regular file, and a file libexiv2
// cannot read, is refused with the reason.
PhotoRead ReadPhoto(const std::filesystem::path& path);

// The same for a photo's bytes in memory, named `name`: its time, format
// and position (its sidecar and whether it is writable are not looked at).
PhotoRead ReadPhotoBytes(std::string_view bytes, const std::string& name);

// The sidecar beside a photo: NAME.EXT.xmp.
std::filesystem::path SidecarPath(const std::filesystem::path& photo);

// The photo's embedded preview (a JPEG's bytes) of at least `minimumWidth`
// pixels where it has one, the largest otherwise; empty when it has none.
std::string EmbeddedPreview(const std::filesystem::path& photo, int minimumWidth);

}  // namespace vantrel
