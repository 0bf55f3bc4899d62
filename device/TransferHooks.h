#pragma once
// What the device link hands over to the other subsystems: downloaded data
// goes to the track assembly or to the plan and POI loaders, and uploads are
// built from the plan and POI lists. Each works on the transfer area.

#include <cstddef>
#include <string>

#include "base/TransferArea.h"

namespace vantrel {

// An image built for upload: its length, or the reason it cannot be sent.
struct UploadImage {
    std::size_t length = 0;
    std::string refusal;  // empty when the image was built

    bool Refused() const { return !refusal.empty(); }
};

class TransferHooks {
  public:
    virtual ~TransferHooks() = default;

    // Why the data of a finished download of `kind` (rkTrack, rkPlan or
    // rkPoi) is not whole, or empty text when it is: asked before anything is
    // handed over, and a download that is not whole is a failed transfer.
    virtual std::string DownloadShortfall(int kind, const TransferArea& area) = 0;

    // Downloads, read from area.Valid().
    virtual void AssembleTracks(const TransferArea& area) = 0;
    virtual void ReadPlanImage(const TransferArea& area) = 0;
    virtual void ReadPoiImage(const TransferArea& area) = 0;

    // Uploads, written at the start of the area after filling its first MiB
    // with 0xFF: the last block sent carries the bytes past the image. The
    // link sets TransferLength from the length returned.
    virtual UploadImage BuildPlanImage(TransferArea& area) = 0;
    virtual UploadImage BuildPoiImage(TransferArea& area) = 0;
};

}  // namespace vantrel
