// AssembleTracks over arbitrary bytes as a downloaded track memory.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "support/SilentMessages.h"
#include "tracks/TrackStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto transfer = std::make_unique<vantrel::TransferArea>();
    size = std::min(size, vantrel::TransferArea::kSize);
    std::copy(data, data + size, transfer->bytes.begin());
    // Stale bytes after the input stand for memory the download did not fill.
    transfer->TransferLength = size;
    // One store for all runs: each assembly starts by clearing it.
    static vantrel::AppValues values;
    static vantrel::testing::SilentMessages messages;
    static vantrel::TrackStore store(values, *transfer, messages);
    store.AssembleTracks();
    return 0;
}
