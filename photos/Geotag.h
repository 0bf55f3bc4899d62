#pragma once
// One photo's way from its file to its position: its metadata read, its
// moment made UTC, the tracks' position at that moment found, and the
// position written (or the reason it was not). The command line runs it
// photo by photo; the window runs the same steps, placing every photo
// first and writing when asked.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "photos/PhotoFile.h"
#include "photos/PhotoTime.h"
#include "photos/PhotoWriter.h"
#include "photos/TrackMatch.h"

namespace vantrel {

struct GeotagSettings {
    PhotoClock clock;
    std::chrono::seconds maxGap = kDefaultMaxGap;
    bool overwrite = false;
    SidecarChoice sidecar = SidecarChoice::Auto;
    bool dryRun = false;
};

// Where a photo goes, before anything is written.
struct Placement {
    std::optional<PhotoMoment> moment;  // none: the photo has no time
    TrackMatch match;
    std::string reason;  // why it has no position
    bool Placed() const { return moment && match.Placed(); }
};
Placement PlacePhoto(const PhotoFacts& facts, const PhotoClock& clock, const TrackMatcher& tracks,
                     std::span<const Track> trackList);

// What became of one photo.
enum class PhotoOutcome {
    Written,     // into the file
    Sidecar,     // into its sidecar
    WouldWrite,  // a dry run: it would be written (the detail says where)
    Kept,        // it already had a position
    Unplaced,    // no time, or no position at its time
    Unreadable,  // its metadata could not be read
    NotWritten,  // writing failed or was not wanted; the photo is as it was
};

struct PhotoReport {
    std::string name;
    std::string cameraTime;  // empty when unreadable or without time
    std::string zone;        // "+02:00 photo", "+01:00 Europe/Berlin", "+00:00 computer"
    std::string utcTime;
    std::optional<GeoPosition> position;
    PhotoOutcome outcome = PhotoOutcome::Unreadable;
    std::string detail;  // the reason, or where it was written
};

// "+02:00 photo" and the like: the offset the camera's reading was taken at
// and where it came from.
std::string MomentZoneText(const PhotoMoment& moment, const PhotoClock& clock);

// The writing a placed photo needs.
struct WriteJob {
    PhotoFacts facts;
    WritePlan plan;  // InPlace or Sidecar
    GeoPosition at;
    Millis utc;
};

// The report of a photo before anything is written: its times, and its
// position or the reason it has none. A photo that is to be written gives
// the job (the report's outcome is then WouldWrite); one that is not says
// why in the report (Unplaced, Kept or NotWritten).
std::optional<WriteJob> Prepare(const PhotoFacts& facts, const Placement& placement,
                                const GeotagSettings& settings, PhotoReport& report);
// Writes a job and puts its outcome into the report.
void CarryOut(const WriteJob& job, PhotoReport& report);

// Places and (unless a dry run) writes one photo that was read.
PhotoReport GeotagPhoto(const PhotoFacts& facts, const GeotagSettings& settings,
                        const TrackMatcher& tracks, std::span<const Track> trackList);
// The same from the file.
PhotoReport GeotagFile(const std::filesystem::path& photo, const GeotagSettings& settings,
                       const TrackMatcher& tracks, std::span<const Track> trackList);

// The photos a command line or a drop names: files as given; folders
// searched through their subfolders for files that look like photos by
// their extension (sidecars and hidden files left out), in name order.
// `visit` is called per photo so that a folder of any size is never held
// whole, and returns false to stop; a folder that cannot be read is passed
// on as a path with its error.
using PhotoVisit = std::function<bool(const std::filesystem::path& photo, const std::string& error)>;
// False when `visit` stopped it.
bool VisitPhotos(std::span<const std::filesystem::path> given, const PhotoVisit& visit);
// Whether a file name looks like a photo's (jpg, tif, dng, cr3, heic ...).
bool LooksLikePhoto(const std::filesystem::path& file);

// The count of each outcome, and the command line's verdict of a batch.
struct GeotagTally {
    std::size_t counts[7] = {};
    void Add(PhotoOutcome outcome) { ++counts[static_cast<int>(outcome)]; }
    std::size_t Of(PhotoOutcome outcome) const { return counts[static_cast<int>(outcome)]; }
    std::size_t Total() const;
    // "12 photos: 9 written (2 to sidecars), 1 already placed, 1 unplaced, 1 unreadable".
    std::string Text() const;
};

}  // namespace vantrel
