#pragma once
// How long a fetched tile may be shown without asking the server again: as
// long as its Cache-Control max-age (less its Age) or its Expires allow, and
// never less than a week, so that a map looked at again soon costs the tile
// servers nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::int64_t kTileMinimumLifetimeSeconds = 7 * 24 * 3600;

// The caching headers of a tile's answer, as sent.
struct TileCachingHeaders {
    std::string cacheControl;
    std::string expires;
    std::string date;
    std::string age;
    std::string etag;
    std::string lastModified;
};

// Seconds since 1970 of an HTTP date in any of its three forms
// ("Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT",
// "Sun Nov  6 08:49:37 1994"); nullopt for anything else.
std::optional<std::int64_t> ParseHttpDate(std::string_view text);

// The same instant as an HTTP date in its first form.
std::string FormatHttpDate(std::int64_t seconds);

// Until when (seconds since 1970) a tile received at `now` is fresh.
std::int64_t TileFreshUntil(const TileCachingHeaders& headers, std::int64_t now);

}  // namespace vantrel
