#pragma once
// The device's tracks for commands that work on them (geotag --track
// device): downloaded by the same session as `download tracks`.

#include <string>

#include "tracks/Track.h"

namespace vantrel::cli {

// Downloads the device's track memory from `port` (empty: the device's
// port looked up) and decodes it. kOk with the tracks; kIncomplete with
// what was kept when the memory was cut (told on stderr); otherwise the
// download's exit code after telling why.
int DownloadDeviceTracks(const std::string& port, bool quiet, Tracks& tracks);

}  // namespace vantrel::cli
