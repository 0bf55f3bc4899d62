#pragma once
// How the map's tiles are fetched: the rules between the pages that ask for
// tiles and the tile server, with the cache in between. The window's tile
// scheme hands every request of a page to Want() and its cancellation to
// Forget(), starts the fetches StartFetches() names (with their conditional
// headers) and reports each answer to Finished(); TakeAnswers() then says
// what each page gets.
//
// - A fresh tile in the cache is answered at once; nothing is fetched.
// - A missing or stale tile is fetched, at most kMaxInFlight at a time, each
//   tile once however many pages ask for it, and only while a page still
//   waits for it: tiles a page no longer needs are never fetched.
// - A stale tile is revalidated with If-None-Match / If-Modified-Since: 304
//   keeps it (fresh again), a new picture replaces it.
// - When the server cannot be reached the stale tile is shown as it is (a
//   missing one fails), and for kOfflinePauseSeconds every tile is answered
//   from the cache alone, so that an offline map does not wait on a dead
//   network for each tile.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "map/TileCache.h"
#include "map/TileFreshness.h"
#include "map/TileKey.h"
#include "map/TileSource.h"

namespace vantrel {

// What a page gets for one request: the picture, or nullopt when there is none.
struct TileAnswer {
    int waiter = 0;
    std::optional<std::string> data;
};

struct TileFetch {
    int id = 0;
    std::string url;
    std::string ifNoneMatch;      // empty: not sent
    std::string ifModifiedSince;  // empty: not sent
};

struct TileResponse {
    int status = 0;  // the HTTP status; 0 when no server answered
    TileCachingHeaders headers;
    std::string body;
};

class TileLoader {
  public:
    static constexpr std::size_t kMaxInFlight = 2;
    static constexpr std::int64_t kOfflinePauseSeconds = 30;

    TileLoader(TileCache& cache, TileSource source) : cache_(cache), source_(std::move(source)) {}

    // A page (its request numbered `waiter`) asks for a tile at `now`.
    void Want(int waiter, const TileKey& key, std::int64_t now);
    // The page no longer waits for it.
    void Forget(int waiter);
    // The fetches to start now.
    std::vector<TileFetch> StartFetches(std::int64_t now);
    void Finished(int fetchId, const TileResponse& response, std::int64_t now);
    std::vector<TileAnswer> TakeAnswers() { return std::exchange(answers_, {}); }

    std::size_t InFlight() const { return inFlight_.size(); }
    const TileSource& Source() const { return source_; }

  private:
    struct Pending {
        std::vector<int> waiters;
        std::optional<CachedTile> stale;
        int fetch = 0;  // 0 while queued
    };
    bool Offline(std::int64_t now) const { return now < offlineUntil_; }
    void Answer(int waiter, std::optional<std::string> data);
    void Resolve(const TileKey& key, const std::optional<std::string>& data);
    // Answers every queued tile from the cache alone.
    void ResolveQueued();
    static std::optional<std::string> StaleData(const Pending& pending);

    TileCache& cache_;
    TileSource source_;
    std::map<TileKey, Pending> pending_;
    std::deque<TileKey> queue_;
    std::map<int, TileKey> inFlight_;
    std::map<int, TileKey> waiting_;  // waiter -> tile
    std::vector<TileAnswer> answers_;
    std::int64_t offlineUntil_ = 0;
    int nextFetch_ = 1;
};

}  // namespace vantrel
