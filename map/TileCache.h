#pragma once
// The tiles fetched from tile servers, kept on disk in one SQLite file laid
// out as MBTiles (tables metadata and tiles, rows counted from the south),
// with each tile's source, validators, freshness and last use beside it.
//
// The cache holds at most a given number of tile bytes: storing past that
// drops the least recently used tiles first. A file that is damaged or cannot
// be written is moved aside (to "<file>.damaged") and a new one is made; when
// none can be made there, tiles are kept in memory until the program ends.
// Either way TakeNotice() says so, once, and the cache goes on answering.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "map/Sqlite.h"
#include "map/TileKey.h"

namespace vantrel {

inline constexpr std::uint64_t kDefaultTileCacheBytes = std::uint64_t{512} << 20;

struct CachedTile {
    std::string data;
    std::string etag;             // the server's ETag, for If-None-Match
    std::string lastModified;     // its Last-Modified, for If-Modified-Since
    std::int64_t freshUntil = 0;  // seconds since 1970
};

class TileCache {
  public:
    TileCache(std::filesystem::path file, std::uint64_t limitBytes = kDefaultTileCacheBytes);
    ~TileCache();

    // The tile of `source` (its URL template), counted as used now.
    std::optional<CachedTile> Find(std::string_view source, const TileKey& key);
    // Keeps the tile (replacing one there), then drops the least recently
    // used tiles while the cache holds more than its limit.
    void Store(std::string_view source, const TileKey& key, const CachedTile& tile);
    // A tile the server confirmed unchanged: new freshness and validators.
    void Refresh(std::string_view source, const TileKey& key, const CachedTile& validators);

    std::uint64_t StoredBytes() const { return storedBytes_; }
    std::uint64_t LimitBytes() const { return limitBytes_; }
    const std::filesystem::path& File() const { return file_; }
    bool InMemory() const { return inMemory_; }
    // What the user should be told about the cache (once), or nullopt.
    std::optional<std::string> TakeNotice();

  private:
    void Open();
    void CreateSchema();
    // Runs `work` on the database; on any failure moves the file aside and
    // starts again (once), then falls back to memory.
    template <class Work>
    auto Guarded(Work&& work) -> decltype(work());
    void Recover(const SqliteError& error);
    std::int64_t SourceId(std::string_view source);
    void DropLeastRecentlyUsed();

    std::filesystem::path file_;
    std::uint64_t limitBytes_;
    std::unique_ptr<SqliteDatabase> db_;
    std::map<std::string, std::int64_t, std::less<>> sources_;
    std::uint64_t storedBytes_ = 0;
    std::int64_t lastUse_ = 0;  // a counter: each use gets the next number
    bool inMemory_ = false;
    bool recovered_ = false;
    std::optional<std::string> notice_;
};

}  // namespace vantrel
