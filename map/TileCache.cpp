#include "map/TileCache.h"

#include <sqlite3.h>

#include <vector>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

// The schema's version, kept in the file's user_version.
constexpr std::int64_t kSchemaVersion = 1;
// "MPBX": the application id of MBTiles files.
constexpr std::int64_t kMbtilesApplicationId = 0x4d504258;

constexpr const char* kSchema = R"SQL(
CREATE TABLE IF NOT EXISTS metadata (name TEXT PRIMARY KEY, value TEXT);
CREATE TABLE IF NOT EXISTS sources (id INTEGER PRIMARY KEY, url TEXT NOT NULL UNIQUE);
CREATE TABLE IF NOT EXISTS tiles (
    zoom_level INTEGER NOT NULL, tile_column INTEGER NOT NULL, tile_row INTEGER NOT NULL,
    tile_data BLOB NOT NULL, source INTEGER NOT NULL, etag TEXT, last_modified TEXT,
    fresh_until INTEGER NOT NULL, last_used INTEGER NOT NULL,
    PRIMARY KEY (source, zoom_level, tile_column, tile_row));
CREATE INDEX IF NOT EXISTS tiles_by_use ON tiles (last_used);
INSERT OR IGNORE INTO metadata VALUES ('name', 'vantrel tile cache'), ('format', 'png'),
    ('type', 'baselayer'), ('version', '1'),
    ('description', 'Map tiles kept by the vantrel companion as they were fetched');
)SQL";

// Moves the file and SQLite's companions (-wal, -shm, -journal) to `aside`.
void MoveAside(const fs::path& file, const fs::path& aside) {
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        const fs::path from = file.string() + suffix;
        const fs::path to = aside.string() + suffix;
        fs::remove(to, ec);
        if (fs::exists(from, ec)) fs::rename(from, to, ec);
        if (ec) fs::remove(from, ec);
    }
}

}  // namespace

TileCache::TileCache(fs::path file, std::uint64_t limitBytes)
    : file_(std::move(file)), limitBytes_(limitBytes) {
    try {
        Open();
    } catch (const SqliteError& error) {
        Recover(error);
    }
}

TileCache::~TileCache() = default;

void TileCache::Open() {
    sources_.clear();
    if (!inMemory_) {
        std::error_code ec;
        fs::create_directories(file_.parent_path(), ec);
    }
    db_ = std::make_unique<SqliteDatabase>(inMemory_ ? fs::path(":memory:") : file_,
                                           SqliteDatabase::Mode::ReadWrite);
    // Reading the schema is the first thing a file that is no database fails.
    const std::int64_t tables = db_->QueryInteger("SELECT count(*) FROM sqlite_master");
    const std::int64_t version = db_->QueryInteger("PRAGMA user_version");
    if (tables > 0 && version != kSchemaVersion)
        throw SqliteError(SQLITE_NOTADB, "it is not a tile cache of this program");
    if (tables == 0) CreateSchema();
    db_->Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    // Every write must work too: a file that can be read but not written is
    // found here rather than at the first tile.
    db_->Execute("UPDATE metadata SET value = value WHERE name = 'version'");
    storedBytes_ = static_cast<std::uint64_t>(
        db_->QueryInteger("SELECT COALESCE(SUM(length(tile_data)), 0) FROM tiles"));
    lastUse_ = db_->QueryInteger("SELECT COALESCE(MAX(last_used), 0) FROM tiles");
}

void TileCache::CreateSchema() {
    // Pages freed by dropped tiles are given back to the file system.
    db_->Execute("PRAGMA auto_vacuum=INCREMENTAL;");
    db_->Execute(kSchema);
    db_->Execute("PRAGMA user_version=" + std::to_string(kSchemaVersion) +
                 "; PRAGMA application_id=" + std::to_string(kMbtilesApplicationId) + ";");
}

void TileCache::Recover(const SqliteError& error) {
    db_.reset();
    const std::string reason = error.what();
    if (!recovered_ && !inMemory_) {
        recovered_ = true;
        const fs::path aside = file_.string() + ".damaged";
        MoveAside(file_, aside);
        try {
            Open();
            notice_ = "The map's tile cache " + file_.string() + " could not be used (" + reason +
                      "); it was moved to " + aside.string() + " and a new one was started.";
            return;
        } catch (const SqliteError&) {
            db_.reset();
        }
    }
    inMemory_ = true;
    try {
        Open();
    } catch (const SqliteError&) {
        db_.reset();  // not even memory: every lookup misses
    }
    if (!notice_)
        notice_ = "The map's tile cache " + file_.string() + " could not be used (" + reason +
                  "); tiles are kept only until the program ends.";
    storedBytes_ = 0;
}

