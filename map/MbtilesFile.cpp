#include "map/MbtilesFile.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace vantrel {

namespace {

std::map<std::string, std::string> ReadMetadata(SqliteDatabase& db) {
    std::map<std::string, std::string> values;
    SqliteStatement rows = db.Prepare("SELECT name, value FROM metadata");
    while (rows.Step())
        values[rows.Text(0)] = rows.Text(1);
    return values;
}

std::optional<int> ZoomValue(const std::map<std::string, std::string>& metadata,
                             const std::string& name) {
    const auto found = metadata.find(name);
    if (found == metadata.end()) return std::nullopt;
    int zoom = -1;
    if (std::sscanf(found->second.c_str(), "%d", &zoom) != 1 || zoom < 0 || zoom > kMaxTileZoom)
        return std::nullopt;
    return zoom;
}

std::optional<std::array<double, 4>> BoundsValue(const std::string& text) {
    std::array<double, 4> b{};
    if (std::sscanf(text.c_str(), "%lf,%lf,%lf,%lf", &b[0], &b[1], &b[2], &b[3]) != 4)
        return std::nullopt;
    if (!(b[0] >= -180 && b[2] <= 180 && b[0] < b[2] && b[1] >= -90 && b[3] <= 90 && b[1] < b[3]))
        return std::nullopt;
    return b;
}

// The format by the first tile's bytes, for files whose metadata does not say.
std::string FormatOfFirstTile(SqliteDatabase& db) {
    SqliteStatement first = db.Prepare("SELECT tile_data FROM tiles LIMIT 1");
    if (!first.Step()) return {};
    const std::string tile = first.Blob(0);
    const std::string_view type = TileImageType(tile);
    return type.empty() ? std::string() : std::string(type.substr(6));  // after "image/"
}

}  // namespace

std::unique_ptr<MbtilesFile> MbtilesFile::Open(const std::filesystem::path& file,
                                               std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = file.string() +
                " cannot be opened: " + (ec ? ec.message() : std::string("it is not a file"));
        return nullptr;
    }
    try {
        auto db = std::make_unique<SqliteDatabase>(file, SqliteDatabase::Mode::ReadOnly);
        std::unique_ptr<MbtilesFile> map(new MbtilesFile(file, std::move(db)));
        map->ReadInfo();
        const std::string& format = map->info_.format;
        if (format == "pbf" || format == "mvt") {
            error = file.string() +
                    " holds vector tiles; only maps of pictures (png, jpg, webp) "
                    "can be shown";
            return nullptr;
        }
        if (format != "png" && format != "jpg" && format != "jpeg" && format != "webp") {
            error = file.string() + " holds no tiles the map can show";
            return nullptr;
        }
        return map;
    } catch (const SqliteError& e) {
        error = file.string() + " is not an MBTiles file (" + e.what() + ")";
        return nullptr;
    }
}

void MbtilesFile::ReadInfo() {
    const auto metadata = ReadMetadata(*db_);
    auto value = [&](const char* name) {
        const auto found = metadata.find(name);
        return found == metadata.end() ? std::string() : found->second;
    };
    info_.name = value("name").empty() ? file_.stem().string() : value("name");
    info_.format = value("format").empty() ? FormatOfFirstTile(*db_) : value("format");
    if (info_.format == "jpeg") info_.format = "jpg";
    info_.attribution = value("attribution");
    info_.bounds = BoundsValue(value("bounds"));
    auto minZoom = ZoomValue(metadata, "minzoom");
    auto maxZoom = ZoomValue(metadata, "maxzoom");
    if (!minZoom || !maxZoom) {
        SqliteStatement zooms = db_->Prepare("SELECT MIN(zoom_level), MAX(zoom_level) FROM tiles");
        if (zooms.Step() && !zooms.IsNull(0)) {
            minZoom = minZoom.value_or(static_cast<int>(zooms.Integer(0)));
            maxZoom = maxZoom.value_or(static_cast<int>(zooms.Integer(1)));
        }
    }
    info_.minZoom = std::clamp(minZoom.value_or(0), 0, kMaxTileZoom);
    info_.maxZoom = std::clamp(maxZoom.value_or(kMaxTileZoom), info_.minZoom, kMaxTileZoom);
}

std::optional<std::string> MbtilesFile::Tile(const TileKey& key) {
    try {
        SqliteStatement tile = db_->Prepare(
            "SELECT tile_data FROM tiles WHERE zoom_level = ? AND tile_column = ? AND "
            "tile_row = ?");
        tile.Bind(1, key.z).Bind(2, key.x).Bind(3, key.MbtilesRow());
        if (!tile.Step()) return std::nullopt;
        return tile.Blob(0);
    } catch (const SqliteError&) {
        return std::nullopt;
    }
}

}  // namespace vantrel
