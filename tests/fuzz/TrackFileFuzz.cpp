// The track file reader over arbitrary bytes: a file of any length, with or
// without line breaks, names or NULs, must load without reading past a
// buffer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "tracks/TrackFile.h"

namespace {

class SilentMessages : public vantrel::UserMessages {
  public:
    void ShowMessage(std::string_view, std::string_view) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vantrel::CodePage codePage("CP1252");
    static auto transfer = std::make_unique<vantrel::TransferArea>();
    // One store for all runs, as one window opens file after file.
    static vantrel::AppValues values;
    static SilentMessages messages;
    static vantrel::TrackStore store(values, *transfer, messages);
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vantrel::LoadTrackFileBytes(store, bytes, codePage);
    // The loaded table drives the list operations: they must stay in bounds too.
    store.gridTrackNameClick(2);
    store.DeleteTrack(1);
    store.ShowTrack(63);
    return 0;
}
