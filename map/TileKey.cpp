#include "map/TileKey.h"

#include <algorithm>
#include <charconv>

namespace vantrel {

namespace {

// A decimal number of at most seven digits, taken off the front of `text`.
std::optional<int> TakeNumber(std::string_view& text) {
    int value = 0;
    const char* end = text.data() + std::min<std::size_t>(text.size(), 7);
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || next == text.data()) return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(next - text.data()));
    return value;
}

bool TakeSlash(std::string_view& text) {
    if (!text.starts_with('/')) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::optional<TileKey> ParseTilePath(std::string_view path) {
    if (path.starts_with('/')) path.remove_prefix(1);
    const auto z = TakeNumber(path);
    if (!z || !TakeSlash(path)) return std::nullopt;
    const auto x = TakeNumber(path);
    if (!x || !TakeSlash(path)) return std::nullopt;
    const auto y = TakeNumber(path);
    if (!y || !(path.empty() || path.starts_with('.'))) return std::nullopt;
    if (*z < 0 || *z > kMaxTileZoom) return std::nullopt;
    const int size = 1 << *z;
    if (*x < 0 || *x >= size || *y < 0 || *y >= size) return std::nullopt;
    return TileKey{*z, *x, *y};
}

std::string_view TileImageType(std::string_view bytes) {
    if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return "image/png";
    if (bytes.starts_with("\xff\xd8\xff")) return "image/jpeg";
    if (bytes.size() >= 12 && bytes.starts_with("RIFF") && bytes.substr(8, 4) == "WEBP")
        return "image/webp";
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return "image/gif";
    return {};
}

}  // namespace vantrel
