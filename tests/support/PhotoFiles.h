#pragma once
// Real photo files made by the tests: the smallest valid JPEG, PNG, TIFF and
// DNG-like images, built byte by byte, then given their camera tags with
// libexiv2 as a camera would have written them.

#include <exiv2/exiv2.hpp>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace vantrel::testing {

enum class PhotoKind { Jpeg, Png, Tiff, Dng };

struct CameraTags {
    std::string dateTimeOriginal;  // "2024:03:31 11:30:15"; empty: none
    std::string subSeconds;        // "25"; empty: none
    std::string offsetTime;        // "-03:00"; empty: none
    // Written as GPS tags when set: latitude, longitude (degrees).
    std::optional<std::array<double, 2>> gps;
};

namespace photo_bytes {

inline void Put(std::string& out, std::uint32_t value, int width, bool little = false) {
    for (int i = 0; i < width; ++i) {
        const int shift = little ? 8 * i : 8 * (width - 1 - i);
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

inline std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

// A gray 8x8 baseline JPEG with one scan: one Huffman code each for "no
// difference" and "end of block".
inline std::string Jpeg(std::uint8_t shade) {
    std::string j = "\xFF\xD8";
    j += "\xFF\xDB";
    Put(j, 67, 2);
    j += '\0';
    for (int i = 0; i < 64; ++i) j += static_cast<char>(1 + (i + shade) % 16);
    j += std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
    for (char table : {'\x00', '\x10'}) {  // DC, AC: one code of length 1 for symbol 0
        j += "\xFF\xC4";
        Put(j, 2 + 1 + 16 + 1, 2);
        j += table;
        j += '\x01';
        j += std::string(15, '\0');
        j += '\0';
    }
    j += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    j += '\x3F';  // DC "no difference", AC "end of block", padded with ones
    j += "\xFF\xD9";
    return j;
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
    std::string chunk;
    Put(chunk, static_cast<std::uint32_t>(data.size()), 4);
    chunk += type + data;
    Put(chunk, Crc32(type + data), 4);
    return chunk;
}

// A gray 8x8 PNG, its rows stored uncompressed in the zlib stream.
inline std::string Png(std::uint8_t shade) {
    std::string rows;
    for (int y = 0; y < 8; ++y) {
        rows += '\0';  // no filter
        for (int x = 0; x < 8; ++x) rows += static_cast<char>(shade + 8 * y + x);
    }
    std::string z = "\x78\x01\x01";
    Put(z, static_cast<std::uint32_t>(rows.size()), 2, true);
    Put(z, static_cast<std::uint32_t>(~rows.size() & 0xFFFF), 2, true);
    z += rows;
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : rows) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Put(z, b << 16 | a, 4);
    std::string header;
    Put(header, 8, 4);
    Put(header, 8, 4);
    header += std::string("\x08\x00\x00\x00\x00", 5);
    return "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", header) + PngChunk("IDAT", z) +
           PngChunk("IEND", "");
}

struct TiffEntry {
    std::uint16_t tag, type;
    std::uint32_t count, value;  // a value of 4 bytes or less, or its offset
};

inline std::string TiffDirectory(std::vector<TiffEntry> entries, std::uint32_t next) {
    std::string d;
    Put(d, static_cast<std::uint32_t>(entries.size()), 2, true);
    for (const TiffEntry& e : entries) {
        Put(d, e.tag, 2, true);
        Put(d, e.type, 2, true);
        Put(d, e.count, 4, true);
        Put(d, e.value, e.type == 3 && e.count == 1 ? 2 : 4, true);
        if (e.type == 3 && e.count == 1) Put(d, 0, 2, true);
    }
    Put(d, next, 4, true);
    return d;
}

// An 8x8 gray TIFF, or (dng) a DNG-like file: the gray image as its
// preview in IFD0 with DNGVersion, and a 16-bit CFA "raw" image in a SubIFD.
inline std::string Tiff(std::uint8_t shade, bool dng) {
    std::string pixels;
    for (int i = 0; i < 64; ++i) pixels += static_cast<char>(shade + i);
    std::string raw;
    for (int i = 0; i < 64; ++i) Put(raw, static_cast<std::uint32_t>(shade * 16 + i * 7), 2, true);
    const std::uint32_t ifd0 = 8;
    const std::uint32_t ifd0Entries = dng ? 12 : 9;
    const std::uint32_t ifd0Size = 2 + 12 * ifd0Entries + 4;
    const std::uint32_t model = ifd0 + ifd0Size;  // "Vantrel Test\0" (13 bytes) + pad
    const std::uint32_t pixelsAt = model + 14;
    const std::uint32_t sub = pixelsAt + 64;
    const std::uint32_t subSize = 2 + 12 * 10 + 4;
    const std::uint32_t rawAt = sub + subSize;
    std::vector<TiffEntry> e = {{254, 4, 1, 0}, {256, 3, 1, 8}, {257, 3, 1, 8},
                                {258, 3, 1, 8}, {259, 3, 1, 1}, {262, 3, 1, 1},
                                {273, 4, 1, pixelsAt}, {278, 3, 1, 8}, {279, 4, 1, 64}};
    if (dng)  // in tag order, as TIFF wants: the preview flagged, a SubIFD, the DNG tags
        e = {{254, 4, 1, 1},        {256, 3, 1, 8},          {257, 3, 1, 8},
             {258, 3, 1, 8},        {259, 3, 1, 1},          {262, 3, 1, 1},
             {273, 4, 1, pixelsAt}, {277, 3, 1, 1},          {279, 4, 1, 64},
             {330, 4, 1, sub},      {50706, 1, 4, 0x00000401}, {50708, 2, 13, model}};
    std::string t = "II*";
    t += '\0';
    Put(t, ifd0, 4, true);
    t += TiffDirectory(e, 0);
    t += std::string("Vantrel Test\0\0", 14);
    t += pixels;
    if (!dng) return t;
    t += TiffDirectory({{254, 4, 1, 0},
                        {256, 3, 1, 8},
                        {257, 3, 1, 8},
                        {258, 3, 1, 16},
                        {259, 3, 1, 1},
                        {262, 3, 1, 32803},
                        {273, 4, 1, rawAt},
                        {277, 3, 1, 1},
                        {278, 3, 1, 8},
                        {279, 4, 1, 128}},
                       0);
    return t + raw;
}

}  // namespace photo_bytes

