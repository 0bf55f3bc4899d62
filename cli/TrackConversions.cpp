// Conversions of track files for vantrel-cli convert.

#include <cstdio>

#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "tracks/KmlExport.h"

namespace vantrel::cli {

int ConvertTrackToKml(const std::string& in, const std::string& out,
                      const CommandOptions& options) {
    TrackDocument tracks(options);
    if (int failed = tracks.Open(in)) return failed;
    if (!KmlExport(tracks.store, out)) {
        tracks.messages.ShowMessage("Cannot Save File!", "Error");
        return kBadFile;
    }
    std::printf("%d tracks written to %s\n", tracks.store.ListedTracks(), out.c_str());
    return kOk;
}

}  // namespace vantrel::cli
