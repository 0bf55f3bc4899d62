#pragma once
// The GPS tags a photo carries, as EXIF writes them in the file (degrees,
// minutes and seconds as rationals with their N/S and E/W references,
// altitude with its above/below reference, the UTC time and date, datum
// WGS-84, version 2.3.0.0) and as XMP writes them in a sidecar
// ("52,31.12345678N"). Values are exact to well under a millimetre.

#include <optional>
#include <string>
#include <string_view>

#include "photos/PhotoTime.h"
#include "photos/TrackMatch.h"

namespace Exiv2 {
class ExifData;
class XmpData;
}  // namespace Exiv2

namespace vantrel {

// "52/1 31/1 71234/10000": whole degrees, whole minutes, seconds to 1/10000.
std::string DegreeRationals(double degrees);
// "52,31.12345678N" with `positive` or `negative` as the hemisphere letter.
std::string XmpCoordinate(double degrees, char positive, char negative);
// Either form of XMP coordinate ("52,31.1234N", "52,31,7.4N"); nothing else.
std::optional<double> ParseXmpCoordinate(std::string_view text);

// A position without altitude (NaN) writes none and takes an old one away.
void SetExifGps(Exiv2::ExifData& exif, const GeoPosition& at, Millis utc);
void SetXmpGps(Exiv2::XmpData& xmp, const GeoPosition& at, Millis utc);
// The position the tags hold (altitude NaN when they hold none), or nothing
// when they hold no latitude and longitude that make sense.
std::optional<GeoPosition> ExifGpsPosition(const Exiv2::ExifData& exif);
std::optional<GeoPosition> XmpGpsPosition(const Exiv2::XmpData& xmp);

}  // namespace vantrel
