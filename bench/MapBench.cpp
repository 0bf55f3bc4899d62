// Drawing a track on the track page of a real web view (offscreen), per
// point, against baselines measured in the same run: the core's own work
// with no page behind it, one empty round trip to the page, and the same
// track sent with one script per point. Tracks of 10,000 points and of a
// whole memory (104,448 fixes, the largest track a full memory can hold);
// "UntilDrawn" goes on until the page has drawn everything its view shows
// (the world layer's tiles, and the picture tiles loaded or failed).
//
// --pages=DIR draws on the pages of another folder; --before=DIR draws on
// those pages too, beside the first, in the same process (another version
// of the program's pages, for a before and after in one run). The tiles
// come from a port of this machine where nothing listens, as offline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineProfile>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "map/PageFiles.h"
#include "map/TrackDrawing.h"
#include "support/LineTrack.h"
#include "window/web/TileScheme.h"
#include "window/web/WebMapView.h"

namespace vantrel {
namespace {

constexpr int kPoints = 10000;
constexpr int kFullMemoryPoints = 512 * 204;
// The pause between rounds, outside the timing.
constexpr int kRestMs = 100;

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

void PerPoint(benchmark::State& state, const Track& track) {
    state.counters["per_point"] = benchmark::Counter(
        static_cast<double>(track.points.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Waits until the page has run every script sent so far.
void Settle(WebMapView& view) {
    view.EvaluateNumber(QStringLiteral("0"));
}

// Lets the window's loop run for `ms`.
void Pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until the page has drawn all its view shows.
void Drawn(WebMapView& view) {
    while (!view.Settled())
        Pause(2);
}

// Draws and waits for the page to have run the drawing (`untilDrawn`: and
// to have drawn all it shows); the line is taken away again and the view
// moved back outside the timing, so that every round starts from the
// world's view without a track.
void DrawOnPage(benchmark::State& state, MapPage& page, WebMapView& view, const Track& track,
                bool untilDrawn) {
    for (auto _ : state) {
        DrawTrackOnMap(page, &track, 0x0000FF);
        Settle(view);
        if (untilDrawn) Drawn(view);
        state.PauseTiming();
        view.CallPageFunction("clearTracks");
        view.RunPageScript("map.setCenter(new GLatLng(0, 0), 2);");
        Drawn(view);
        Pause(kRestMs);  // what was drawn reaches the screen before the next round
        state.ResumeTiming();
    }
    PerPoint(state, track);
}

void CoreOnly(benchmark::State& state, const Track& track) {
    AbsentMapPage page;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawTrackOnMap(page, &track, 0x0000FF));
    PerPoint(state, track);
}

void RoundTrip(benchmark::State& state, WebMapView& view) {
    for (auto _ : state)
        Settle(view);
}

bool LoadTrackPage(WebMapView& view, const std::filesystem::path& pages) {
    QEventLoop loop;
    QObject::connect(&view, &WebMapView::documentComplete, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!view.LoadPageFile(pages / kTrackPageFile)) return false;
    loop.exec();
    if (view.Ready()) Drawn(view);
    return view.Ready();
}

// The value of --NAME=VALUE, taken out of the arguments; `absent` when
// it is not there.
std::string TakeOption(int& argc, char** argv, std::string_view name, std::string absent) {
    const std::string prefix = "--" + std::string(name) + "=";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with(prefix))
            absent = std::string(arg.substr(prefix.size()));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return absent;
}

// One track page to draw on, shown and loaded from `pages`.
struct Page {
    std::string label;
    std::unique_ptr<WebMapView> view;
};

std::unique_ptr<WebMapView> ShowTrackPage(const std::filesystem::path& pages,
                                          const BaseLayer& layer) {
    auto view = std::make_unique<WebMapView>();
    view->resize(800, 600);
    view->SetBaseLayer(layer);
    view->show();
    if (LoadTrackPage(*view, pages)) return view;
    std::fprintf(stderr, "map_bench: the track page did not load from %s\n", pages.c_str());
    return nullptr;
}

void RegisterDrawing(const std::string& label, WebMapView& view, const Track& track,
                     const Track& full) {
    for (const auto& [name, points] : {std::pair{"10000", &track}, std::pair{"FullMemory", &full}})
        for (const bool untilDrawn : {false, true})
            benchmark::RegisterBenchmark(
                ("DrawTrack/WebMapView" + label + "/" + name + (untilDrawn ? "/UntilDrawn" : ""))
                    .c_str(),
                DrawOnPage, std::ref(view), std::ref(view), std::cref(*points), untilDrawn)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
}

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 0);
    using namespace vantrel;
    const std::filesystem::path pages = TakeOption(argc, argv, "pages", MapPagesFolder());
    const std::string before = TakeOption(argc, argv, "before", "");
    RegisterTileScheme();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);

    QTemporaryDir cache;
    TileSchemeOptions tiles;
    tiles.source.urlTemplate = "http://127.0.0.1:1/{z}/{x}/{y}.png";
    tiles.cacheFile = cache.filePath(QStringLiteral("tiles.mbtiles")).toStdString();
    TileSchemeHandler scheme(tiles, QWebEngineProfile::defaultProfile());
    std::unique_ptr<WebMapView> view = ShowTrackPage(pages, scheme.CurrentLayer());
    std::unique_ptr<WebMapView> earlier;
    if (!view || (!before.empty() && !(earlier = ShowTrackPage(before, scheme.CurrentLayer()))))
        return 1;
    const Track track = testing::LineTrack(kPoints, 22.5, 114.1, 1e-5);
    const Track full = testing::LineTrack(kFullMemoryPoints, 22.5, 114.1, 1e-5);
    OneScriptPerPoint unbatched(*view);
    for (const auto& [name, points] : {std::pair{"10000", &track}, std::pair{"FullMemory", &full}})
        benchmark::RegisterBenchmark((std::string("DrawTrack/CoreOnly/") + name).c_str(), CoreOnly,
                                     std::cref(*points))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::RegisterBenchmark("Page/EmptyRoundTrip", RoundTrip, std::ref(*view))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    RegisterDrawing("", *view, track, full);
    if (earlier) RegisterDrawing("/Before", *earlier, track, full);
    benchmark::RegisterBenchmark("DrawTrack/OneScriptPerPoint/10000", DrawOnPage,
                                 std::ref(unbatched), std::ref(*view), std::cref(track), false)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
