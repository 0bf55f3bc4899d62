#pragma once
// Writing a position into a photo without ever damaging it. In place, the
// photo is copied beside itself, the copy is tagged, read back and compared
// with what was meant (every tag of the original, the GPS tags written, and
// the image data byte for byte), and only then renamed over the original
// with the original's permissions, owner and modification time. A photo
// that is not written in place gets an XMP sidecar (NAME.EXT.xmp), merged
// into one already there and checked the same way; its original is never
// opened for writing. On any failure nothing of the user's is changed.

#include <string>

#include "photos/PhotoFile.h"
#include "photos/TrackMatch.h"

namespace vantrel {

enum class SidecarChoice {
    Auto,    // for photos that are not written in place
    Always,  // for every photo: no original is written
    Never,   // none: photos not written in place stay untagged
};

// What writing a photo will do, decided from its facts alone.
struct WritePlan {
    enum class Kind { InPlace, Sidecar, Keep, Refuse } kind;
    std::string reason;  // Keep and Refuse: why; Sidecar: why not in place
};
WritePlan PlanWrite(const PhotoFacts& facts, bool overwrite, SidecarChoice sidecar);

struct WriteResult {
    bool ok = false;
    std::string error;  // why nothing was written
};
// Carries out an InPlace or Sidecar plan.
WriteResult WritePosition(const PhotoFacts& facts, WritePlan::Kind kind, const GeoPosition& at,
                          Millis utc);

}  // namespace vantrel
