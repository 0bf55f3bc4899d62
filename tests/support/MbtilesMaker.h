#pragma once
// MBTiles files of the tests' own making: the metadata given and one tile
// picture at every place of the zooms given.

#include <map>
#include <string>

#include "map/Sqlite.h"
#include "map/TileKey.h"

namespace vantrel::testing {

inline void MakeMbtiles(const std::filesystem::path& file,
                        const std::map<std::string, std::string>& metadata, int minZoom,
                        int maxZoom, const std::string& tile) {
    SqliteDatabase db(file, SqliteDatabase::Mode::ReadWrite);
    db.Execute(
        "CREATE TABLE metadata (name TEXT, value TEXT);"
        "CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, "
        "tile_data BLOB);");
    for (const auto& [name, value] : metadata)
        db.Prepare("INSERT INTO metadata VALUES (?, ?)").Bind(1, name).Bind(2, value).Run();
    db.Execute("BEGIN");
    SqliteStatement insert = db.Prepare("INSERT INTO tiles VALUES (?, ?, ?, ?)");
    for (int z = minZoom; z <= maxZoom; ++z)
        for (int x = 0; x < (1 << z); ++x)
            for (int y = 0; y < (1 << z); ++y)
                insert.Bind(1, z)
                    .Bind(2, x)
                    .Bind(3, TileKey{z, x, y}.MbtilesRow())
                    .BindBlob(4, tile)
                    .Run();
    db.Execute("COMMIT");
}

}  // namespace vantrel::testing
