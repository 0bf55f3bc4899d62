// TfmMain (MainWindow.h), continued: what the map pages show. Draw puts the
// selected tracks on the track page, which then follows the list (its
// ticks, names, colours) and highlights the track shown; the plan page
// highlights the selected row's marker; the POI page shows every POI as the
// list holds it, times at the zone chosen.

#include <QStatusBar>

#include "plans/PlanList.h"
#include "window/MainWindow.h"
#include "window/web/WebMapView.h"

namespace vantrel {

void TfmMain::DrawTrack() {
    const TrackStore& tracks = core_->tracks;
    if (tracks.ShownIndex() < 0 && tracks.Shown() != nullptr) {
        // The self-test's points belong to no listed track: they are drawn alone.
        tracksOnMap_.reset();
        DrawTrackOnMap(*webMap, tracks.Shown(), tracks.CurrentTrackColor);
        return;
    }
    const TrackLegendWords words{tr("Start").toStdString(), tr("End").toStdString()};
    tracksOnMap_ = DrawSelectedTracksOnMap(*webMap, tracks.List(), tracks.ShownIndex(), words);
    mapShownTrack_ = tracks.ShownIndex();
    if (tracksOnMap_->empty() && tracks.CanSave())
        statusBar()->showMessage(
            tr("No track is selected: tick the Select box of each track to draw."),
            kStatusMessageMs);
}

void TfmMain::RenderTrackMap() {
    if (!tracksOnMap_ || !webMap->Ready()) return;
    const TrackStore& tracks = core_->tracks;
    if (*tracksOnMap_ != TracksToDraw(tracks.List())) {
        DrawTrack();
    } else if (mapShownTrack_ != tracks.ShownIndex()) {
        mapShownTrack_ = tracks.ShownIndex();
        HighlightTrackOnMap(*webMap, mapShownTrack_);
    }
}

// The plan page highlights the marker of the row the list has selected,
// again whenever its markers may have been made anew.
void TfmMain::RenderPlanMap() {
    if (!webPlan->Ready()) return;
    PlanList& plans = core_->plans;
    std::string shown = PlanMarkersScript(plans.gridPlan, plans.PlanCount, core_->values.Numbers) +
                        "@" + std::to_string(plans.Row);
    if (shown == planOnMap_) return;
    planOnMap_ = std::move(shown);
    if (plans.SelectedRowIsPoint())
        plans.SelectRow(*webPlan, plans.Row);
    else
        webPlan->CallPageFunction("RestoreMaker");
}

void TfmMain::RenderPoiMap() {
    if (!webPoi->Ready()) return;
    std::string script = core_->pois.PageScript();
    if (script == poisOnMap_) return;
    webPoi->RunPageScript(script);
    poisOnMap_ = std::move(script);
}

void TfmMain::ConnectPageHandlers() {
    // A page loaded again starts empty.
    connect(webMap, &WebMapView::documentComplete, this, [this] {
        tracksOnMap_.reset();
        webMapDocumentComplete();
    });
    connect(webPlan, &WebMapView::documentComplete, this, [this] {
        planOnMap_.clear();
        Render();
    });
    connect(webPoi, &WebMapView::documentComplete, this, [this] {
        poisOnMap_.clear();
        Render();
    });
    connect(webPlan, &WebMapView::bodyClicked, this, &TfmMain::webPlanBodyClicked);
}

}  // namespace vantrel
