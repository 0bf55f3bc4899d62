#pragma once
// The picture layer the map pages show over the world layer: online tiles
// or an offline map, both served to the pages by the program's own tile
// scheme, with the attribution the pages show for it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The URL scheme of the program's tiles: "vantrel-tile://LAYER/{z}/{x}/{y}".
inline constexpr std::string_view kTileScheme = "vantrel-tile";

struct BaseLayer {
    std::string layer;        // the URL's host: which layer the scheme serves
    std::string attribution;  // plain text
    int minZoom = 0;          // below it the layer is not shown
    int maxZoom = 19;         // above it its tiles are shown enlarged
    // West, south, east, north: an offline map's area, which the map shows
    // when that map is chosen.
    std::optional<std::array<double, 4>> bounds;
    // Tiles from a server (which a page rests after a run of failures), not
    // from a file (where a missing tile is only a place the map lacks).
    bool online = true;
};

// The text an attribution written as HTML (as MBTiles files hold it) shows:
// tags dropped, the common entities decoded.
std::string PlainAttribution(std::string_view html);

// The page's script call that shows the layer: "vantrelSetBaseLayer({...});".
std::string SetBaseLayerScript(const BaseLayer& layer);
// The same settings as a global the page reads as it starts:
// "window.vantrelBaseLayer = {...};".
std::string BaseLayerGlobalScript(const BaseLayer& layer);

}  // namespace vantrel
