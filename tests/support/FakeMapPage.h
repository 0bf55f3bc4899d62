#pragma once
// A MapPage that records every script and call in order and answers the
// plan page's queries from a list of markers the test sets up, the way the
// real page would after the user placed, moved or removed markers.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "map/MapPage.h"

namespace vantrel::testing {

class FakeMapPage : public MapPage {
  public:
    struct Marker {
        double latitude;
        double longitude;
    };

    // What the page answers.
    std::vector<Marker> markers;
    int currentIndex = 0;
    // How many numeric questions the page answers before it stops answering
    // in time; -1 answers them all.
    int answersBeforeSilence = -1;

    // What the page was asked, one line per request: "script: TEXT",
    // "call: NAME", "call: NAME(N)", "addPoints(LAT,LNG)", "drawPoints(TEXT)",
    // "initialize".
    std::vector<std::string> log;
    std::vector<std::string> scripts;
    int batches = 0;  // addPointsBatch calls

    void RunPageScript(std::string_view scriptText) override {
        scripts.emplace_back(scriptText);
        log.push_back("script: " + std::string(scriptText));
    }
    void CallPageFunction(std::string_view name) override {
        log.push_back("call: " + std::string(name));
        if (name == "clearMarkers") markers.clear();
    }
    std::optional<double> CallPageFunctionResult(std::string_view name) override {
        log.push_back("call: " + std::string(name));
        if (Silent()) return std::nullopt;
        if (name == "getMarkersNumber") return static_cast<double>(markers.size());
        if (name == "getCurrentIndex") return currentIndex;
        return 0;
    }
    std::optional<double> CallPageFunctionResult(std::string_view name,
                                                 std::int16_t marker) override {
        log.push_back("call: " + std::string(name) + "(" + std::to_string(marker) + ")");
        if (Silent()) return std::nullopt;
        if (marker < 0 || static_cast<std::size_t>(marker) >= markers.size()) return 0;
        const Marker& m = markers[static_cast<std::size_t>(marker)];
        if (name == "getMarkersLat") return m.latitude;
        if (name == "getMarkersLng") return m.longitude;
        return 0;
    }
    void CallPageFunction(std::string_view name, std::int32_t marker) override {
        log.push_back("call: " + std::string(name) + "(" + std::to_string(marker) + ")");
    }
    void addPoints(double latitude, double longitude) override {
        log.push_back("addPoints(" + std::to_string(latitude) + "," + std::to_string(longitude) +
                      ")");
    }
    void drawPoints(std::string_view colourText) override {
        log.push_back("drawPoints(" + std::string(colourText) + ")");
    }
    // One addPoints line per point, as the page would see them.
    void addPointsBatch(std::span<const MapPoint> points) override {
        ++batches;
        MapPage::addPointsBatch(points);
    }
    void initialize() override { log.push_back("initialize"); }

    // True once the page has stopped answering.
    bool Silent() {
        if (answersBeforeSilence < 0) return false;
        if (answersBeforeSilence == 0) return true;
        --answersBeforeSilence;
        return false;
    }

    // The names of the calls made, without scripts, in order.
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        for (const auto& line : log)
            if (!line.starts_with("script: ")) calls.push_back(line);
        return calls;
    }
};

}  // namespace vantrel::testing
