// The track memory decoder over arbitrary bytes as a downloaded memory.

#include <cstddef>
#include <cstdint>

#include "tracks/TrackStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One store for all runs, as one window downloads again and again.
    static vantrel::AppValues values;
    static vantrel::TrackStore store(values);
    store.AssembleTracks({data, size});
    // The list operations over what was decoded stay in bounds too.
    store.SelectListRow(2);
    store.DeleteListedTrack(1);
    return 0;
}
