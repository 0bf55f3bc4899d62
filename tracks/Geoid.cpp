#include "tracks/Geoid.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/AtomicFile.h"

namespace vantrel {

namespace {

constexpr std::size_t kHeaderBytes = 40;
constexpr std::size_t kLargestGrid = std::size_t{64} << 20;

template <class T>
T BigEndian(const char* bytes) {
    using Bits = std::conditional_t<sizeof(T) == 8, std::uint64_t, std::uint32_t>;
    Bits bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    return std::bit_cast<T>(bits);
}

std::optional<std::filesystem::path> FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::filesystem::path(value);
}

}  // namespace

std::optional<GeoidGrid> GeoidGrid::FromFile(const std::filesystem::path& path,
                                             std::string& error) {
    std::error_code failed;
    const auto bytes = ReadFileBytes(path, failed, kLargestGrid);
    if (!bytes) {
        error = path.string() + ": " + failed.message();
        return std::nullopt;
    }
    GeoidGrid grid;
    if (bytes->size() >= kHeaderBytes) {
        const char* h = bytes->data();
        grid.south_ = BigEndian<double>(h);
        grid.west_ = BigEndian<double>(h + 8);
        grid.latStep_ = BigEndian<double>(h + 16);
        grid.lonStep_ = BigEndian<double>(h + 24);
        grid.rows_ = BigEndian<std::int32_t>(h + 32);
        grid.cols_ = BigEndian<std::int32_t>(h + 36);
    }
    const bool sane = grid.rows_ > 1 && grid.cols_ > 1 && grid.latStep_ > 0 &&
                      grid.lonStep_ > 0 && std::isfinite(grid.south_) &&
                      std::isfinite(grid.west_);
    const std::size_t cells = sane ? std::size_t(grid.rows_) * std::size_t(grid.cols_) : 0;
    if (!sane || bytes->size() != kHeaderBytes + cells * 4) {
        error = path.string() + ": not a geoid grid (.gtx)";
        return std::nullopt;
    }
    grid.values_.resize(cells);
    for (std::size_t i = 0; i < cells; ++i)
        grid.values_[i] = BigEndian<float>(bytes->data() + kHeaderBytes + 4 * i);
    grid.wraps_ = std::fabs(grid.cols_ * grid.lonStep_ - 360.0) < 1e-9;
    return grid;
}

std::vector<std::filesystem::path> GeoidGrid::SearchPaths() {
    if (auto named = FromEnvironment("VANTREL_GEOID")) return {*named};
    std::vector<std::filesystem::path> paths;
    for (const char* variable : {"PROJ_DATA", "PROJ_LIB"})
        if (auto folder = FromEnvironment(variable)) paths.push_back(*folder / kFileName);
    paths.push_back(std::filesystem::path("/usr/share/proj") / kFileName);
    return paths;
}

double GeoidGrid::Value(int row, int col) const {
    return values_[std::size_t(row) * std::size_t(cols_) + std::size_t(col)];
}

double GeoidGrid::UndulationAt(double latitude, double longitude) const {
    const double y = std::clamp((latitude - south_) / latStep_, 0.0, double(rows_ - 1));
    double x = (longitude - west_) / lonStep_;
    if (wraps_) x = x - std::floor(x / cols_) * cols_;
    x = std::clamp(x, 0.0, double(cols_ - 1) + (wraps_ ? 0.999999999 : 0.0));
    const int r0 = std::min(static_cast<int>(y), rows_ - 2);
    const int c0 = std::min(static_cast<int>(x), wraps_ ? cols_ - 1 : cols_ - 2);
    const int c1 = wraps_ ? (c0 + 1) % cols_ : c0 + 1;
    const double fy = y - r0;
    const double fx = x - c0;
    const double south = Value(r0, c0) * (1 - fx) + Value(r0, c1) * fx;
    const double north = Value(r0 + 1, c0) * (1 - fx) + Value(r0 + 1, c1) * fx;
    return south * (1 - fy) + north * fy;
}

const GeoidGrid* GeoidSource::Grid() {
    if (!tried_) {
        tried_ = true;
        std::string reasons;
        for (const auto& path : paths_) {
            std::string error;
            grid_ = GeoidGrid::FromFile(path, error);
            if (grid_) break;
            reasons += (reasons.empty() ? "" : "; ") + error;
        }
        if (reasons.empty()) reasons = "no place to look for it";
        if (!grid_)
            notice_ = "The geoid grid " + std::string(GeoidGrid::kFileName) +
                      " could not be read (" + reasons +
                      "): altitudes are shown above the WGS-84 ellipsoid, not above sea level.";
    }
    return grid_ ? &*grid_ : nullptr;
}

std::string GeoidSource::TakeNotice() {
    return std::exchange(notice_, std::string());
}

}  // namespace vantrel
