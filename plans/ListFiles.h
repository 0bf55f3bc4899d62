#pragma once
// Plan (.rte) and POI (.wpt) files: the device images byte for byte. Saving
// builds the image in the transfer area and writes it atomically; opening
// reads the whole file into the transfer area and decodes it into the list.
// Failures are shown through UserMessages with the program's own texts.

#include <string>
#include <string_view>

#include "base/TransferArea.h"
#include "base/UserMessages.h"
#include "map/MapPage.h"
#include "plans/GlyphRenderer.h"
#include "plans/ImageBytes.h"
#include "plans/ListCheck.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"

namespace vantrel {

inline constexpr std::string_view kCannotSaveText = "Cannot Save File!";
inline constexpr std::string_view kCannotSaveCaption = "Error!";
inline constexpr std::string_view kCannotAccessText = "Cannot Access Poi file!";
inline constexpr std::string_view kErrorCaption = "Error";

// How opening a file went.
enum class OpenResult {
    Opened,        // the file was decoded into the list
    Empty,         // an empty file: nothing changed
    BadImage,      // read, but not a sound image: the list is empty
    CannotAccess,  // reported to the user
    Refused,       // too large, or a row the device cannot hold: the list is
                   // empty and the reason was shown
};

// The two halves of a save, for a window that builds the image before it
// asks for a file name (and asks nothing when the image is refused):
// shows a refusal's reason and returns false, or returns true for an image
// that was built;
bool ReportRefusal(const ImageResult& built, UserMessages& messages);
// writes TransferLength bytes of the area atomically, or shows
// "Cannot Save File!" and leaves any old file as it was.
bool WriteTransferFile(const std::string& path, const TransferArea& area, UserMessages& messages);

// Both halves in one, after the user chose `path`. A refused image is reported
// with its reason and nothing is written; a file that cannot be written is
// reported as "Cannot Save File!" and the old file stays as it was.
bool SavePlanFile(const std::string& path, const PlanList& list, GlyphRenderer& glyphs,
                  TransferArea& area, UserMessages& messages);
bool SavePoiFile(const std::string& path, const PoiList& list, TransferArea& area,
                 UserMessages& messages);

// A list's rows, as just decoded from an image, through the one row check
// (in the list's own notation and display offset).
std::optional<RowRefusal> CheckListRows(const PlanList& list);
std::optional<RowRefusal> CheckListRows(const PoiList& list);

// The open handlers, after the user chose `path`. A file larger than the
// transfer area is refused with a message naming it and the limit (read no
// further than that): the list is emptied and the area kept. An image whose
// rows CheckPlanRows or CheckPoiRows refuses leaves the list empty, and the
// message names the file and the first such row.
OpenResult OpenPlanFile(const std::string& path, PlanList& list, TransferArea& area,
                        MapPage& webPlan, UserMessages& messages);
OpenResult OpenPoiFile(const std::string& path, PoiList& list, TransferArea& area,
                       UserMessages& messages);

}  // namespace vantrel
