#include "plans/ListFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "app/AtomicFile.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"

namespace vantrel {

namespace {

enum class ReadResult { Ok, CannotAccess, TooLarge };

// Reads the whole file, up to one byte more than the transfer area holds.
ReadResult ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ReadResult::CannotAccess;
    bytes.assign(TransferArea::kSize + 1, 0);
    std::size_t used = 0;
    while (used < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return ReadResult::CannotAccess;
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(used);
    return used > TransferArea::kSize ? ReadResult::TooLarge : ReadResult::Ok;
}

bool SaveImage(const std::string& path, const ImageResult& built, const TransferArea& area,
               UserMessages& messages) {
    return ReportRefusal(built, messages) && WriteTransferFile(path, area, messages);
}

// The common road of both open handlers; `decode` reads an area into the
// list, `enable` sets its save and upload buttons.
OpenResult OpenImage(const std::string& path, TransferArea& area, UserMessages& messages,
                     const std::function<bool(const TransferArea&)>& decode,
                     const std::function<void()>& enable) {
    std::vector<std::uint8_t> bytes;
    switch (ReadWholeFile(path, bytes)) {
        case ReadResult::CannotAccess:
            messages.ShowMessage(kCannotAccessText, kErrorCaption);
            return OpenResult::CannotAccess;
        case ReadResult::TooLarge: {
            // No image fits: the list is emptied by decoding nothing.
            TransferArea nothing{.bytes = {}, .TransferLength = 0};
            decode(nothing);
            return OpenResult::BadImage;
        }
        case ReadResult::Ok:
            break;
    }
    if (bytes.empty()) return OpenResult::Empty;
    std::copy(bytes.begin(), bytes.end(), area.bytes.begin());
    area.TransferLength = bytes.size();
    enable();
    return decode(area) ? OpenResult::Opened : OpenResult::BadImage;
}

}  // namespace

bool ReportRefusal(const ImageResult& built, UserMessages& messages) {
    if (built.Ok()) return true;
    messages.ShowMessage(built.error, kErrorCaption);
    return false;
}

bool WriteTransferFile(const std::string& path, const TransferArea& area, UserMessages& messages) {
    if (area.TransferLength <= area.bytes.size() && WriteFileAtomically(path, area.Valid()))
        return true;
    messages.ShowMessage(kCannotSaveText, kCannotSaveCaption);
    return false;
}

bool SavePlanFile(const std::string& path, const PlanList& list, GlyphRenderer& glyphs,
                  TransferArea& area, UserMessages& messages) {
    return SaveImage(path, BuildPlanImage(list, glyphs, area), area, messages);
}

bool SavePoiFile(const std::string& path, const PoiList& list, std::string_view comboTimeZoneText,
                 TransferArea& area, UserMessages& messages) {
    return SaveImage(path, BuildPoiImage(list, comboTimeZoneText, area), area, messages);
}

OpenResult OpenPlanFile(const std::string& path, PlanList& list, TransferArea& area,
                        MapPage& webPlan, UserMessages& messages) {
    return OpenImage(
        path, area, messages,
        [&](const TransferArea& image) { return ReadPlanImage(list, image, webPlan); },
        [&] { list.EnableSaveAndStore(true); });
}

OpenResult OpenPoiFile(const std::string& path, PoiList& list, TransferArea& area,
                       UserMessages& messages) {
    return OpenImage(
        path, area, messages, [&](const TransferArea& image) { return ReadPoiImage(list, image); },
        [&] { list.EnableSaveAndStore(true); });
}

}  // namespace vantrel
