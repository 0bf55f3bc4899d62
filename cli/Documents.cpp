#include "cli/Documents.h"

#include "app/AtomicFile.h"
#include "cli/Cli.h"
#include "plans/ListFiles.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {

int ReadFailure(const std::string& path, const std::error_code& error, std::size_t limit,
                std::string_view what) {
    if (error == std::errc::file_too_large) return Fail(TooLargeText(path, limit, what), kBadFile);
    return Fail(path + ": cannot be read: " + error.message(), kBadFile);
}

int OpenFailure(const std::string& path, OpenResult result, const char* kind) {
    switch (result) {
        case OpenResult::Opened:
            return kOk;
        case OpenResult::Empty:
            return Fail(path + ": the file is empty", kBadFile);
        case OpenResult::BadImage:
            return Fail(path + ": not a sound " + std::string(kind) + " image", kBadFile);
        case OpenResult::CannotAccess:
        case OpenResult::Refused:
            return kBadFile;  // already reported
    }
    return kBadFile;
}

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
