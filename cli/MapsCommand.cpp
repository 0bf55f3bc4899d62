// vantrel-cli maps: the maps the window shows under its tracks, plans and
// POIs: the online tiles with their attribution, the tile cache, and the
// offline maps (MBTiles files) opened in the window, the one shown marked
// with '*'.

#include <cstdio>
#include <filesystem>

#include "app/MapSettings.h"
#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/Terminal.h"
#include "map/MbtilesFile.h"

namespace vantrel::cli {

namespace {

std::string Mib(std::uintmax_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / (1 << 20));
    return text;
}

std::string CacheText(const MapSettings& maps) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(maps.cacheFile, error);
    return (error ? std::string("none yet") : Mib(size) + " on disk") + ", at most " +
           Mib(maps.cacheLimitBytes);
}

}  // namespace

int RunMaps(Args args) {
    if (!args.empty()) return Fail("maps takes no arguments", kUsage);
    const MapSettings maps = ReadMapSettings(SettingsStore(DefaultSettingsPath()));
    for (const std::string& problem : maps.problems)
        Fail(problem, kOk);
    std::vector<TableRow> rows = {{maps.chosenMap.empty() ? "*" : " ", "online",
                                   maps.online.urlTemplate, maps.online.attribution},
                                  {" ", "cache", maps.cacheFile.string(), CacheText(maps)}};
    int code = kOk;
    for (const std::filesystem::path& file : maps.offlineMaps) {
        const std::string mark = file == maps.chosenMap ? "*" : " ";
        std::string error;
        const auto map = MbtilesFile::Open(file, error);
        if (!map) {
            rows.push_back({mark, "unreadable", file.string(), error});
            code = kIncomplete;
            continue;
        }
        const MbtilesInfo& info = map->Info();
        rows.push_back({mark, info.name, file.string(),
                        info.format + ", zoom " + std::to_string(info.minZoom) + "-" +
                            std::to_string(info.maxZoom) +
                            (info.attribution.empty() ? "" : ", " + info.attribution)});
    }
    std::fputs(TableText(rows, "llll").c_str(), stdout);
    return code;
}

}  // namespace vantrel::cli
