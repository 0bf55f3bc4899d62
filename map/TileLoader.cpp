#include "map/TileLoader.h"

#include <algorithm>

namespace vantrel {

void TileLoader::Answer(int waiter, std::optional<std::string> data) {
    answers_.push_back({waiter, std::move(data)});
}

std::optional<std::string> TileLoader::StaleData(const Pending& pending) {
    if (!pending.stale) return std::nullopt;
    return pending.stale->data;
}

void TileLoader::Want(int waiter, const TileKey& key, std::int64_t now) {
    if (auto pending = pending_.find(key); pending != pending_.end()) {
        pending->second.waiters.push_back(waiter);
        waiting_[waiter] = key;
        return;
    }
    std::optional<CachedTile> cached = cache_.Find(source_.urlTemplate, key);
    if (cached && (cached->freshUntil > now || Offline(now))) {
        Answer(waiter, std::move(cached->data));
        return;
    }
    if (Offline(now)) {
        Answer(waiter, std::nullopt);
        return;
    }
    pending_[key] = Pending{{waiter}, std::move(cached), 0};
    waiting_[waiter] = key;
    queue_.push_back(key);
}

void TileLoader::Forget(int waiter) {
    const auto found = waiting_.find(waiter);
    if (found == waiting_.end()) return;
    const TileKey key = found->second;
    waiting_.erase(found);
    const auto pending = pending_.find(key);
    if (pending == pending_.end()) return;
    std::erase(pending->second.waiters, waiter);
    // A queued tile nobody waits for is not fetched; one in flight still
    // lands in the cache.
    if (pending->second.waiters.empty() && pending->second.fetch == 0) pending_.erase(pending);
}

std::vector<TileFetch> TileLoader::StartFetches(std::int64_t now) {
    if (Offline(now)) ResolveQueued();
    std::vector<TileFetch> fetches;
    while (inFlight_.size() < kMaxInFlight && !queue_.empty()) {
        const TileKey key = queue_.front();
        queue_.pop_front();
        const auto pending = pending_.find(key);
        if (pending == pending_.end() || pending->second.fetch != 0) continue;
        Pending& p = pending->second;
        p.fetch = nextFetch_++;
        inFlight_[p.fetch] = key;
        TileFetch fetch{p.fetch, source_.Url(key), {}, {}};
        if (p.stale) {
            fetch.ifNoneMatch = p.stale->etag;
            fetch.ifModifiedSince = p.stale->lastModified;
        }
        fetches.push_back(std::move(fetch));
    }
    return fetches;
}

void TileLoader::Finished(int fetchId, const TileResponse& response, std::int64_t now) {
    const auto flight = inFlight_.find(fetchId);
    if (flight == inFlight_.end()) return;
    const TileKey key = flight->second;
    inFlight_.erase(flight);
    Pending& p = pending_[key];
    const CachedTile fresh{response.body, response.headers.etag, response.headers.lastModified,
                           TileFreshUntil(response.headers, now)};
    if (response.status == 304 && p.stale) {
        cache_.Refresh(source_.urlTemplate, key, fresh);
        Resolve(key, StaleData(p));
    } else if (response.status == 200 && !TileImageType(response.body).empty()) {
        cache_.Store(source_.urlTemplate, key, fresh);
        Resolve(key, response.body);
    } else {
        if (response.status == 0) offlineUntil_ = now + kOfflinePauseSeconds;
        Resolve(key, StaleData(p));
        if (Offline(now)) ResolveQueued();
    }
}

void TileLoader::Resolve(const TileKey& key, const std::optional<std::string>& data) {
    const auto pending = pending_.find(key);
    if (pending == pending_.end()) return;
    for (const int waiter : pending->second.waiters) {
        waiting_.erase(waiter);
        Answer(waiter, data);
    }
    pending_.erase(pending);
}

void TileLoader::ResolveQueued() {
    for (const TileKey& key : std::exchange(queue_, {})) {
        const auto pending = pending_.find(key);
        if (pending != pending_.end() && pending->second.fetch == 0)
            Resolve(key, StaleData(pending->second));
    }
}

}  // namespace vantrel
