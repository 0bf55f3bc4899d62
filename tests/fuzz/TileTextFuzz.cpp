// What tile servers and offline map files hand the map, over arbitrary
// text: caching headers, HTTP dates, tile paths, URL templates and
// attributions. Freshness is never shorter than a week, a date read is the
// date written, a tile read lies at its zoom, a template taken fills every
// placeholder, and no attribution can end the script it travels in.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "map/BaseLayer.h"
#include "map/TileFreshness.h"
#include "map/TileKey.h"
#include "map/TileSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines(6);
    std::size_t line = 0;
    for (const char c : text) {
        if (c == '\n' && line + 1 < lines.size())
            ++line;
        else
            lines[line] += c;
    }
    const std::int64_t now = 1'800'000'000;
    const TileCachingHeaders headers{lines[0], lines[1], lines[2], lines[3], lines[4], lines[5]};
    FUZZ_CHECK(TileFreshUntil(headers, now) >= now + kTileMinimumLifetimeSeconds);

    if (const auto date = ParseHttpDate(text); date && *date >= 0 && *date < 253402300800)
        FUZZ_CHECK(ParseHttpDate(FormatHttpDate(*date)) == date);
    if (const auto key = ParseTilePath(text)) {
        FUZZ_CHECK(key->z >= 0 && key->z <= kMaxTileZoom);
        FUZZ_CHECK(key->x >= 0 && key->x < (1 << key->z) && key->y >= 0 && key->y < (1 << key->z));
    }
    std::string error;
    if (const auto url = CheckTileUrlTemplate(text, error)) {
        const TileSource source{*url, ""};
        FUZZ_CHECK(source.Url(TileKey{3, 1, 2}).find('{') == std::string::npos);
    }

    const std::string script = SetBaseLayerScript({"online", PlainAttribution(text), 0, 19, {}});
    FUZZ_CHECK(script.find("</") == std::string::npos);
    FUZZ_CHECK(script.find('\n') == std::string::npos);
    return 0;
}
