#include "photos/GpsTags.h"

#include <cmath>
#include <cstdio>

#include "photos/Exiv2Api.h"

namespace vantrel {

using namespace std::chrono;

namespace {

constexpr std::int64_t kSecondParts = 10000;  // of an arc second: 3 mm

std::string ExifDate(Millis utc) {
    const year_month_day date{floor<days>(utc)};
    char text[16];
    std::snprintf(text, sizeof text, "%04d:%02u:%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return text;
}

std::string ExifClock(Millis utc) {
    const hh_mm_ss clock{utc - floor<days>(utc)};
    char text[48];
    std::snprintf(text, sizeof text, "%lld/1 %lld/1 %lld/1000",
                  static_cast<long long>(clock.hours().count()),
                  static_cast<long long>(clock.minutes().count()),
                  static_cast<long long>(clock.seconds().count() * 1000 + clock.subseconds().count()));
    return text;
}

std::string AltitudeRational(double metres) {
    return std::to_string(std::llround(std::fabs(metres) * 1000)) + "/1000";
}

// Degrees from three rationals; nothing when a denominator is 0 or a value
// is out of range.
std::optional<double> RationalDegrees(const Exiv2::Exifdatum& datum, double most) {
    if (exiv::Count(datum) != 3) return std::nullopt;
    double degrees = 0, unit = 1;
    for (long i = 0; i < 3; ++i, unit *= 60) {
        const Exiv2::Rational part = datum.toRational(i);
        if (part.second == 0 || part.first < 0 || part.second < 0) return std::nullopt;
        degrees += static_cast<double>(part.first) / part.second / unit;
    }
    if (!std::isfinite(degrees) || degrees > most) return std::nullopt;
    return degrees;
}

const Exiv2::Exifdatum* FindExif(const Exiv2::ExifData& exif, const char* key) {
    const auto it = exif.findKey(Exiv2::ExifKey(key));
    return it == exif.end() ? nullptr : &*it;
}

std::string XmpText(const Exiv2::XmpData& xmp, const char* key) {
    const auto it = xmp.findKey(Exiv2::XmpKey(key));
    return it == xmp.end() ? std::string() : it->toString();
}

std::optional<double> RationalText(std::string_view text) {
    const std::size_t slash = text.find('/');
    const std::string top(text.substr(0, slash));
    char* end = nullptr;
    const double n = std::strtod(top.c_str(), &end);
    if (end == top.c_str()) return std::nullopt;
    if (slash == text.npos) return n;
    const double d = std::strtod(std::string(text.substr(slash + 1)).c_str(), nullptr);
    if (d == 0) return std::nullopt;
    return n / d;
}

}  // namespace

std::string DegreeRationals(double degrees) {
    const std::int64_t parts = std::llround(std::fabs(degrees) * 3600 * kSecondParts);
    const std::int64_t perDegree = 3600 * kSecondParts, perMinute = 60 * kSecondParts;
    return std::to_string(parts / perDegree) + "/1 " + std::to_string(parts % perDegree / perMinute) +
           "/1 " + std::to_string(parts % perMinute) + "/" + std::to_string(kSecondParts);
}

std::string XmpCoordinate(double degrees, char positive, char negative) {
    const std::int64_t parts = std::llround(std::fabs(degrees) * 60 * 100000000);  // 1e-8 minute
    const std::int64_t perDegree = std::int64_t{60} * 100000000;
    char text[48];
    std::snprintf(text, sizeof text, "%lld,%02lld.%08lld%c", static_cast<long long>(parts / perDegree),
                  static_cast<long long>(parts % perDegree / 100000000),
                  static_cast<long long>(parts % 100000000), degrees < 0 ? negative : positive);
    return text;
}

std::optional<double> ParseXmpCoordinate(std::string_view text) {
    if (text.size() < 3) return std::nullopt;
    const char hemisphere = text.back();
    const int sign = hemisphere == 'S' || hemisphere == 'W' ? -1 : 1;
    if (sign > 0 && hemisphere != 'N' && hemisphere != 'E') return std::nullopt;
    std::string body(text.substr(0, text.size() - 1));
    double value = 0, unit = 1;
    std::size_t start = 0;
    for (int field = 0; field < 3 && start <= body.size(); ++field, unit *= 60) {
        const std::size_t comma = body.find(',', start);
        const std::string part = body.substr(start, comma == body.npos ? body.npos : comma - start);
        char* end = nullptr;
        const double n = std::strtod(part.c_str(), &end);
        if (part.empty() || *end != '\0' || n < 0 || !std::isfinite(n)) return std::nullopt;
        value += n / unit;
        if (comma == body.npos) return sign * value;
        start = comma + 1;
    }
    return std::nullopt;
}

void SetExifGps(Exiv2::ExifData& exif, const GeoPosition& at, Millis utc) {
    exif["Exif.GPSInfo.GPSVersionID"] = "2 3 0 0";
    exif["Exif.GPSInfo.GPSLatitudeRef"] = at.latitude < 0 ? "S" : "N";
    exif["Exif.GPSInfo.GPSLatitude"] = DegreeRationals(at.latitude);
    exif["Exif.GPSInfo.GPSLongitudeRef"] = at.longitude < 0 ? "W" : "E";
    exif["Exif.GPSInfo.GPSLongitude"] = DegreeRationals(at.longitude);
    if (std::isfinite(at.altitude)) {
        exif["Exif.GPSInfo.GPSAltitudeRef"] = at.altitude < 0 ? "1" : "0";
        exif["Exif.GPSInfo.GPSAltitude"] = AltitudeRational(at.altitude);
    } else {  // an altitude left from an earlier position would not be this one's
        for (const char* key : {"Exif.GPSInfo.GPSAltitudeRef", "Exif.GPSInfo.GPSAltitude"})
            if (auto it = exif.findKey(Exiv2::ExifKey(key)); it != exif.end()) exif.erase(it);
    }
    exif["Exif.GPSInfo.GPSTimeStamp"] = ExifClock(utc);
    exif["Exif.GPSInfo.GPSDateStamp"] = ExifDate(utc);
    exif["Exif.GPSInfo.GPSMapDatum"] = "WGS-84";
}

void SetXmpGps(Exiv2::XmpData& xmp, const GeoPosition& at, Millis utc) {
    xmp["Xmp.exif.GPSVersionID"] = "2.3.0.0";
    xmp["Xmp.exif.GPSLatitude"] = XmpCoordinate(at.latitude, 'N', 'S');
    xmp["Xmp.exif.GPSLongitude"] = XmpCoordinate(at.longitude, 'E', 'W');
    if (std::isfinite(at.altitude)) {
        xmp["Xmp.exif.GPSAltitudeRef"] = at.altitude < 0 ? "1" : "0";
        xmp["Xmp.exif.GPSAltitude"] = AltitudeRational(at.altitude);
    } else {
        for (const char* key : {"Xmp.exif.GPSAltitudeRef", "Xmp.exif.GPSAltitude"})
            if (auto it = xmp.findKey(Exiv2::XmpKey(key)); it != xmp.end()) xmp.erase(it);
    }
    xmp["Xmp.exif.GPSTimeStamp"] = UtcText(utc);
    xmp["Xmp.exif.GPSMapDatum"] = "WGS-84";
}

std::optional<GeoPosition> ExifGpsPosition(const Exiv2::ExifData& exif) {
    const auto* lat = FindExif(exif, "Exif.GPSInfo.GPSLatitude");
    const auto* lon = FindExif(exif, "Exif.GPSInfo.GPSLongitude");
    if (!lat || !lon) return std::nullopt;
    auto latitude = RationalDegrees(*lat, 90), longitude = RationalDegrees(*lon, 180);
    if (!latitude || !longitude) return std::nullopt;
    const auto* latRef = FindExif(exif, "Exif.GPSInfo.GPSLatitudeRef");
    const auto* lonRef = FindExif(exif, "Exif.GPSInfo.GPSLongitudeRef");
    if (latRef && latRef->toString().starts_with("S")) *latitude = -*latitude;
    if (lonRef && lonRef->toString().starts_with("W")) *longitude = -*longitude;
    GeoPosition at{*latitude, *longitude, std::nan("")};
    if (const auto* alt = FindExif(exif, "Exif.GPSInfo.GPSAltitude"); alt && exiv::Count(*alt) == 1) {
        const Exiv2::Rational r = alt->toRational(0);
        if (r.second != 0) at.altitude = static_cast<double>(r.first) / r.second;
        const auto* ref = FindExif(exif, "Exif.GPSInfo.GPSAltitudeRef");
        if (ref && exiv::Count(*ref) == 1 && exiv::Integer(*ref, 0) == 1) at.altitude = -at.altitude;
    }
    return at;
}

std::optional<GeoPosition> XmpGpsPosition(const Exiv2::XmpData& xmp) {
    auto latitude = ParseXmpCoordinate(XmpText(xmp, "Xmp.exif.GPSLatitude"));
    auto longitude = ParseXmpCoordinate(XmpText(xmp, "Xmp.exif.GPSLongitude"));
    if (!latitude || !longitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180)
        return std::nullopt;
    GeoPosition at{*latitude, *longitude, std::nan("")};
    if (auto altitude = RationalText(XmpText(xmp, "Xmp.exif.GPSAltitude")))
        at.altitude = XmpText(xmp, "Xmp.exif.GPSAltitudeRef") == "1" ? -*altitude : *altitude;
    return at;
}

}  // namespace vantrel
