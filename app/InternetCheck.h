#pragma once
// Whether the computer can reach the internet, judged by its routing tables:
// an active default route (IPv4 or IPv6) through an interface other than
// loopback. The map pages need the network.

#include <filesystem>
#include <string_view>

namespace vantrel {

// The kernel's tables, read from /proc unless other files are given.
bool HasDefaultRoute(const std::filesystem::path& ipv4Table = "/proc/net/route",
                     const std::filesystem::path& ipv6Table = "/proc/net/ipv6_route");

// The same judgement on the text of /proc/net/route and /proc/net/ipv6_route.
bool Ipv4TableHasDefaultRoute(std::string_view table);
bool Ipv6TableHasDefaultRoute(std::string_view table);

}  // namespace vantrel
