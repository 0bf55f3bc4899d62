#include "photos/PhotoFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "base/AtomicFile.h"
#include "photos/Exiv2Api.h"
#include "photos/GpsTags.h"

namespace vantrel {

namespace {

// An XMP sidecar larger than this is no sidecar of a photo.
constexpr std::size_t kMaxSidecarBytes = std::size_t{16} << 20;

std::string LowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    if (!ext.empty()) ext.erase(0, 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

std::string FormatName(const std::filesystem::path& path, const std::string& mimeType) {
    std::string ext = LowerExtension(path);
    if (ext == "jpg" || ext == "jpe" || ext == "jpeg") return "JPEG";
    if (ext == "tif") return "TIFF";
    if (!ext.empty()) {
        for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return ext;
    }
    return mimeType;
}

// The extensions whose files are rewritten in place, for each layout this
// program checks after writing; all other formats (raw files of the
// makers, HEIC, WebP ...) get a sidecar. TIFF-based raw files other than
// DNG are written by libexiv2 as plain TIFF, which their makers' notes and
// private offsets may not survive.
bool InPlaceFormat(ImageLayout layout, const std::string& ext) {
    switch (layout) {
        case ImageLayout::Jpeg:
            return ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif";
        case ImageLayout::Png:
            return ext == "png";
        case ImageLayout::Tiff:
            return ext == "tif" || ext == "tiff" || ext == "dng";
    }
    return false;
}

// The layout of the kinds of image libexiv2 found that this program checks
// after writing (TIFF-based raw files are TIFF to it).
std::optional<ImageLayout> LayoutOfType(const Exiv2::Image& image) {
    if (image.imageType() == Exiv2::ImageType::jpeg) return ImageLayout::Jpeg;
    if (image.imageType() == Exiv2::ImageType::png) return ImageLayout::Png;
    if (image.imageType() == Exiv2::ImageType::tiff) return ImageLayout::Tiff;
    return std::nullopt;
}

std::optional<std::string> WhyNotInPlace(const Exiv2::Image& image, const PhotoFacts& facts,
                                         const struct stat& st) {
    const bool writable = Exiv2::ImageFactory::checkMode(image.imageType(), Exiv2::mdExif) ==
                          Exiv2::amReadWrite;
    if (!writable || !facts.layout || !InPlaceFormat(*facts.layout, LowerExtension(facts.path)))
        return facts.format + " files are not written in place";
    if ((st.st_mode & 0222) == 0 || ::access(facts.path.c_str(), W_OK) != 0)
        return std::string("the file is read-only");
    if (st.st_nlink > 1) return std::string("the file has other hard links");
    return std::nullopt;
}

std::optional<CameraTime> TimeOf(const Exiv2::ExifData& exif, const Exiv2::XmpData& xmp) {
    const auto text = [&](const char* key) {
        const auto it = exif.findKey(Exiv2::ExifKey(key));
        return it == exif.end() ? std::string() : it->toString();
    };
    if (auto wall = ParseExifDateTime(text("Exif.Photo.DateTimeOriginal")))
        return CameraTime{*wall, ParseSubSeconds(text("Exif.Photo.SubSecTimeOriginal")),
                          ParseExifOffset(text("Exif.Photo.OffsetTimeOriginal"))};
    const auto it = xmp.findKey(Exiv2::XmpKey("Xmp.exif.DateTimeOriginal"));
    if (it != xmp.end()) return ParseXmpDateTime(it->toString());
    return std::nullopt;
}

// The sidecar's position, when there is a sidecar that holds one.
std::optional<GeoPosition> SidecarPosition(const std::filesystem::path& photo) {
    std::error_code error;
    auto bytes = ReadFileBytes(SidecarPath(photo), error, kMaxSidecarBytes);
    if (!bytes) return std::nullopt;
    Exiv2::XmpData xmp;
    if (Exiv2::XmpParser::decode(xmp, *bytes) != 0) return std::nullopt;
    return XmpGpsPosition(xmp);
}


// What the metadata of an opened image says.
PhotoFacts FactsOf(Exiv2::Image& image, const std::filesystem::path& path) {
    image.readMetadata();
    PhotoFacts facts;
    facts.path = path;
    facts.format = FormatName(path, image.mimeType());
    facts.layout = LayoutOfType(image);
    facts.time = TimeOf(image.exifData(), image.xmpData());
    facts.position = ExifGpsPosition(image.exifData());
    if (!facts.position) facts.position = XmpGpsPosition(image.xmpData());
    return facts;
}

// libexiv2's reason, without the file's name it starts with (the line
// names the photo already).
std::string Reason(const std::exception& e, const std::string& name) {
    std::string_view reason = e.what();
    if (reason.starts_with(name + ": ")) reason.remove_prefix(name.size() + 2);
    return std::string(reason);
}

}  // namespace

std::filesystem::path SidecarPath(const std::filesystem::path& photo) {
    std::filesystem::path sidecar = photo;
    sidecar += ".xmp";
    return sidecar;
}

PhotoRead ReadPhotoBytes(std::string_view bytes, const std::string& name) {
    exiv::Prepare();
    try {
        auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.data()),
                                               static_cast<exiv::Length>(bytes.size()));
        return {FactsOf(*image, name), {}};
    } catch (const std::exception& e) {
        return {std::nullopt, Reason(e, name)};
    }
}

PhotoRead ReadPhoto(const std::filesystem::path& path) {
    exiv::Prepare();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {std::nullopt, std::strerror(errno)};
    if (!S_ISREG(st.st_mode)) return {std::nullopt, "not a regular file"};
    try {
        auto image = Exiv2::ImageFactory::open(path.string());
        PhotoFacts facts = FactsOf(*image, path);
        if (!facts.position) {
            facts.position = SidecarPosition(path);
            facts.positionInSidecar = facts.position.has_value();
        }
        facts.notInPlace = WhyNotInPlace(*image, facts, st);
        return {std::move(facts), {}};
    } catch (const std::exception& e) {  // libexiv2's errors among them
        return {std::nullopt, Reason(e, path.string())};
    }
}

std::string EmbeddedPreview(const std::filesystem::path& photo, int minimumWidth) {
    exiv::Prepare();
    try {
        auto image = Exiv2::ImageFactory::open(photo.string());
        image->readMetadata();
        Exiv2::PreviewManager previews(*image);
        const Exiv2::PreviewPropertiesList list = previews.getPreviewProperties();
        if (list.empty()) return {};
        // The list runs from the smallest to the largest.
        auto chosen = std::find_if(list.begin(), list.end(), [&](const Exiv2::PreviewProperties& p) {
            return static_cast<int>(p.width_) >= minimumWidth;
        });
        if (chosen == list.end()) chosen = std::prev(list.end());
        const Exiv2::PreviewImage preview = previews.getPreviewImage(*chosen);
        return std::string(reinterpret_cast<const char*>(preview.pData()), preview.size());
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace vantrel