inline std::string PhotoBytes(PhotoKind kind, std::uint8_t shade) {
    switch (kind) {
        case PhotoKind::Jpeg: return photo_bytes::Jpeg(shade);
        case PhotoKind::Png: return photo_bytes::Png(shade);
        case PhotoKind::Tiff: return photo_bytes::Tiff(shade, false);
        case PhotoKind::Dng: return photo_bytes::Tiff(shade, true);
    }
    return {};
}

// Gives the photo at `path` the camera's tags.
inline void TagPhoto(const std::filesystem::path& path, const CameraTags& tags) {
    auto image = Exiv2::ImageFactory::open(path.string());
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Make"] = std::string("Vantrel");
    exif["Exif.Image.Model"] = std::string("Test Camera");
    if (!tags.dateTimeOriginal.empty())
        exif["Exif.Photo.DateTimeOriginal"] = tags.dateTimeOriginal;
    if (!tags.subSeconds.empty()) exif["Exif.Photo.SubSecTimeOriginal"] = tags.subSeconds;
    if (!tags.offsetTime.empty()) exif["Exif.Photo.OffsetTimeOriginal"] = tags.offsetTime;
    if (tags.gps) {
        const auto dms = [](double degrees) {
            const double a = degrees < 0 ? -degrees : degrees;
            return std::to_string(static_cast<long long>(a * 3600e4 + 0.5)) + "/36000000 0/1 0/1";
        };
        exif["Exif.GPSInfo.GPSLatitudeRef"] = std::string((*tags.gps)[0] < 0 ? "S" : "N");
        exif["Exif.GPSInfo.GPSLatitude"] = dms((*tags.gps)[0]);
        exif["Exif.GPSInfo.GPSLongitudeRef"] = std::string((*tags.gps)[1] < 0 ? "W" : "E");
        exif["Exif.GPSInfo.GPSLongitude"] = dms((*tags.gps)[1]);
    }
    image->writeMetadata();
}

// Writes a photo of `kind` with the camera's tags to `path`.
inline void MakePhoto(const std::filesystem::path& path, PhotoKind kind, const CameraTags& tags,
                      std::uint8_t shade = 40) {
    WriteFile(path, PhotoBytes(kind, shade));
    TagPhoto(path, tags);
}

}  // namespace vantrel::testing
