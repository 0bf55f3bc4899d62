#pragma once
// One map tile in the web map's scheme: zoom z, column x from the west and
// row y from the north, each of x and y below 2^z.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr int kMaxTileZoom = 22;

struct TileKey {
    int z = 0;
    int x = 0;
    int y = 0;
    auto operator<=>(const TileKey&) const = default;

    // The row as MBTiles files count it: from the south.
    int MbtilesRow() const { return (1 << z) - 1 - y; }
};

// "z/x/y" (as a tile URL's path ends, with or without a leading '/' and an
// extension such as ".png") as a tile; nullopt for anything else, a zoom
// above kMaxTileZoom or a column or row outside the zoom.
std::optional<TileKey> ParseTilePath(std::string_view path);

// What image a tile's bytes hold, by their first bytes: "image/png",
// "image/jpeg", "image/webp" or "image/gif"; empty for anything else (an
// error page, a vector tile), which is never shown or kept as a tile.
std::string_view TileImageType(std::string_view bytes);

}  // namespace vantrel
