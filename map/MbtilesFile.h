#pragma once
// A raster MBTiles file of the user's own (as offline map makers and GIS
// programs write them), opened read-only: what its metadata says and its
// tiles by key. Vector tiles are refused: the map pages show pictures.

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "map/Sqlite.h"
#include "map/TileKey.h"

namespace vantrel {

struct MbtilesInfo {
    std::string name;         // the metadata's name, else the file's stem
    std::string format;       // "png", "jpg", "webp"
    std::string attribution;  // as written; may be empty
    int minZoom = 0;
    int maxZoom = 0;
    // West, south, east, north in degrees, when the file says.
    std::optional<std::array<double, 4>> bounds;
};

class MbtilesFile {
  public:
    // The file opened and checked, or nullptr with `error` saying why
    // ("... is not an MBTiles file", "... holds vector tiles ...").
    static std::unique_ptr<MbtilesFile> Open(const std::filesystem::path& file, std::string& error);

    const MbtilesInfo& Info() const { return info_; }
    const std::filesystem::path& File() const { return file_; }
    // The tile's bytes, nullopt when the file has none for it or cannot be
    // read any more.
    std::optional<std::string> Tile(const TileKey& key);

  private:
    MbtilesFile(std::filesystem::path file, std::unique_ptr<SqliteDatabase> db)
        : file_(std::move(file)), db_(std::move(db)) {}
    void ReadInfo();

    std::filesystem::path file_;
    std::unique_ptr<SqliteDatabase> db_;
    MbtilesInfo info_;
};

}  // namespace vantrel
