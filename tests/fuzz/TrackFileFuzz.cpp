// The track file reader over arbitrary bytes: a file of any length, with or
// without line breaks, names or NULs, is read or refused without reading
// past a buffer, and what it reads writes back as a file that reads the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tracks/TrackFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const vantrel::TrackFileFormat format{{}, '.', vantrel::CodePage("CP1252")};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vantrel::TrackFileRead read = vantrel::ReadTrackFile(bytes, format);
    if (read.result.Refused()) return 0;
    // Whatever was read is whole: written again, it reads back the same.
    const std::string again = vantrel::TrackFileBytes(read.tracks, format);
    const vantrel::TrackFileRead reread = vantrel::ReadTrackFile(again, format);
    if (!reread.result.Done() || vantrel::TrackFileBytes(reread.tracks, format) != again)
        std::abort();
    return 0;
}
