#include "sim/DeviceMemory.h"

#include <stdexcept>

#include "base/AtomicFile.h"
#include "sim/DemoImages.h"
#include "sim/Routes.h"

namespace vantrel::sim {

namespace {

[[noreturn]] void FileError(const std::filesystem::path& path, const std::string& what,
                            std::error_code error = {}) {
    throw std::runtime_error(path.string() + ": " + what + (error ? ": " + error.message() : ""));
}

}  // namespace

const char* PayloadName(Payload payload) {
    switch (payload) {
        case Payload::Tracks:
            return "tracks";
        case Payload::Plan:
            return "plan";
        case Payload::Poi:
            return "poi";
    }
    return "?";
}

std::vector<std::uint8_t>& DeviceMemory::Image(Payload payload) {
    return payload == Payload::Tracks ? tracks : payload == Payload::Plan ? plan : poi;
}

const std::vector<std::uint8_t>& DeviceMemory::Image(Payload payload) const {
    return const_cast<DeviceMemory*>(this)->Image(payload);
}

DeviceMemory DemoMemory(std::size_t tracks, std::size_t pointsPerTrack, std::uint32_t firstSecond) {
    DeviceMemory memory;
    memory.tracks = LayOutTrackMemory(GenerateTrackPoints(tracks, pointsPerTrack, firstSecond));
    memory.settings.logger[6] = std::to_string(tracks * pointsPerTrack);
    memory.plan = DemoPlanImage();
    memory.poi = DemoPoiImage();
    return memory;
}

std::vector<std::uint8_t> ReadImageFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto bytes = ReadFileBytes(path, error, kFlashBytes);
    if (error == std::errc::file_too_large)
        FileError(path, "larger than the device's " + std::to_string(kFlashBytes) + "-byte flash");
    if (!bytes) FileError(path, "cannot read", error);
    return {bytes->begin(), bytes->end()};
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::error_code error;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!vantrel::WriteFileAtomically(path, text, error)) FileError(path, "cannot write", error);
}

}  // namespace vantrel::sim
