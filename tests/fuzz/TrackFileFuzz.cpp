// The track file reader over arbitrary bytes: a file of any length, with or
// without line breaks, names or NULs, must load without reading past a
// buffer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "support/SilentMessages.h"
#include "tracks/TrackFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vantrel::CodePage codePage("CP1252");
    static auto transfer = std::make_unique<vantrel::TransferArea>();
    // One store for all runs, as one window opens file after file.
    static vantrel::AppValues values;
    static vantrel::testing::SilentMessages messages;
    static vantrel::TrackStore store(values, *transfer, messages);
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vantrel::LoadTrackFileBytes(store, bytes, codePage);
    // The loaded table drives the list operations: they must stay in bounds too.
    store.SelectListRow(2);
    store.DeleteTrack(1);
    store.ShowTrack(63);
    return 0;
}
