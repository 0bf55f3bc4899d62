#include "sim/DeviceMemory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "sim/DemoImages.h"
#include "sim/Routes.h"

namespace vantrel::sim {

namespace {

[[noreturn]] void FileError(const std::filesystem::path& path, const std::string& what, int err) {
    throw std::runtime_error(path.string() + ": " + what +
                             (err ? ": " + std::string(std::strerror(err)) : ""));
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) FileError(path, "cannot write", errno);
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
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

DeviceMemory DemoMemory(std::size_t tracks, std::size_t pointsPerTrack) {
    DeviceMemory memory;
    memory.tracks = LayOutTrackMemory(GenerateTrackPoints(tracks, pointsPerTrack));
    memory.settings.logger[6] = std::to_string(tracks * pointsPerTrack);
    memory.plan = DemoPlanImage();
    memory.poi = DemoPoiImage();
    return memory;
}

std::vector<std::uint8_t> ReadImageFile(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) FileError(path, "cannot read", ec.value());
    if (size > kFlashBytes)
        FileError(path, "larger than the device's " + std::to_string(kFlashBytes) + "-byte flash",
                  0);
    std::ifstream in(path, std::ios::binary);
    if (!in) FileError(path, "cannot open", errno);
    std::vector<std::uint8_t> bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) FileError(path, "short read", 0);
    return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::string temp = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) FileError(path, "cannot create a temporary file", errno);
    try {
        if (::fchmod(fd, 0644) != 0) FileError(temp, "cannot set permissions", errno);
        WriteAll(fd, bytes, temp);
        if (::fsync(fd) != 0) FileError(temp, "cannot sync", errno);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        FileError(temp, "cannot close", err);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        FileError(path, "cannot replace", err);
    }
}

}  // namespace vantrel::sim
