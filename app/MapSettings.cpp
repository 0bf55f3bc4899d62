#include "app/MapSettings.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

// How many offline maps are remembered.
constexpr int kMaxOfflineMaps = 64;

std::string MapKey(int n) {
    return "map" + std::to_string(n);
}

std::vector<fs::path> ReadOfflineMaps(const SettingsStore& store) {
    std::vector<fs::path> maps;
    for (int n = 1; n <= kMaxOfflineMaps; ++n) {
        const std::string value = store.ReadString(MapKey(n));
        if (value.empty()) break;
        maps.emplace_back(value);
    }
    return maps;
}

void ReadTileSource(const SettingsStore& store, const char* tileUrl, MapSettings& settings) {
    const bool fromEnvironment = tileUrl != nullptr && tileUrl[0] != '\0';
    const std::string given = fromEnvironment ? tileUrl : store.ReadString("tiles");
    if (!given.empty()) {
        std::string error;
        if (auto url = CheckTileUrlTemplate(given, error)) {
            settings.online.urlTemplate = *url;
            const std::string attribution = store.ReadString("tiles_attribution");
            settings.online.attribution =
                attribution.empty() || fromEnvironment ? DefaultAttribution(*url) : attribution;
        } else {
            settings.problems.push_back(
                std::string(fromEnvironment ? "VANTREL_TILE_URL" : "tiles=") + " '" + given +
                "': " + error + "; OpenStreetMap's tiles are used");
        }
    }
}

void ReadCacheLimit(const SettingsStore& store, MapSettings& settings) {
    settings.cacheLimitBytes = kDefaultTileCacheBytes;
    const std::string text = store.ReadString("tile_cache_mib");
    if (text.empty()) return;
    std::uint64_t mib = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mib);
    if (error != std::errc() || end != text.data() + text.size() || mib == 0 || mib > (1u << 20)) {
        settings.problems.push_back("tile_cache_mib='" + text +
                                    "' is not a size in MiB from 1 to 1048576; 512 is used");
        return;
    }
    settings.cacheLimitBytes = mib << 20;
}

}  // namespace

fs::path TileCachePathFor(const char* xdgCacheHome, const char* home) {
    return UserFolderFor(xdgCacheHome, home, ".cache") / "vantrel" / "tiles.mbtiles";
}

MapSettings ReadMapSettings(const SettingsStore& store, const char* tileUrl, fs::path cacheFile) {
    MapSettings settings;
    ReadTileSource(store, tileUrl, settings);
    ReadCacheLimit(store, settings);
    settings.contact = store.ReadString("contact");
    settings.cacheFile = std::move(cacheFile);
    settings.offlineMaps = ReadOfflineMaps(store);
    settings.chosenMap = store.ReadString("base_map");
    return settings;
}

MapSettings ReadMapSettings(const SettingsStore& store) {
    return ReadMapSettings(store, std::getenv("VANTREL_TILE_URL"),
                           TileCachePathFor(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME")));
}

bool ChooseBaseMap(const SettingsStore& store, const fs::path& file) {
    if (!file.empty()) {
        const auto maps = ReadOfflineMaps(store);
        if (std::find(maps.begin(), maps.end(), file) == maps.end()) {
            const int next = static_cast<int>(maps.size()) + 1;
            if (next > kMaxOfflineMaps || !store.WriteString(MapKey(next), file.string()))
                return false;
        }
    }
    return store.WriteString("base_map", file.string());
}

}  // namespace vantrel
