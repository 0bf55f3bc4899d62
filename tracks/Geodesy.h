#pragma once
// The arithmetic that turns a logged fix into what the user sees: a
// closed-form ECEF-to-geodetic conversion (Borkowski) on the WGS-84
// ellipsoid, a table sine/cosine, the great-circle distance between two fixes
// and the unit factors of the displays. Pure computation:
// no state, no I/O, no allocation.

#include <array>
#include <cstdint>
#include <numbers>

namespace vantrel {

// Radians to degrees for every displayed, saved or exported coordinate.
inline constexpr double RadToDeg = 180.0 / std::numbers::pi;
inline constexpr double DegToRad = std::numbers::pi / 180.0;
// Kilometres to miles, km/h to mph.
inline constexpr double KmToMile = 1.0 / 1.6093;
// The device's raw speed unit is 0.1 m/s: value * SpeedUnitMs * MsToKmh is km/h.
inline constexpr double SpeedUnitMs = 0.1;
inline constexpr double MsToKmh = 3.6;
// Radius of the sphere of the distance formula.
inline constexpr double EarthRadiusKm = 6378.137;

#pragma pack(push, 1)
// A seven-parameter datum; the one instance describes WGS-84 with an
// identity transform, so the conversion uses only its ellipsoid.
struct DatumParameters {
    std::uint16_t datumId;
    double semiMajorAxis;  // a, metres
    double flattening;     // f
    float dx, dy, dz;      // translation, metres
    float scaleDelta;      // the factor applied is 1 + scaleDelta
    float rx, ry, rz;      // small rotations, radians
};
static_assert(sizeof(DatumParameters) == 46);

#pragma pack(pop)

inline constexpr DatumParameters Wgs84Datum{0, 6378137.0, 1.0 / 298.257223563, 0, 0, 0, 0, 0, 0, 0};

// sin(k/16) and cos(k/16) for k = 0..101, nine significant digits.
extern const std::array<double, 102> sinTable;
extern const std::array<double, 102> cosTable;

// An Earth-centred position (metres) on the datum's ellipsoid: latitude and
// longitude in radians and the height above the ellipsoid.
struct GeodeticPosition {
    double latitude = 0;
    double longitude = 0;
    double height = 0;
};
GeodeticPosition EcefToPosition(double x, double y, double z,
                                const DatumParameters& datum = Wgs84Datum);
// Sine and cosine from the tables and a short series; |x| < 6.375.
void TableSinCos(double x, double& sine, double& cosine);
// Haversine distance in km between two fixes (radians). A coordinate of
// exactly 0 (the equator, the prime meridian) is a place like any other.
double GreatCircleKm(double lon, double lat, double prevLon, double prevLat);

}  // namespace vantrel
