#include "app/InternetCheck.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "base/AtomicFile.h"

namespace vantrel {

namespace {

constexpr unsigned long kRouteUp = 0x0001;      // RTF_UP
constexpr unsigned long kRouteReject = 0x0200;  // RTF_REJECT: an unreachable route

std::vector<std::vector<std::string>> Rows(std::string_view table) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in{std::string(table)};
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::vector<std::string> row;
        for (std::string field; fields >> field;)
            row.push_back(std::move(field));
        if (!row.empty()) rows.push_back(std::move(row));
    }
    return rows;
}

bool AllZero(const std::string& hex) {
    return hex.find_first_not_of('0') == std::string::npos;
}

bool Usable(const std::string& iface, const std::string& flagsHex) {
    char* end = nullptr;
    unsigned long flags = std::strtoul(flagsHex.c_str(), &end, 16);
    if (end == flagsHex.c_str() || *end != '\0') return false;
    return iface != "lo" && (flags & kRouteUp) != 0 && (flags & kRouteReject) == 0;
}

bool TableHasDefaultRoute(const std::filesystem::path& file, bool (*judge)(std::string_view)) {
    std::error_code error;
    auto text = ReadFileBytes(file, error, std::size_t{1} << 20);
    return text && judge(*text);
}

}  // namespace

// Columns: Iface Destination Gateway Flags RefCnt Use Metric Mask ...; the
// first line is a header.
bool Ipv4TableHasDefaultRoute(std::string_view table) {
    for (const auto& row : Rows(table)) {
        if (row.size() < 8 || row[0] == "Iface") continue;
        if (AllZero(row[1]) && AllZero(row[7]) && Usable(row[0], row[3])) return true;
    }
    return false;
}

// Columns: destination, prefix length, source, source prefix length, next
// hop, metric, use count, reference count, flags, interface.
bool Ipv6TableHasDefaultRoute(std::string_view table) {
    for (const auto& row : Rows(table)) {
        if (row.size() < 10) continue;
        if (AllZero(row[0]) && AllZero(row[1]) && Usable(row[9], row[8])) return true;
    }
    return false;
}

bool HasDefaultRoute(const std::filesystem::path& ipv4Table,
                     const std::filesystem::path& ipv6Table) {
    return TableHasDefaultRoute(ipv4Table, Ipv4TableHasDefaultRoute) ||
           TableHasDefaultRoute(ipv6Table, Ipv6TableHasDefaultRoute);
}

}  // namespace vantrel