template <class Work>
auto TileCache::Guarded(Work&& work) -> decltype(work()) {
    for (int attempt = 0; attempt < 3 && db_; ++attempt) {
        try {
            return work();
        } catch (const SqliteError& error) {
            Recover(error);
        }
    }
    return decltype(work())();
}

std::int64_t TileCache::SourceId(std::string_view source) {
    if (const auto found = sources_.find(source); found != sources_.end()) return found->second;
    db_->Prepare("INSERT OR IGNORE INTO sources (url) VALUES (?)").Bind(1, source).Run();
    SqliteStatement id = db_->Prepare("SELECT id FROM sources WHERE url = ?");
    id.Bind(1, source);
    const std::int64_t value = id.Step() ? id.Integer(0) : 0;
    sources_.emplace(std::string(source), value);
    return value;
}

std::optional<CachedTile> TileCache::Find(std::string_view source, const TileKey& key) {
    return Guarded([&]() -> std::optional<CachedTile> {
        const std::int64_t id = SourceId(source);
        SqliteStatement row = db_->Prepare(
            "SELECT rowid, tile_data, etag, last_modified, fresh_until FROM tiles WHERE source = ? "
            "AND zoom_level = ? AND tile_column = ? AND tile_row = ?");
        row.Bind(1, id).Bind(2, key.z).Bind(3, key.x).Bind(4, key.MbtilesRow());
        if (!row.Step()) return std::nullopt;
        CachedTile tile{row.Blob(1), row.Text(2), row.Text(3), row.Integer(4)};
        db_->Prepare("UPDATE tiles SET last_used = ? WHERE rowid = ?")
            .Bind(1, ++lastUse_)
            .Bind(2, row.Integer(0))
            .Run();
        return tile;
    });
}

void TileCache::Store(std::string_view source, const TileKey& key, const CachedTile& tile) {
    Guarded([&] {
        const std::int64_t id = SourceId(source);
        SqliteStatement old = db_->Prepare(
            "SELECT length(tile_data) FROM tiles WHERE source = ? AND zoom_level = ? AND "
            "tile_column = ? AND tile_row = ?");
        old.Bind(1, id).Bind(2, key.z).Bind(3, key.x).Bind(4, key.MbtilesRow());
        const std::uint64_t replaced = old.Step() ? static_cast<std::uint64_t>(old.Integer(0)) : 0;
        db_->Prepare("INSERT OR REPLACE INTO tiles VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .Bind(1, key.z)
            .Bind(2, key.x)
            .Bind(3, key.MbtilesRow())
            .BindBlob(4, tile.data)
            .Bind(5, id)
            .Bind(6, tile.etag)
            .Bind(7, tile.lastModified)
            .Bind(8, tile.freshUntil)
            .Bind(9, ++lastUse_)
            .Run();
        storedBytes_ += tile.data.size();
        storedBytes_ -= std::min(storedBytes_, replaced);
        if (storedBytes_ > limitBytes_) DropLeastRecentlyUsed();
    });
}

void TileCache::Refresh(std::string_view source, const TileKey& key, const CachedTile& validators) {
    Guarded([&] {
        db_->Prepare(
               "UPDATE tiles SET fresh_until = ?, etag = COALESCE(NULLIF(?, ''), etag), "
               "last_modified = COALESCE(NULLIF(?, ''), last_modified), last_used = ? WHERE "
               "source = ? AND zoom_level = ? AND tile_column = ? AND tile_row = ?")
            .Bind(1, validators.freshUntil)
            .Bind(2, validators.etag)
            .Bind(3, validators.lastModified)
            .Bind(4, ++lastUse_)
            .Bind(5, SourceId(source))
            .Bind(6, key.z)
            .Bind(7, key.x)
            .Bind(8, key.MbtilesRow())
            .Run();
    });
}

void TileCache::DropLeastRecentlyUsed() {
    std::vector<std::int64_t> dropped;
    std::uint64_t freed = 0;
    {
        SqliteStatement oldest =
            db_->Prepare("SELECT rowid, length(tile_data) FROM tiles ORDER BY last_used");
        while (storedBytes_ - freed > limitBytes_ && oldest.Step()) {
            dropped.push_back(oldest.Integer(0));
            freed += static_cast<std::uint64_t>(oldest.Integer(1));
        }
    }
    db_->Execute("BEGIN");
    SqliteStatement remove = db_->Prepare("DELETE FROM tiles WHERE rowid = ?");
    for (const std::int64_t rowid : dropped)
        remove.Bind(1, rowid).Run();
    db_->Execute("COMMIT");
    db_->Execute("PRAGMA incremental_vacuum");
    storedBytes_ -= std::min(storedBytes_, freed);
}

std::optional<std::string> TileCache::TakeNotice() {
    return std::exchange(notice_, std::nullopt);
}

}  // namespace vantrel
