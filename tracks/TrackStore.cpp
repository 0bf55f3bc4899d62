#include "tracks/TrackStore.h"

namespace vantrel {

const Track* TrackStore::Shown() const {
    if (selfTest_) return &*selfTest_;
    return shown_ >= 0 ? &tracks_[static_cast<std::size_t>(shown_)] : nullptr;
}

AssemblyReport TrackStore::AssembleTracks(std::span<const std::uint8_t> memory) {
    DecodedMemory decoded = DecodeTrackMemory(memory, Decoding);
    AssemblyReport report;
    report.decoded = decoded.report.decoded;
    if (!report.decoded) return report;
    report.tracks = static_cast<int>(decoded.tracks.size());
    report.points = PointCount(decoded.tracks);
    report.skippedRecords = decoded.report.skippedRecords;
    report.clockWraps = decoded.report.clockWraps;
    report.heights = decoded.report.heights;
    report.notice = Decoding.geoid.TakeNotice();
    Load(std::move(decoded.tracks), report.heights);
    return report;
}

void TrackStore::Load(Tracks tracks, HeightReference heights) {
    tracks_ = std::move(tracks);
    heights_ = heights;
    shown_ = -1;
    selfTest_.reset();
    Changed();
    ShowTrack(0);
}

void TrackStore::ShowTrack(int index) {
    if (index < 0 || index >= static_cast<int>(tracks_.size())) return;
    shown_ = index;
    selfTest_.reset();
    CurrentTrackColor = tracks_[static_cast<std::size_t>(index)].color;
    Changed();
}

void TrackStore::ShowPoints(Track points) {
    selfTest_ = std::move(points);
    shown_ = -1;
    Changed();
}

TrackFileFormat TrackStore::FileFormat(const CodePage& codePage) const {
    return {values_.LocalZoneOffset, values_.Numbers.Separator(), codePage};
}

TrackResult TrackStore::Save(const std::string& path, const CodePage& codePage) const {
    return SaveTracks(tracks_, path, FileFormat(codePage));
}

TrackResult TrackStore::Open(const std::string& path, const CodePage& codePage) {
    TrackFileRead read = OpenTrackFile(path, FileFormat(codePage));
    if (!read.result.Done()) return read.result;
    // A file does not say which height its rows hold: they are shown as the
    // program writes them, above sea level.
    Load(std::move(read.tracks), HeightReference::MeanSeaLevel);
    return read.result;
}

}  // namespace vantrel
