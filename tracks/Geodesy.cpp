#include "tracks/Geodesy.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

constexpr double kHalfPi = 1.570796326795;

// Latitude (radians) and the parameter t of Borkowski's solution for a
// point off the axis; b is the polar semi-axis carrying the sign of z.
double BorkowskiLatitude(double a, double b, double p, double z, double& t) {
    double E = ((z + b) * b / a - a) / p;
    double F = ((z - b) * b / a + a) / p;
    double P = (E * F + 1) * 4 * (1.0 / 3);
    double Q = 2 * (E * E - F * F);
    double D = P * P * P + Q * Q;
    // D < 0 happens only on the equatorial plane inside the ellipsoid; there
    // the cubic's root is taken as 0, which gives latitude 0 and height p - a.
    double s = D >= 0 ? std::cbrt(std::sqrt(D) + Q) : 0.0;
    double v = 0;
    if (s != 0 && P != 0) {
        double w = P / s - s;
        v = -(w * w * w + 2 * Q) / (3 * P);
    }
    double G = (std::sqrt(E * E + v) + E) * 0.5;
    t = (F - v * G) / (2 * G - E);
    t = std::sqrt(G * G + t) - G;
    return b == 0 ? 0.0 : std::atan((1 - t * t) * a / (2 * b * t));
}

}  // namespace

GeodeticPosition EcefToPosition(double x, double y, double z, const DatumParameters& datum) {
    const double a = datum.semiMajorAxis;
    const double f = datum.flattening;
    const float e2 = static_cast<float>(2 * f - f * f);
    const double p = std::sqrt(x * x + y * y);
    const double r = std::sqrt(x * x + y * y + z * z);
    GeodeticPosition out{};
    if (p <= 1.0 || r <= 6'300'000.0) {  // on the axis, or not a plausible fix
        out.latitude = z >= 0 ? kHalfPi : -kHalfPi;
        out.height = std::fabs(z) - a * std::sqrt(1 - e2);
        return out;
    }
    out.longitude = std::atan2(y, x);
    const double b = z > 0 ? a - a * f : (z < 0 ? a * f - a : 0.0);
    double t = 0;
    out.latitude = BorkowskiLatitude(a, b, p, z, t);
    double sinPhi = 0, cosPhi = 0;
    TableSinCos(out.latitude, sinPhi, cosPhi);
    out.height = (p - a * t) * cosPhi + (z - b) * sinPhi;
    return out;
}

void TableSinCos(double x, double& sine, double& cosine) {
    if (!(std::fabs(x) < 6.375)) {  // outside the tables (or not a number)
        sine = std::sin(x);
        cosine = std::cos(x);
        return;
    }
    const int k = static_cast<int>(std::trunc(16 * x));
    const float c = static_cast<float>(x - k * 0.0625);
    const float d = c * c;
    // Single-precision argument and coefficients, the series itself in double.
    const double sc = c * (1.0 - d * (double{0.16666667f} - d * double{0.008333334f}));
    const double cm = -d * (double{0.5f} - d * double{0.041666668f});  // cos(c) - 1
    if (x > 0) {
        const auto i = static_cast<std::size_t>(k);
        sine = cosTable[i] * sc + sinTable[i] + sinTable[i] * cm;
        cosine = cosTable[i] * cm + cosTable[i] - sinTable[i] * sc;
    } else {
        const auto j = static_cast<std::size_t>(-k);
        sine = cosTable[j] * sc - sinTable[j] - sinTable[j] * cm;
        cosine = cosTable[j] * cm + cosTable[j] + sinTable[j] * sc;
    }
}

double GreatCircleKm(double lon, double lat, double prevLon, double prevLat) {
    double h = std::pow(std::sin((prevLat - lat) * 0.5), 2.0) +
               std::cos(prevLat) * std::cos(lat) * std::pow(std::sin((prevLon - lon) * 0.5), 2.0);
    // Rounding can lift h a hair above 1 for nearly antipodal points.
    return std::asin(std::sqrt(std::min(h, 1.0))) * 2.0 * EarthRadiusKm;
}

}  // namespace vantrel
