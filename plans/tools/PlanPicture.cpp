// vantrel-plan-picture PLAN.rte OUT.png [SCALE]: draws the titles of a plan
// file as the device will show them, from the glyphs the file carries, each
// device pixel enlarged to SCALE x SCALE picture pixels (6 by default).

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/AtomicFile.h"
#include "base/TransferArea.h"
#include "plans/PlanPicture.h"

namespace {

using vantrel::Picture;

std::uint32_t Crc32(const std::string& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutBig32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    png += body;
    PutBig32(png, Crc32(body));
}

// The picture's rows, each led by filter byte 0, as a zlib stream of stored
// (uncompressed) deflate blocks.
std::string ZlibStored(const Picture& picture) {
    std::string raw;
    const std::size_t stride = 3 * std::size_t(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(picture.rgb.data()) + y * stride, stride);
    }
    std::string z = "\x78\x01";
    for (std::size_t at = 0; at == 0 || at < raw.size(); at += 65535) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        z += static_cast<char>(at + n >= raw.size() ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(raw, at, n);
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, (b << 16) | a);
    return z;
}

std::string PngBytes(const Picture& picture) {
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string header;
    PutBig32(header, static_cast<std::uint32_t>(picture.width));
    PutBig32(header, static_cast<std::uint32_t>(picture.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", ZlibStored(picture));
    Chunk(png, "IEND", "");
    return png;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: vantrel-plan-picture PLAN.rte OUT.png [SCALE]\n");
        return 2;
    }
    const int scale = argc == 4 ? std::atoi(argv[3]) : 6;
    if (scale < 1 || scale > 64) {
        std::fprintf(stderr, "vantrel-plan-picture: SCALE is a number from 1 to 64\n");
        return 2;
    }
    std::error_code error;
    auto bytes = vantrel::ReadFileBytes(argv[1], error, vantrel::TransferArea::kSize);
    if (!bytes) {
        std::fprintf(stderr, "vantrel-plan-picture: %s cannot be read\n", argv[1]);
        return 6;
    }
    auto picture = vantrel::DrawPlanPicture(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()), scale);
    if (!picture) {
        std::fprintf(stderr, "vantrel-plan-picture: %s is not a sound plan image\n", argv[1]);
        return 6;
    }
    if (!vantrel::WriteFileAtomically(argv[2], PngBytes(*picture))) {
        std::fprintf(stderr, "vantrel-plan-picture: %s cannot be written\n", argv[2]);
        return 6;
    }
    return 0;
}
