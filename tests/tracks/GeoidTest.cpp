// Altitudes above mean sea level: the EGM96 grid read here against PROJ's
// own vertical grid shift of the same grid.

#include "tracks/Geoid.h"

#include <gtest/gtest.h>
#include <proj.h>

#include "support/TrackMemoryBuilder.h"
#include "tracks/TrackMemory.h"

namespace vantrel::testing {
namespace {

// PROJ's height above mean sea level of a point at an ellipsoid height.
class ProjGeoid {
  public:
    ProjGeoid()
        : context_(proj_context_create()),
          shift_(proj_create(context_,
                             "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
                             "+step +proj=vgridshift +grids=egm96_15.gtx +multiplier=-1 "
                             "+step +proj=unitconvert +xy_in=rad +xy_out=deg")) {}
    ~ProjGeoid() {
        proj_destroy(shift_);
        proj_context_destroy(context_);
    }
    bool Ready() const { return shift_ != nullptr; }
    double AboveSeaLevel(double latitude, double longitude, double ellipsoidHeight) const {
        const PJ_COORD out =
            proj_trans(shift_, PJ_FWD, proj_coord(longitude, latitude, ellipsoidHeight, 0));
        return out.xyz.z;
    }

  private:
    PJ_CONTEXT* context_;
    PJ* shift_;
};

struct Place {
    const char* name;
    double latitude, longitude;
};

constexpr Place kPlaces[] = {
    {"Zurich", 47.3769, 8.5417},    {"Sydney", -33.8688, 151.2093},
    {"Colombo", 6.9271, 79.8612},   {"Lima", -12.0464, -77.0428},
    {"Nome", 64.5011, -165.4064},   {"Suva, by the antimeridian", -18.1416, 179.99},
    {"the South Pole", -90, 0},
};

TEST(Geoid, AltitudesAgreeWithProj) {
    ProjGeoid proj;
    ASSERT_TRUE(proj.Ready()) << "PROJ cannot shift by egm96_15.gtx";
    GeoidSource source;
    const GeoidGrid* grid = source.Grid();
    ASSERT_NE(grid, nullptr) << source.TakeNotice();
    for (const Place& p : kPlaces)
        EXPECT_NEAR(500 - grid->UndulationAt(p.latitude, p.longitude),
                    proj.AboveSeaLevel(p.latitude, p.longitude, 500), 0.1)
            << p.name;
    // A logged fix's altitude, through the decoding of a record.
    TrackMemoryBuilder b;
    b.AddFix(1'000'000'000, 6.9271, 79.8612, 100, 0, true);
    TrackDecoding decoding;
    const TrackPoint point = DecodeTrackMemory(b.Image(b.Size()), decoding).tracks[0].points[0];
    const double ellipsoid = point.altitude + grid->UndulationAt(point.latitude, point.longitude);
    EXPECT_NEAR(point.altitude, proj.AboveSeaLevel(point.latitude, point.longitude, ellipsoid),
                0.1);
    EXPECT_NEAR(point.altitude, 100 + 98, 3);  // Colombo's sea lies 98 m below the ellipsoid
}

}  // namespace
}  // namespace vantrel::testing
