#pragma once
// The developer's check of the conversions (the "Test Calc" button of the
// hidden Status page): the first 16 records of the transfer area, decoded
// as a download is, as one track of points.

#include <span>

#include "tracks/Track.h"
#include "tracks/TrackMemory.h"

namespace vantrel {

Track CalcSelfTest(std::span<const std::uint8_t> memory, TrackDecoding& decoding);

}  // namespace vantrel
