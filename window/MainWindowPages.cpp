// TfmMain (MainWindow.h), continued: what the map pages show. Draw puts the
// selected tracks on the track page, which then follows the list (its
// ticks, names, colours) and highlights the track shown; the plan page
// highlights the selected row's marker; the POI page shows every POI as the
// list holds it, times at the zone chosen.

#include <QStatusBar>

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
    const TrackStore& tracks = core_->tracks;
    if (!tracksOnMap_ || !webMap->Ready() || tracks.Revision() == trackMapRevision_) return;
    trackMapRevision_ = tracks.Revision();
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
    PlanList& plans = core_->plans;
    const ListShown now{plans.gridPlan.Revision(), plans.PlanCount, plans.Row};
    if (!webPlan->Ready() || planOnMap_ == now) return;
    planOnMap_ = now;
    if (plans.SelectedRowIsPoint())
        plans.SelectRow(*webPlan, plans.Row);
    else
        webPlan->CallPageFunction("RestoreMaker");
}

void TfmMain::RenderPoiMap() {
    const PoiList& pois = core_->pois;
    const ListShown now{pois.gridPoi.Revision(), pois.PoiCount, 0};
    if (!webPoi->Ready() || poisOnMap_ == now) return;
    poisOnMap_ = now;
    webPoi->RunPageScript(pois.PageScript());
}

void TfmMain::ConnectPageHandlers() {
    // A page loaded again starts empty.
    connect(webMap, &WebMapView::documentComplete, this, [this] {
        tracksOnMap_.reset();
        trackMapRevision_ = ~std::uint64_t{0};
        webMapDocumentComplete();
    });
    connect(webPlan, &WebMapView::documentComplete, this, [this] {
        planOnMap_.reset();
        Render();
    });
    connect(webPoi, &WebMapView::documentComplete, this, [this] {
        poisOnMap_.reset();
        Render();
    });
    connect(webPlan, &WebMapView::bodyClicked, this, &TfmMain::webPlanBodyClicked);
}

}  // namespace vantrel
