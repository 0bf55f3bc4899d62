#pragma once
// The map's settings, from the settings file and the environment:
//
//   tiles=URL               the online tiles' URL template ({z}, {x}, {y});
//                           VANTREL_TILE_URL overrides it
//   tiles_attribution=TEXT  what the map credits for them
//   contact=ADDRESS         sent to the tile server with the program's name
//   tile_cache_mib=N        the tile cache's size limit (default 512)
//   map1=, map2=, ...       the offline maps (MBTiles files) opened before
//   base_map=FILE           the one shown; empty or absent: online tiles
//
// The tile cache is $XDG_CACHE_HOME/vantrel/tiles.mbtiles (~/.cache when
// the variable is unset or not an absolute path).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/SettingsStore.h"
#include "map/TileCache.h"
#include "map/TileSource.h"

namespace vantrel {

struct MapSettings {
    TileSource online;
    std::string contact;
    std::uint64_t cacheLimitBytes = 0;
    std::filesystem::path cacheFile;
    std::vector<std::filesystem::path> offlineMaps;
    std::filesystem::path chosenMap;  // empty: online tiles
    // What is wrong with the settings (a bad tile URL, a bad size), each
    // with what was used instead.
    std::vector<std::string> problems;
};

// The cache file for the given environment values (either may be null).
std::filesystem::path TileCachePathFor(const char* xdgCacheHome, const char* home);

// The settings of `store`; `tileUrl` is VANTREL_TILE_URL (null when unset)
// and `cacheFile` where the cache lives.
MapSettings ReadMapSettings(const SettingsStore& store, const char* tileUrl,
                            std::filesystem::path cacheFile);
// The same from this process's environment.
MapSettings ReadMapSettings(const SettingsStore& store);

// Adds the file to the offline maps (when it is not there yet) and makes it
// the map shown; an empty path goes back to online tiles. False when the
// settings file could not be written.
bool ChooseBaseMap(const SettingsStore& store, const std::filesystem::path& file);

}  // namespace vantrel
