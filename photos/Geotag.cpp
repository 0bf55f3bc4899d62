#include "photos/Geotag.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 31> kPhotoExtensions = {
    "jpg", "jpeg", "jpe", "jfif", "tif", "tiff", "png", "dng", "heic", "heif", "avif",
    "webp", "jp2", "cr2", "cr3", "crw", "nef", "nrw", "arw", "srw", "sr2", "orf",
    "rw2", "raf", "pef", "mrw", "3fr", "erf", "kdc", "x3f", "psd"};

std::string OutcomeWords(PhotoOutcome outcome, std::size_t n) {
    const bool one = n == 1;
    switch (outcome) {
        case PhotoOutcome::Written: return "written";
        case PhotoOutcome::Sidecar: return one ? "to a sidecar" : "to sidecars";
        case PhotoOutcome::WouldWrite: return "would be written";
        case PhotoOutcome::Kept: return "already placed";
        case PhotoOutcome::Unplaced: return "unplaced";
        case PhotoOutcome::Unreadable: return "unreadable";
        case PhotoOutcome::NotWritten: return "not written";
    }
    return {};
}

PhotoReport Unreadable(const fs::path& photo, const std::string& error) {
    PhotoReport report;
    report.name = photo.string();
    report.outcome = PhotoOutcome::Unreadable;
    report.detail = "cannot read: " + error;
    return report;
}

}  // namespace

Placement PlacePhoto(const PhotoFacts& facts, const PhotoClock& clock, const TrackMatcher& tracks,
                     std::span<const Track> trackList) {
    Placement placement;
    if (!facts.time) {
        placement.reason = "no DateTimeOriginal";
        return placement;
    }
    placement.moment = ResolveMoment(*facts.time, clock);
    placement.match = tracks.Find(placement.moment->utc);
    placement.reason = UnplacedReason(placement.match, trackList, placement.moment->utc);
    return placement;
}

std::string MomentZoneText(const PhotoMoment& moment, const PhotoClock& clock) {
    const std::string offset = IsoOffsetText(moment.offset);
    switch (moment.source) {
        case ZoneSource::Photo: return offset + " photo";
        case ZoneSource::Camera:  // a zone name, or "camera" for a fixed offset
            return offset + " " +
                   (clock.cameraZone->Name() == offset ? "camera" : clock.cameraZone->Name());
        case ZoneSource::Computer: return offset + " computer";
    }
    return offset;
}

std::optional<WriteJob> Prepare(const PhotoFacts& facts, const Placement& placement,
                                const GeotagSettings& settings, PhotoReport& report) {
    report.name = facts.path.string();
    if (facts.time) report.cameraTime = CameraTimeText(*facts.time);
    if (placement.moment) {
        report.zone = MomentZoneText(*placement.moment, settings.clock);
        report.utcTime = UtcText(placement.moment->utc);
    }
    if (!placement.Placed()) {
        report.outcome = PhotoOutcome::Unplaced;
        report.detail = placement.reason;
        return std::nullopt;
    }
    report.position = placement.match.position;
    const WritePlan plan = PlanWrite(facts, settings.overwrite, settings.sidecar);
    switch (plan.kind) {
        case WritePlan::Kind::Keep:
            report.outcome = PhotoOutcome::Kept;
            report.detail = plan.reason;
            return std::nullopt;
        case WritePlan::Kind::Refuse:
            report.outcome = PhotoOutcome::NotWritten;
            report.detail = plan.reason;
            return std::nullopt;
        case WritePlan::Kind::InPlace:
            report.detail = "would write the file";
            break;
        case WritePlan::Kind::Sidecar:
            report.detail = "would write " + SidecarPath(facts.path).filename().string() + " (" +
                            plan.reason + ")";
            break;
    }
    report.outcome = PhotoOutcome::WouldWrite;
    return WriteJob{facts, plan, placement.match.position, placement.moment->utc};
}

void CarryOut(const WriteJob& job, PhotoReport& report) {
    const WriteResult written = WritePosition(job.facts, job.plan.kind, job.at, job.utc);
    const bool sidecar = job.plan.kind == WritePlan::Kind::Sidecar;
    if (!written.ok) {
        report.outcome = PhotoOutcome::NotWritten;
        report.detail = written.error;
        return;
    }
    report.outcome = sidecar ? PhotoOutcome::Sidecar : PhotoOutcome::Written;
    report.detail = sidecar ? "sidecar " + SidecarPath(job.facts.path).filename().string() + " (" +
                                  job.plan.reason + ")"
                            : "written";
}

PhotoReport GeotagPhoto(const PhotoFacts& facts, const GeotagSettings& settings,
                        const TrackMatcher& tracks, std::span<const Track> trackList) {
    PhotoReport report;
    const auto job =
        Prepare(facts, PlacePhoto(facts, settings.clock, tracks, trackList), settings, report);
    if (job && !settings.dryRun) CarryOut(*job, report);
    return report;
}

PhotoReport GeotagFile(const fs::path& photo, const GeotagSettings& settings,
                       const TrackMatcher& tracks, std::span<const Track> trackList) {
    const PhotoRead read = ReadPhoto(photo);
    if (!read.facts) return Unreadable(photo, read.error);
    return GeotagPhoto(*read.facts, settings, tracks, trackList);
}

bool LooksLikePhoto(const fs::path& file) {
    const std::string name = file.filename().string();
    if (name.empty() || name.front() == '.') return false;
    std::string ext = file.extension().string();
    if (ext.size() < 2) return false;
    ext.erase(0, 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::find(kPhotoExtensions.begin(), kPhotoExtensions.end(), ext) !=
           kPhotoExtensions.end();
}

namespace {

bool VisitFolder(const fs::path& folder, const PhotoVisit& visit, int depth) {
    std::error_code error;
    std::vector<fs::path> files, folders;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (path.filename().string().starts_with(".")) continue;
        std::error_code kind;
        if (it->is_directory(kind))
            folders.push_back(path);
        else if (LooksLikePhoto(path))
            files.push_back(path);
    }
    if (error) return visit(folder, "cannot read the folder: " + error.message());
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const fs::path& file : files)
        if (!visit(file, {})) return false;
    // Links may make a tree endless; 32 levels are deeper than photos go.
    if (depth < 32)
        for (const fs::path& sub : folders)
            if (!VisitFolder(sub, visit, depth + 1)) return false;
    return true;
}

}  // namespace

bool VisitPhotos(std::span<const fs::path> given, const PhotoVisit& visit) {
    for (const fs::path& path : given) {
        std::error_code error;
        const bool go = fs::is_directory(path, error) ? VisitFolder(path, visit, 0) : visit(path, {});
        if (!go) return false;
    }
    return true;
}

std::size_t GeotagTally::Total() const {
    std::size_t total = 0;
    for (std::size_t n : counts) total += n;
    return total;
}

std::string GeotagTally::Text() const {
    std::string text = std::to_string(Total()) + (Total() == 1 ? " photo" : " photos");
    const char* separator = ": ";
    for (int i = 0; i < 7; ++i) {
        const auto outcome = static_cast<PhotoOutcome>(i);
        if (Of(outcome) == 0) continue;
        text += separator + std::to_string(Of(outcome)) + " " + OutcomeWords(outcome, Of(outcome));
        separator = ", ";
    }
    return text;
}

}  // namespace vantrel
