#pragma once
// How the core reaches a map page: run script text in it, or call one of its
// script functions by name. The window implements this over its web views;
// the core only builds the texts and reads the results.
//
// A page that lacks a function, or has no document yet, answers 0 and does
// nothing; numeric results come back as reals that callers truncate when they
// need a count or an index. A page that gives no number in time (it hangs,
// is busy or its script failed) gives no answer at all: nullopt, which
// callers treat as a failure and never as 0.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/NumberText.h"

namespace vantrel {

// One point of a track line, in decimal degrees.
struct MapPoint {
    double latitude;
    double longitude;
};

class MapPage {
  public:
    virtual ~MapPage() = default;

    // Runs script text in the page's window; errors inside it are not reported.
    virtual void RunPageScript(std::string_view scriptText) = 0;

    // Calls name() and ignores any result (clearMarkers, RestoreMaker).
    virtual void CallPageFunction(std::string_view name) = 0;
    // Calls name() and returns its numeric result (getMarkersNumber and
    // getCurrentIndex answer integers, others reals).
    virtual std::optional<double> CallPageFunctionResult(std::string_view name) = 0;
    // Calls name(marker) with a 16-bit marker number and returns its real
    // result (getMarkersLat, getMarkersLng).
    virtual std::optional<double> CallPageFunctionResult(std::string_view name,
                                                         std::int16_t marker) = 0;
    // Calls name(marker) with a 32-bit marker number (highLightMaker).
    virtual void CallPageFunction(std::string_view name, std::int32_t marker) = 0;

    // The track page's entry points: append one point to the pending line,
    // then draw the pending points as one line in a "#rrggbb" colour.
    virtual void addPoints(double latitude, double longitude) = 0;
    virtual void drawPoints(std::string_view colourText) = 0;
    // addPoints for each point in order. A page that can take many calls in
    // one script overrides this; a track of thousands of points then costs
    // one trip to the page instead of one per point.
    virtual void addPointsBatch(std::span<const MapPoint> points) {
        for (const MapPoint& p : points)
            addPoints(p.latitude, p.longitude);
    }
    // The POI page's entry point: back to the empty map.
    virtual void initialize() = 0;
};

// A page that is not there (the command line has none): runs nothing and
// answers 0, as a view without a document does.
class AbsentMapPage : public MapPage {
  public:
    void RunPageScript(std::string_view) override {}
    void CallPageFunction(std::string_view) override {}
    std::optional<double> CallPageFunctionResult(std::string_view) override { return 0.0; }
    std::optional<double> CallPageFunctionResult(std::string_view, std::int16_t) override {
        return 0.0;
    }
    void CallPageFunction(std::string_view, std::int32_t) override {}
    void addPoints(double, double) override {}
    void drawPoints(std::string_view) override {}
    void initialize() override {}
};

// The script that centres a page: "map.setCenter(new GLatLng(lat,lng) ,zoom);"
// with both coordinates in script notation.
std::string CenterPageScript(std::string_view latitudeText, std::string_view zoomText,
                             std::string_view longitudeText, const NumberFormat& numbers);

// Runs CenterPageScript on the page. Every caller passes the zoom "13".
void CenterPage(MapPage& view, std::string_view latitudeText, std::string_view zoomText,
                std::string_view longitudeText, const NumberFormat& numbers = {});

}  // namespace vantrel
