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
    // Each track of a download is drawn in a colour of its own.
    for (std::size_t k = 0; k < decoded.tracks.size(); ++k)
        decoded.tracks[k].color = NewTrackColour(k);
    Load(std::move(decoded.tracks), report.heights);
    return report;
}

void TrackStore::Load(Tracks tracks, HeightReference heights) {
    tracks_ = std::move(tracks);
    history_.Clear();
    modified_ = false;
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

Tracks TrackStore::Selected() const {
    Tracks selected;
    for (const Track& track : tracks_)
        if (track.selected) selected.push_back(track);
    return selected;
}

FileResult TrackStore::Save(const std::string& path, vantrel::FileFormat format,
                            const CodePage& codePage) {
    const Tracks selected = Selected();
    if (selected.empty())
        return SaveRefusal(path, "no track is selected (tick the Select box of each track "
                                 "to save)");
    FileResult saved = SaveTracks(selected, path, format, FileFormat(codePage));
    if (!saved.Refused()) modified_ = false;
    return saved;
}

FileResult TrackStore::Save(const std::string& path, const CodePage& codePage) {
    return Save(path, FormatOfPath(path, kTrackSaveFormats).value_or(vantrel::FileFormat::Trk),
                codePage);
}

FileResult TrackStore::Open(const std::string& path, const CodePage& codePage) {
    TrackFileRead read = OpenTracks(path, FileFormat(codePage));
    if (read.result.outcome == FileResult::Outcome::Partial)
        return OpenRefusal(path, "it is damaged at " + read.result.reason);
    if (!read.result.Done()) return read.result;
    // A file does not say which height its rows hold: they are shown as the
    // program writes them, above sea level.
    Load(std::move(read.tracks), HeightReference::MeanSeaLevel);
    return read.result;
}

}  // namespace vantrel
