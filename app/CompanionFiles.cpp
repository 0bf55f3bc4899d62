// Companion, continued: the Track, Plan and POI pages' lists as documents.

#include "app/Companion.h"
#include "plans/ListFiles.h"

namespace vantrel {

FileResult Companion::OpenFile(ListKind kind, const std::string& path) {
    switch (kind) {
        case ListKind::Track: return tracks.Open(path);
        case ListKind::Plan: return OpenPlanFile(path, plans, host_.webPlan);
        case ListKind::Poi: return OpenPoiFile(path, pois);
    }
    return {};
}

FileResult Companion::SaveFile(ListKind kind, const std::string& path, FileFormat format) {
    switch (kind) {
        case ListKind::Track: return tracks.Save(path, format);
        case ListKind::Plan: return SavePlanFile(path, format, plans, glyphs_);
        case ListKind::Poi: return SavePoiFile(path, format, pois);
    }
    return {};
}

bool Companion::Modified(ListKind kind) const {
    switch (kind) {
        case ListKind::Track: return tracks.Modified();
        case ListKind::Plan: return plans.Modified();
        case ListKind::Poi: return pois.Modified();
    }
    return false;
}

bool Companion::CanSave(ListKind kind) const {
    switch (kind) {
        case ListKind::Track: return tracks.CanSave();
        case ListKind::Plan: return plans.CanSave();
        case ListKind::Poi: return pois.CanSave();
    }
    return false;
}

bool Companion::UploadIsEmpty(ListKind kind) const {
    return kind == ListKind::Plan ? plans.PlanCount == 0 : pois.PoiCount == 0;
}

void Companion::Sent(ListKind kind) {
    if (kind == ListKind::Plan) plans.SetModified(false);
    if (kind == ListKind::Poi) pois.SetModified(false);
}

}  // namespace vantrel
