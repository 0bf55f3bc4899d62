// Companion, continued: whether a finished download is whole, asked by the
// link before the data is handed over. Data cut short by the line (an EOT
// where a block was due, a device that stopped) never reaches the lists.

#include "app/Companion.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"
#include "tracks/TrackMemoryEnd.h"

namespace vantrel {

namespace {

bool IsWhole(int kind, std::span<const std::uint8_t> data) {
    switch (kind) {
        case rkTrack:
            return TrackMemoryIsWhole(data);
        case rkPlan:
            return PlanImageIsWhole(data);
        case rkPoi:
            return CountPoiRecords(data).Whole();
        default:
            return true;
    }
}

const char* WhatEndsIt(int kind) {
    switch (kind) {
        case rkTrack:
            return "without the track memory's end-of-data mark";
        case rkPlan:
            return "short of the length the plan's header gives";
        default:
            return "without the POI list's end mark";
    }
}

}  // namespace

std::string Companion::DownloadShortfall(int kind, const TransferArea& area) {
    if (IsWhole(kind, area.Valid())) return {};
    return "the data ended after " + std::to_string(area.TransferLength) + " bytes, " +
           WhatEndsIt(kind);
}

}  // namespace vantrel
