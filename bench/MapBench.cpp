// Drawing a 10,000-point track on the track page of a real web view
// (offscreen), per point, against baselines measured in the same run: the
// core's own work with no page behind it, one empty round trip to the page,
// and the same track sent with one script per point.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "map/PageFiles.h"
#include "map/TrackDrawing.h"
#include "support/LineTrack.h"
#include "window/web/WebMapView.h"

namespace vantrel {
namespace {

constexpr int kPoints = 10000;
constexpr int kDrawn = kPoints;

// The track page through MapPage without the batch: one script per point.
class OneScriptPerPoint : public AbsentMapPage {
  public:
    explicit OneScriptPerPoint(WebMapView& view) : view_(view) {}
    void RunPageScript(std::string_view text) override { view_.RunPageScript(text); }
    void addPoints(double lat, double lng) override { view_.addPoints(lat, lng); }
    void drawPoints(std::string_view colour) override { view_.drawPoints(colour); }

  private:
    WebMapView& view_;
};

void PerPoint(benchmark::State& state) {
    state.counters["per_point"] = benchmark::Counter(
        kDrawn, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Waits until the page has run every script sent so far.
void Settle(WebMapView& view) {
    view.EvaluateNumber(QStringLiteral("0"));
}

// Draws and waits for the page to have drawn; the line is taken away again
// outside the timing so that every round starts from an empty map.
void DrawOnPage(benchmark::State& state, MapPage& page, WebMapView& view, const Track& track) {
    for (auto _ : state) {
        DrawTrackOnMap(page, &track, 0x0000FF);
        Settle(view);
        state.PauseTiming();
        view.CallPageFunction("clearTracks");
        Settle(view);
        state.ResumeTiming();
    }
    PerPoint(state);
}

void CoreOnly(benchmark::State& state, const Track& track) {
    AbsentMapPage page;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawTrackOnMap(page, &track, 0x0000FF));
    PerPoint(state);
}

void RoundTrip(benchmark::State& state, WebMapView& view) {
    for (auto _ : state)
        Settle(view);
}

bool LoadTrackPage(WebMapView& view) {
    QEventLoop loop;
    QObject::connect(&view, &WebMapView::documentComplete, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!view.LoadPageFile(MapPagesFolder() / kTrackPageFile)) return false;
    loop.exec();
    return view.Ready();
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    using namespace vantrel;
    WebMapView view;
    view.resize(800, 600);
    view.show();
    if (!LoadTrackPage(view)) {
        std::fprintf(stderr, "map_bench: the track page did not load\n");
        return 1;
    }
    const Track track = testing::LineTrack(kPoints, 22.5, 114.1, 1e-5);
    OneScriptPerPoint unbatched(view);
    benchmark::RegisterBenchmark("DrawTrack/CoreOnly", CoreOnly, track)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Page/EmptyRoundTrip", RoundTrip, std::ref(view))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("DrawTrack/WebMapView", DrawOnPage, std::ref(view), std::ref(view),
                                 track)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("DrawTrack/OneScriptPerPoint", DrawOnPage, std::ref(unbatched),
                                 std::ref(view), track)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
