#pragma once
// The geoid: how far mean sea level lies above the WGS-84 ellipsoid, from the
// EGM96 grid of 15 minutes that the system's PROJ data ships
// (egm96_15.gtx), interpolated bilinearly. A fix's altitude above mean sea
// level is its height above the ellipsoid less this undulation.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {

class GeoidGrid {
  public:
    static constexpr const char* kFileName = "egm96_15.gtx";

    // The grid of a .gtx file, or nothing with the reason in `error`.
    static std::optional<GeoidGrid> FromFile(const std::filesystem::path& path,
                                             std::string& error);
    // Where the grid is looked for: $VANTREL_GEOID when it is set (a file),
    // else egm96_15.gtx in $PROJ_DATA, $PROJ_LIB and /usr/share/proj.
    static std::vector<std::filesystem::path> SearchPaths();

    // The undulation N in metres at a place (degrees): ellipsoid height minus
    // height above mean sea level.
    double UndulationAt(double latitude, double longitude) const;

  private:
    double Value(int row, int col) const;

    double south_ = 0, west_ = 0, latStep_ = 0, lonStep_ = 0;
    int rows_ = 0, cols_ = 0;
    bool wraps_ = false;  // the columns go once round the globe
    std::vector<float> values_;  // rows from the south, each from the west
};

// The grid, read once when first asked for; what went wrong is told once.
class GeoidSource {
  public:
    // Looks for the grid at these places, in order.
    explicit GeoidSource(std::vector<std::filesystem::path> paths = GeoidGrid::SearchPaths())
        : paths_(std::move(paths)) {}

    // A source that has no grid: heights stay above the ellipsoid.
    static GeoidSource None() { return GeoidSource(std::vector<std::filesystem::path>{}); }

    // The grid, or nullptr when none could be read.
    const GeoidGrid* Grid();
    // Why the grid could not be read, the first time it is asked after a
    // failure; empty otherwise.
    std::string TakeNotice();

  private:
    std::vector<std::filesystem::path> paths_;
    bool tried_ = false;
    std::optional<GeoidGrid> grid_;
    std::string notice_;
};

}  // namespace vantrel
