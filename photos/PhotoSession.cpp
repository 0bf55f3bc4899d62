#include "photos/PhotoSession.h"

#include <algorithm>

namespace vantrel {

PhotoSession::PhotoSession() : matcher_({}, settings_.maxGap) {}

void PhotoSession::SetTracks(Tracks tracks) {
    tracks_ = std::move(tracks);
    PlaceAll();
}

std::string PhotoSession::SetCameraZone(std::string_view text) {
    if (text.find_first_not_of(" ") == std::string_view::npos) {
        settings_.clock.cameraZone.reset();
    } else {
        std::string error;
        auto zone = ParseCameraZone(text, error);
        if (!zone) return error;
        settings_.clock.cameraZone = std::move(zone);
    }
    PlaceAll();
    return {};
}

void PhotoSession::SetOffsetSeconds(std::int64_t seconds) {
    settings_.clock.offsetSeconds = seconds;
    PlaceAll();
}

std::string PhotoSession::SetOffsetFromClock(std::size_t index, std::string_view shown) {
    if (index >= entries_.size() || !entries_[index].facts || !entries_[index].facts->time)
        return "the photo of the clock has no time of its own";
    const CameraTime& taken = *entries_[index].facts->time;
    auto reading = ParseClockReading(shown, taken.wall);
    if (!reading)
        return "'" + std::string(shown) + "' is no time: type it as HH:MM:SS or YYYY-MM-DD HH:MM:SS";
    SetOffsetSeconds(ClockOffsetSeconds(taken, *reading));
    return {};
}

void PhotoSession::SetMaxGap(std::chrono::seconds gap) {
    settings_.maxGap = gap;
    PlaceAll();
}

void PhotoSession::SetOverwrite(bool overwrite) {
    settings_.overwrite = overwrite;
    PlaceAll();
}

void PhotoSession::SetSidecar(SidecarChoice choice) {
    settings_.sidecar = choice;
    PlaceAll();
}

void PhotoSession::Add(const std::filesystem::path& path, PhotoRead read) {
    if (Has(path)) return;
    Entry entry{path, std::move(read.facts)};
    if (!entry.facts) {
        entry.report.name = path.string();
        entry.report.outcome = PhotoOutcome::Unreadable;
        entry.report.detail = "cannot read: " + read.error;
    }
    Place(entry);
    entries_.push_back(std::move(entry));
    ++revision_;
}

bool PhotoSession::Has(const std::filesystem::path& path) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.path == path; });
}

void PhotoSession::Clear() {
    entries_.clear();
    ++revision_;
}

std::vector<PhotoSession::Job> PhotoSession::Jobs() const {
    std::vector<Job> jobs;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (!entry.facts || entry.done) continue;
        PhotoReport report;
        if (auto job = Prepare(*entry.facts, entry.placement, settings_, report))
            jobs.push_back({i, std::move(*job)});
    }
    return jobs;
}

void PhotoSession::Record(std::size_t index, const PhotoReport& report) {
    if (index >= entries_.size()) return;
    entries_[index].report = report;
    entries_[index].done = true;
    ++revision_;
}

std::string PhotoSession::Summary() const {
    GeotagTally tally;
    for (const Entry& entry : entries_) tally.Add(entry.report.outcome);
    return tally.Text();
}

void PhotoSession::Place(Entry& entry) const {
    if (!entry.facts || entry.done) return;
    entry.placement = PlacePhoto(*entry.facts, settings_.clock, matcher_, tracks_);
    entry.report = {};
    Prepare(*entry.facts, entry.placement, settings_, entry.report);
}

void PhotoSession::PlaceAll() {
    matcher_ = TrackMatcher(tracks_, settings_.maxGap);
    for (Entry& entry : entries_) Place(entry);
    ++revision_;
}

}  // namespace vantrel
