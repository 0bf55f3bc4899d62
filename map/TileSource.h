#pragma once
// Where the online map's tiles come from: a URL template such as
// "https://tile.openstreetmap.org/{z}/{x}/{y}.png" with the attribution its
// terms ask for, and how the program names itself to the server.

#include <optional>
#include <string>
#include <string_view>

#include "map/TileKey.h"

namespace vantrel {

inline constexpr std::string_view kDefaultTileUrl =
    "https://tile.openstreetmap.org/{z}/{x}/{y}.png";
inline constexpr std::string_view kDefaultTileAttribution = "\u00a9 OpenStreetMap contributors";
inline constexpr int kDefaultTileMaxZoom = 19;

struct TileSource {
    std::string urlTemplate = std::string(kDefaultTileUrl);
    std::string attribution = std::string(kDefaultTileAttribution);

    // The URL of one tile: {z}, {x} and {y} filled in ({s} becomes "a":
    // every tile comes from one host, so no more than two requests are ever
    // made at once).
    std::string Url(const TileKey& key) const;
};

// A URL template checked: http or https, {z}, {x} and {y} each once, no
// other placeholder, no blank or control character. nullopt with `error`
// saying what is wrong.
std::optional<std::string> CheckTileUrlTemplate(std::string_view text, std::string& error);

// The attribution of a source whose settings give none: OpenStreetMap's for
// its own servers, else "Tiles: HOST".
std::string DefaultAttribution(std::string_view urlTemplate);

// The User-Agent sent with every tile request: the program and its version,
// and the contact address when one is given and is printable ASCII.
std::string TileUserAgent(std::string_view version, std::string_view contact);

}  // namespace vantrel
