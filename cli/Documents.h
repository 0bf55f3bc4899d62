#pragma once
// A file's content held the way its page holds it, for the file commands:
// the shared values, the list or track store, the transfer area and the
// message boxes on stderr. Open() loads a file and says on stderr why it
// could not.

#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "app/AppValues.h"
#include "app/StderrMessages.h"
#include "app/TransferArea.h"
#include "cli/Cli.h"
#include "cli/Options.h"
#include "map/MapPage.h"
#include "plans/ListFiles.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"
#include "tracks/TrackStore.h"

namespace vantrel::cli {

// Values with the display offset of the options.
AppValues ValuesFor(const CommandOptions& options);

// Says on stderr why `path` could not be read (too large for `limit`, which
// `what` names, or the system's reason) and returns kBadFile.
int ReadFailure(const std::string& path, const std::error_code& error, std::size_t limit,
                std::string_view what);

// kOk for an opened plan or POI file; otherwise says why on stderr (unless
// the opening did already) and returns kBadFile. `kind` is "plan" or "POI".
int OpenFailure(const std::string& path, OpenResult result, const char* kind);

struct PlanDocument {
    explicit PlanDocument(const CommandOptions& options) : values(ValuesFor(options)) {}
    int Open(const std::string& path);  // kOk or kBadFile

    AppValues values;
    PlanList list{values};
    std::unique_ptr<TransferArea> area = std::make_unique<TransferArea>();
    AbsentMapPage page;
    StderrMessages messages{kProgramName};
};

struct PoiDocument {
    explicit PoiDocument(const CommandOptions& options) : values(ValuesFor(options)) {}
    int Open(const std::string& path);  // kOk or kBadFile

    AppValues values;
    PoiList list{values};
    std::unique_ptr<TransferArea> area = std::make_unique<TransferArea>();
    StderrMessages messages{kProgramName};
};

struct TrackDocument {
    explicit TrackDocument(const CommandOptions& options) : values(ValuesFor(options)) {}
    int Open(const std::string& path);  // kOk or kBadFile

    AppValues values;
    std::unique_ptr<TransferArea> area = std::make_unique<TransferArea>();
    StderrMessages messages{kProgramName};
    TrackStore store{values, *area, messages};
};

}  // namespace vantrel::cli
