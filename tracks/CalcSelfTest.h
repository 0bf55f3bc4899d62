#pragma once
// The developer's check of the conversions (the "Test Calc" button of the
// hidden Status page): the first 16 records at the start of the transfer
// area, without the page-filler skip, converted and written into a point
// grid.

#include "base/AppValues.h"
#include "base/TextGrid.h"
#include "base/TransferArea.h"
#include "tracks/LeapSeconds.h"

namespace vantrel {

// Writes the point grid's headings, then for record i (0..15) whose checksum
// matches and is non-zero, row i + 1: time (UTC, no zone offset), latitude
// and longitude in degrees and height, the numbers in default float-to-text
// form. Zero coordinates are converted too.
void CalcSelfTest(const TransferArea& area, const AppValues& values, const LeapSecondTable& leaps,
                  TextGrid& pointGrid);

}  // namespace vantrel
