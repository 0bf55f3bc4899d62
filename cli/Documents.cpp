#include "cli/Documents.h"

#include "cli/Cli.h"
#include "plans/ListFiles.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

namespace {

int OpenFailure(const std::string& path, OpenResult result, const char* kind) {
    switch (result) {
        case OpenResult::Opened:
            return kOk;
        case OpenResult::Empty:
            return Fail(path + ": the file is empty", kBadFile);
        case OpenResult::BadImage:
            return Fail(path + ": not a sound " + kind + " image", kBadFile);
        case OpenResult::CannotAccess:
            return kBadFile;  // already reported
    }
    return kBadFile;
}

}  // namespace

AppValues ValuesFor(const CommandOptions& options) {
    AppValues values;
    values.LocalZoneOffset = options.zone;
    return values;
}

int PlanDocument::Open(const std::string& path) {
    return OpenFailure(path, OpenPlanFile(path, list, *area, page, messages), "plan");
}

int PoiDocument::Open(const std::string& path) {
    return OpenFailure(path, OpenPoiFile(path, list, *area, messages), "POI");
}

int TrackDocument::Open(const std::string& path) {
    // The track file reader shows its own messages.
    return OpenTrackFile(store, path) == TrackFileResult::Loaded ? kOk : kBadFile;
}

}  // namespace vantrel::cli
