// Conversions of track files for vantrel-cli convert.

#include <cstdio>
#include <memory>

#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/StderrMessages.h"
#include "tracks/KmlExport.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

int ConvertTrackToKml(const std::string& in, const std::string& out, const CommandOptions&) {
    AppValues values;
    auto transfer = std::make_unique<TransferArea>();
    StderrMessages messages;
    TrackStore store(values, *transfer, messages);
    if (OpenTrackFile(store, in) != TrackFileResult::Loaded) return kBadFile;
    if (!KmlExport(store, out)) {
        messages.ShowMessage("Cannot Save File!", "Error");
        return kBadFile;
    }
    std::printf("%d tracks written to %s\n", store.ListedTracks(), out.c_str());
    return kOk;
}

}  // namespace vantrel::cli
