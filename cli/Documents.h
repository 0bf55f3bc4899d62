#pragma once
// A file's content held the way its page holds it, for the file commands:
// the shared values, the list or track store, the transfer area and the
// core's messages. Open() reads a file (or standard input) and Save()
// writes one; both say on stderr, naming the file, why they could not.

#include <memory>
#include <string>
#include <string_view>

#include "base/AppValues.h"
#include "base/TransferArea.h"
#include "base/UserMessages.h"
#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/Streams.h"
#include "map/MapPage.h"
#include "plans/ListFiles.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"
#include "tracks/Track.h"

namespace vantrel::cli {

// The core's messages as the command line words them: "vantrel-cli: TEXT"
// on stderr, without the window's caption.
class CliMessages : public UserMessages {
  public:
    void ShowMessage(std::string_view text, std::string_view caption) override;
};

// Values with the display offset of the options.
AppValues ValuesFor(const CommandOptions& options);

struct PlanDocument {
    explicit PlanDocument(const CommandOptions& options) : values(ValuesFor(options)) {}
    int Open(const FileArg& in);   // kOk or kBadFile
    int Save(const FileArg& out);  // the list as a plan image: kOk or kBadFile

    AppValues values;
    PlanList list{values};
    std::unique_ptr<TransferArea> area = std::make_unique<TransferArea>();
    AbsentMapPage page;
    CliMessages messages;
};

struct PoiDocument {
    explicit PoiDocument(const CommandOptions& options) : values(ValuesFor(options)) {}
    int Open(const FileArg& in);   // kOk or kBadFile
    int Save(const FileArg& out);  // the list as a POI image: kOk or kBadFile
    // The exit code of a conversion that wrote OUT with `code`: kIncomplete,
    // after saying so, when Open left records out.
    int Written(int code, const FileArg& out) const;

    AppValues values;
    PoiList list{values};
    std::unique_ptr<TransferArea> area = std::make_unique<TransferArea>();
    CliMessages messages;
    bool dropped = false;  // the file opened held records the list left out
};

// A track file's tracks, its times read at --zone.
struct TrackDocument {
    // kOk; kIncomplete when the file is damaged and was read up to the
    // damage (what was left out is told); kBadFile after telling why.
    int Open(const FileArg& in, const CommandOptions& options);

    Tracks tracks;
};

// Places an image file's bytes in the area; false after telling why when
// they are none or more than the area holds.
bool LoadImage(const FileArg& in, TransferArea& area);

// A plan or POI image file decoded into the list (POIs the list cannot
// hold are told as left out): kOk, or kBadFile after telling why.
int OpenPlanImage(const FileArg& in, PlanList& list, TransferArea& area, MapPage& page);
int OpenPoiImage(const FileArg& in, PoiList& list, TransferArea& area);

// A list read from a file of at most `limit` bytes by `read`, which gives
// the reason it refused the text: kOk, or kBadFile after telling why.
template <class List>
int ReadListFile(const FileArg& in, List& list, std::size_t limit, const char* what,
                 std::string (*read)(std::string_view text, List& list)) {
    auto text = ReadInput(in, limit, what);
    if (!text) return kBadFile;
    if (std::string refused = read(*text, list); !refused.empty()) return CannotRead(in, refused);
    return kOk;
}

// Writes the area's image after building it gave `built`: a refused image
// is told with its reason and nothing is written.
int SaveImage(const FileArg& out, const std::string& refused, const TransferArea& area);

}  // namespace vantrel::cli
