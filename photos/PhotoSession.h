#pragma once
// The photos a window works on: the photos added, how their times are read,
// where each one goes on the tracks, and what became of each once written.
// Every change of the tracks, the camera zone, the clock offset or the
// largest gap places every photo again at once; nothing is written until
// the jobs are asked for and carried out (on any thread: a job holds copies).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "photos/Geotag.h"

namespace vantrel {

class PhotoSession {
  public:
    struct Entry {
        std::filesystem::path path;
        std::optional<PhotoFacts> facts;  // none: it could not be read
        Placement placement;
        PhotoReport report;  // what it will be, or what it became once written
        bool done = false;   // written, or writing it failed
    };

    PhotoSession();

    // --- how photos are placed ---
    void SetTracks(Tracks tracks);
    const Tracks& TrackList() const { return tracks_; }
    // An offset, a zone name or empty text (the computer's zone); the
    // reason when the text is none of them, which changes nothing.
    std::string SetCameraZone(std::string_view text);
    void SetOffsetSeconds(std::int64_t seconds);
    // The offset from a photo of a clock that showed `shown` (HH:MM:SS or a
    // whole date and time); the reason when the photo has no time or the
    // text is no time. Sets the offset on success.
    std::string SetOffsetFromClock(std::size_t index, std::string_view shown);
    void SetMaxGap(std::chrono::seconds gap);
    void SetOverwrite(bool overwrite);
    void SetSidecar(SidecarChoice choice);
    const GeotagSettings& Settings() const { return settings_; }

    // --- the photos ---
    // Adds a photo as read; one already added is not added again.
    void Add(const std::filesystem::path& path, PhotoRead read);
    bool Has(const std::filesystem::path& path) const;
    void Clear();
    const std::vector<Entry>& Entries() const { return entries_; }

    // --- writing ---
    struct Job {
        std::size_t index;
        WriteJob write;
    };
    // A job per photo that is to be written and was not yet.
    std::vector<Job> Jobs() const;
    // What writing photo `index` gave.
    void Record(std::size_t index, const PhotoReport& report);

    // "120 photos: 98 placed, 12 outside the tracks, 2 unreadable" and the like.
    std::string Summary() const;
    // Changes with every change of the entries, their placements and results.
    std::uint64_t Revision() const { return revision_; }

  private:
    void Place(Entry& entry) const;
    void PlaceAll();

    Tracks tracks_;
    GeotagSettings settings_;
    TrackMatcher matcher_;  // over tracks_, with settings_'s largest gap
    std::vector<Entry> entries_;
    std::uint64_t revision_ = 0;
};

}  // namespace vantrel
