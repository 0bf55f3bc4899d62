#include "tracks/Geodesy.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

constexpr double kHalfPi = 1.570796326795;
constexpr double kSecondsPer1024Weeks = 619315200.0;
constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

// The same rotation and scale for a position and for a velocity.
void RotateScale(double s, const DatumParameters& d, double x, double y, double z, double& ox,
                 double& oy, double& oz) {
    ox = s * (x + d.rz * y - d.ry * z);
    oy = s * (y - d.rz * x + d.rx * z);
    oz = s * (z + d.ry * x - d.rx * y);
}

double CubeRoot(double s) {
    if (s > 0) return std::exp(std::log(s) / 3);
    if (s < 0) return -std::exp(std::log(-s) / 3);
    return s;
}

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
    double s = D >= 0 ? CubeRoot(std::sqrt(D) + Q) : 0.0;
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

void LocalVelocity(const EcefState& in, const LatLonTrig& trig, GeodeticFix& fix) {
    float w = static_cast<float>(in.vx) * trig.cosLon + static_cast<float>(in.vy) * trig.sinLon;
    fix.vNorth = static_cast<float>(in.vz) * trig.cosLat - trig.sinLat * w;
    fix.vEast = static_cast<float>(in.vy) * trig.cosLon - static_cast<float>(in.vx) * trig.sinLon;
    fix.vUp = trig.cosLat * w + static_cast<float>(in.vz) * trig.sinLat;
}

}  // namespace

void DatumTransform(const EcefState& in, EcefState& out, const DatumParameters& datum) {
    float s = 1.0f + datum.scaleDelta;
    EcefState result{};
    RotateScale(s, datum, in.x, in.y, in.z, result.x, result.y, result.z);
    result.x += datum.dx;
    result.y += datum.dy;
    result.z += datum.dz;
    RotateScale(s, datum, in.vx, in.vy, in.vz, result.vx, result.vy, result.vz);
    out = result;
}

void EcefToGeodetic(const EcefState& in, GeodeticFix& fix, LatLonTrig& trig,
                    const DatumParameters& datum) {
    const double a = datum.semiMajorAxis;
    const double f = datum.flattening;
    const float e2 = static_cast<float>(2 * f - f * f);
    const double p = std::sqrt(in.x * in.x + in.y * in.y);
    const double r = std::sqrt(in.x * in.x + in.y * in.y + in.z * in.z);

    if (p <= 1.0 || r <= 6'300'000.0) {  // on the axis, or not a plausible fix
        bool north = in.z >= 0;
        fix.latitude = north ? kHalfPi : -kHalfPi;
        fix.longitude = 0;
        fix.height = std::fabs(in.z) - a * std::sqrt(1 - e2);
        trig = {north ? 1.0f : -1.0f, 0.0f, 0.0f, 1.0f};
    } else {
        fix.longitude = std::atan2(in.y, in.x);
        double b = in.z > 0 ? a - a * f : (in.z < 0 ? a * f - a : 0.0);
        double t = 0;
        fix.latitude = BorkowskiLatitude(a, b, p, in.z, t);
        double sinPhi = 0, cosPhi = 0;
        TableSinCos(fix.latitude, sinPhi, cosPhi);
        fix.height = (p - a * t) * cosPhi + (in.z - b) * sinPhi;
        trig.sinLat = static_cast<float>(sinPhi);
        trig.cosLat = static_cast<float>(cosPhi);
        trig.cosLon = static_cast<float>(std::cos(fix.longitude));
        trig.sinLon = static_cast<float>(std::sin(fix.longitude));
    }
    LocalVelocity(in, trig, fix);
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

// In whole numbers: days are counted from 0000-03-01 in eras of 400 years
// (146097 days), and each year from March, so that a leap day ends it.
CivilDate CivilFromDayNumber(std::int64_t g) {
    constexpr std::int64_t kDayOfMarch1st0000 = kGpsEpochDayNumber - 723125;  // 1980-01-06 is 723125 days on
    const std::int64_t z = g - kDayOfMarch1st0000;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool GpsToCalendar(std::uint32_t seconds, std::int32_t nanoseconds, CalendarTime& out,
                   const UtcParameters& utc) {
    double T = seconds;
    double S = std::trunc(std::fmod(T, kSecondsPer1024Weeks));
    std::int64_t ns = nanoseconds;
    bool applied = false;
    if (utc.tot != -1) {
        applied = true;
        double leapAt = (7.0 * utc.leapWeek + utc.leapDay) * 86400;
        double delta = leapAt > S ? utc.leapSeconds : utc.leapSecondsAfter;
        S -= delta;
        T -= delta;
        ns -= static_cast<std::int64_t>(std::trunc((utc.a0 + utc.a1 * (S - utc.tot)) * 1e9));
        if (ns < 0) {
            ns += kNanosPerSecond;
            T -= 1;
            S -= 1;
        }
        auto q = static_cast<double>(ns / kNanosPerSecond);
        S += q;
        T += q;
    }
    bool dayBack = false;
    if (S < 0) {
        S += 86400;
        T += 86400;
        dayBack = true;
    }
    const auto g =
        static_cast<std::int64_t>(std::trunc(static_cast<long double>(T) * (1.0L / 86400) +
                                             static_cast<long double>(kGpsEpochDayNumber)));
    CivilDate date = CivilFromDayNumber(g);
    if (dayBack) date.day -= 1;
    const auto s = static_cast<std::uint64_t>(S) % 86400;
    out.year = static_cast<std::uint8_t>(date.year - 1900);
    out.month = static_cast<std::uint8_t>(date.month);
    out.day = static_cast<std::uint8_t>(date.day);
    out.hour = static_cast<std::uint8_t>(s / 3600);
    out.minute = static_cast<std::uint8_t>((s % 3600) / 60);
    out.second = static_cast<std::uint8_t>((s % 3600) % 60);
    out.nanoseconds = static_cast<std::int32_t>(ns % kNanosPerSecond);
    return applied;
}

double GreatCircleKm(double lon, double lat, double prevLon, double prevLat) {
    double h = std::pow(std::sin((prevLat - lat) * 0.5), 2.0) +
               std::cos(prevLat) * std::cos(lat) * std::pow(std::sin((prevLon - lon) * 0.5), 2.0);
    // Rounding can lift h a hair above 1 for nearly antipodal points.
    return std::asin(std::sqrt(std::min(h, 1.0))) * 2.0 * EarthRadiusKm;
}

}  // namespace vantrel
