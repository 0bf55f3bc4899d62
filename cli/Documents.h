#pragma once
// A file's content held the way its page holds it, for the file commands:
// the shared values, the list or track store, the transfer area and the
// message boxes on stderr. Open() loads a file and says on stderr why it
// could not.

#include <memory>
#include <string>

#include "app/AppValues.h"
#include "app/StderrMessages.h"
#include "app/TransferArea.h"
#include "cli/Cli.h"
#include "cli/Options.h"
#include "map/MapPage.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"
#include "tracks/TrackStore.h"

namespace vantrel::cli {

// Values with the display offset of the options.
AppValues ValuesFor(const CommandOptions& options);

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
