#include "map/TileSource.h"

#include <array>

namespace vantrel {

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::size_t Count(std::string_view text, std::string_view part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++n;
    return n;
}

// Printable ASCII, with or without the blank.
bool Printable(std::string_view text, bool blanks) {
    const unsigned char lowest = blanks ? 0x20 : 0x21;
    for (const char c : text)
        if (static_cast<unsigned char>(c) < lowest || static_cast<unsigned char>(c) >= 0x7f)
            return false;
    return true;
}

// The host of an http(s) URL.
std::string_view Host(std::string_view url) {
    const std::size_t start = url.find("://");
    if (start == std::string_view::npos) return {};
    url.remove_prefix(start + 3);
    return url.substr(0, url.find_first_of("/:?#"));
}

}  // namespace

std::string TileSource::Url(const TileKey& key) const {
    std::string url = urlTemplate;
    ReplaceAll(url, "{z}", std::to_string(key.z));
    ReplaceAll(url, "{x}", std::to_string(key.x));
    ReplaceAll(url, "{y}", std::to_string(key.y));
    ReplaceAll(url, "{s}", "a");
    return url;
}

std::optional<std::string> CheckTileUrlTemplate(std::string_view text, std::string& error) {
    if (!text.starts_with("https://") && !text.starts_with("http://")) {
        error = "the tile URL must start with http:// or https://";
        return std::nullopt;
    }
    if (!Printable(text, false)) {
        error = "the tile URL holds a blank or a character outside printable ASCII";
        return std::nullopt;
    }
    for (const std::string_view needed : {"{z}", "{x}", "{y}"}) {
        if (Count(text, needed) != 1) {
            error = "the tile URL needs " + std::string(needed) + " once";
            return std::nullopt;
        }
    }
    if (Count(text, "{") != 3 + Count(text, "{s}") || Count(text, "}") != Count(text, "{")) {
        error = "the tile URL may hold only {z}, {x}, {y} and {s}";
        return std::nullopt;
    }
    if (Host(text).empty()) {
        error = "the tile URL names no host";
        return std::nullopt;
    }
    return std::string(text);
}

std::string DefaultAttribution(std::string_view urlTemplate) {
    const std::string_view host = Host(urlTemplate);
    if (host == "tile.openstreetmap.org" || host.ends_with(".tile.openstreetmap.org"))
        return std::string(kDefaultTileAttribution);
    return "Tiles: " + std::string(host);
}

std::string TileUserAgent(std::string_view version, std::string_view contact) {
    std::string agent =
        "vantrel/" + std::string(version) + " (desktop companion of the Vantrel GPS logger";
    // A contact that could break the header or the comment it sits in is left out.
    if (!contact.empty() && contact.size() <= 200 && Printable(contact, true) &&
        contact.find_first_of("()\\") == std::string_view::npos)
        agent += "; contact: " + std::string(contact);
    return agent + ")";
}

}  // namespace vantrel
