#include "photos/PhotoWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "base/AtomicFile.h"
#include "photos/Exiv2Api.h"
#include "photos/GpsTags.h"

namespace vantrel {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxSidecarBytes = std::size_t{16} << 20;

std::string SystemError(const std::string& what) { return what + ": " + std::strerror(errno); }

// A temporary file beside a target, removed unless it was renamed over it.
class TemporaryBeside {
  public:
    explicit TemporaryBeside(const fs::path& target) {
        std::string pattern = (target.parent_path() / ("." + target.filename().string() +
                                                       ".vantrel-XXXXXX")).string();
        fd_ = ::mkstemp(pattern.data());
        if (fd_ >= 0) path_ = pattern;
        else error_ = SystemError("cannot create a file in " + target.parent_path().string());
    }
    ~TemporaryBeside() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryBeside(const TemporaryBeside&) = delete;
    TemporaryBeside& operator=(const TemporaryBeside&) = delete;

    bool Ok() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    const fs::path& Path() const { return path_; }
    const std::string& Error() const { return error_; }
    // The file now is the target: nothing to remove.
    void Renamed() { path_.clear(); }

  private:
    int fd_ = -1;
    fs::path path_;
    std::string error_;
};

bool WriteAll(int fd, const Exiv2::byte* bytes, std::size_t size, std::string& error) {
    for (std::size_t put = 0; put < size;) {
        const ssize_t n = ::write(fd, bytes + put, size - put);
        if (n <= 0) {
            error = SystemError("cannot write the copy");
            return false;
        }
        put += static_cast<std::size_t>(n);
    }
    return true;
}

// Offsets and pointers that move whenever a file is written again.
bool MovesOnWrite(const Exiv2::Exifdatum& datum) {
    static constexpr std::uint16_t kPointers[] = {0x0111, 0x0144, 0x0201, 0x014a,
                                                  0x8769, 0x8825, 0xa005};
    return std::find(std::begin(kPointers), std::end(kPointers), datum.tag()) !=
               std::end(kPointers) ||
           datum.key() == "Exif.MakerNote.Offset";
}

template <typename Data, typename Skip>
std::vector<std::pair<std::string, std::string>> Entries(const Data& data, Skip skip) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& datum : data)
        if (!skip(datum)) entries.emplace_back(datum.key(), datum.toString());
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The first difference between what was meant and what was read back.
template <typename Data, typename Skip>
std::string Difference(const Data& meant, const Data& read, Skip skip) {
    const auto a = Entries(meant, skip), b = Entries(read, skip);
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (ia == a.end() && ib == b.end()) return {};
    if (ia == a.end()) return ib->first + " appeared";
    if (ib == b.end() || ia->first != ib->first) return ia->first + " was lost";
    return ia->first + " reads '" + ib->second + "', not '" + ia->second + "'";
}

const auto kNoSkip = [](const auto&) { return false; };

// Whether the copy on disk holds what was meant: the tags, and the image
// data of the original's bytes.
std::string CheckCopy(std::string_view original, ImageLayout layout, const fs::path& copy,
                      const Exiv2::ExifData& exif, const Exiv2::IptcData& iptc,
                      const Exiv2::XmpData& xmp) {
    std::error_code failed;
    const auto read = ReadFileBytes(copy, failed, original.size() + (std::size_t{1} << 30));
    if (!read) return "cannot read the copy back: " + failed.message();
    auto back = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(read->data()),
                                          static_cast<exiv::Length>(read->size()));
    back->readMetadata();
    std::string difference = Difference(exif, back->exifData(), MovesOnWrite);
    if (difference.empty()) difference = Difference(iptc, back->iptcData(), kNoSkip);
    if (difference.empty()) difference = Difference(xmp, back->xmpData(), kNoSkip);
    if (!difference.empty()) return "read back, " + difference;
    std::string error;
    if (!SameImageData(BytesAccess(original), BytesAccess(*read), layout, error)) return error;
    return {};
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Gives the checked copy the original's permissions, owner and times and
// puts it in the original's place.
std::string Replace(const fs::path& original, const struct stat& was, TemporaryBeside& copy) {
    const int fd = copy.Fd();
    if (::fchmod(fd, was.st_mode & 07777) != 0) return SystemError("cannot set the permissions");
    if (::fchown(fd, was.st_uid, was.st_gid) != 0 && errno != EPERM)
        return SystemError("cannot set the owner");
    if (::fdatasync(fd) != 0) return SystemError("cannot flush the written copy");
    const struct timespec times[2] = {was.st_atim, was.st_mtim};
    if (::futimens(fd, times) != 0) return SystemError("cannot keep the modification time");
    struct stat now {};
    if (::stat(original.c_str(), &now) != 0 || !SameFile(was, now))
        return "the photo changed while it was being written";
    if (::rename(copy.Path().c_str(), original.c_str()) != 0)
        return SystemError("cannot replace the photo");
    // The folder is not flushed: a rename lost to a crash leaves the photo
    // as it was (beside a hidden copy), never damaged; the copy's data was
    // flushed before it took the photo's name.
    copy.Renamed();
    return {};
}

std::string WriteInPlace(const PhotoFacts& facts, const GeoPosition& at, Millis utc) {
    if (!facts.layout) return facts.format + " files are not written in place";
    std::error_code failed;
    const fs::path original = fs::canonical(facts.path, failed);
    if (failed) return "cannot find " + facts.path.string() + ": " + failed.message();
    struct stat was {};
    if (::stat(original.c_str(), &was) != 0) return SystemError("cannot read the photo");
    // libexiv2 writes a photo into memory whichever way it is opened; it
    // is opened from memory so that the copy is written once.
    auto bytes = ReadFileBytes(original, failed, static_cast<std::size_t>(was.st_size));
    if (!bytes) return "cannot read the photo: " + failed.message();
    const auto layout = LayoutOf(*bytes);
    if (layout != facts.layout) return "the photo changed while it was being written";
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes->data()),
                                           static_cast<exiv::Length>(bytes->size()));
    image->readMetadata();
    SetExifGps(image->exifData(), at, utc);
    const Exiv2::ExifData exif = image->exifData();
    const Exiv2::IptcData iptc = image->iptcData();
    const Exiv2::XmpData xmp = image->xmpData();
    image->writeMetadata();
    TemporaryBeside copy(original);
    if (!copy.Ok()) return copy.Error();
    std::string error;
    Exiv2::BasicIo& written = image->io();
    if (!WriteAll(copy.Fd(), written.mmap(), static_cast<std::size_t>(written.size()), error))
        return error;
    // The copy goes to the disk while it is checked; Replace waits for it.
    ::sync_file_range(copy.Fd(), 0, 0, SYNC_FILE_RANGE_WRITE);
    image.reset();
    if (std::string wrong = CheckCopy(*bytes, *layout, copy.Path(), exif, iptc, xmp); !wrong.empty())
        return "the written copy was wrong (" + wrong + "); the photo is as it was";
    return Replace(original, was, copy);
}

std::string WriteSidecar(const PhotoFacts& facts, const GeoPosition& at, Millis utc) {
    const fs::path sidecar = SidecarPath(facts.path);
    Exiv2::XmpData xmp;
    std::error_code failed;
    struct stat st {};
    if (::stat(sidecar.c_str(), &st) == 0) {
        if ((st.st_mode & 0222) == 0) return "the sidecar " + sidecar.string() + " is read-only";
        auto bytes = ReadFileBytes(sidecar, failed, kMaxSidecarBytes);
        if (!bytes) return "cannot read the sidecar " + sidecar.string() + ": " + failed.message();
        if (Exiv2::XmpParser::decode(xmp, *bytes) != 0)
            return "the sidecar " + sidecar.string() + " is no XMP; it was left as it is";
    }
    SetXmpGps(xmp, at, utc);
    std::string packet;
    if (Exiv2::XmpParser::encode(packet, xmp, Exiv2::XmpParser::omitPacketWrapper |
                                                  Exiv2::XmpParser::useCompactFormat) != 0)
        return "cannot make the sidecar's XMP";
    if (!WriteFileAtomically(sidecar, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + packet,
                             failed))
        return "cannot write " + sidecar.string() + ": " + failed.message();
    Exiv2::XmpData back;
    auto written = ReadFileBytes(sidecar, failed, kMaxSidecarBytes);
    if (!written || Exiv2::XmpParser::decode(back, *written) != 0)
        return "the sidecar " + sidecar.string() + " does not read back";
    if (std::string wrong = Difference(xmp, back, kNoSkip); !wrong.empty())
        return "the sidecar " + sidecar.string() + " read back wrong: " + wrong;
    return {};
}

}  // namespace

WritePlan PlanWrite(const PhotoFacts& facts, bool overwrite, SidecarChoice sidecar) {
    if (facts.position && !overwrite)
        return {WritePlan::Kind::Keep, std::string("already at ") + PositionText(*facts.position) +
                                           (facts.positionInSidecar ? " (its sidecar)" : "") +
                                           "; overwriting replaces it"};
    if (sidecar == SidecarChoice::Always)
        return {WritePlan::Kind::Sidecar, "sidecars chosen for every photo"};
    if (!facts.notInPlace) return {WritePlan::Kind::InPlace, {}};
    if (sidecar == SidecarChoice::Never)
        return {WritePlan::Kind::Refuse, *facts.notInPlace + " and no sidecar was wanted"};
    return {WritePlan::Kind::Sidecar, *facts.notInPlace};
}

WriteResult WritePosition(const PhotoFacts& facts, WritePlan::Kind kind, const GeoPosition& at,
                          Millis utc) {
    exiv::Prepare();
    if (kind != WritePlan::Kind::InPlace && kind != WritePlan::Kind::Sidecar)
        return {false, "nothing to write"};
    if (!std::isfinite(at.latitude) || !std::isfinite(at.longitude))
        return {false, "no position to write"};
    try {
        std::string error = kind == WritePlan::Kind::InPlace ? WriteInPlace(facts, at, utc)
                                                             : WriteSidecar(facts, at, utc);
        return {error.empty(), error};
    } catch (const std::exception& e) {  // libexiv2's errors among them
        return {false, std::string("libexiv2: ") + e.what() + "; the photo is as it was"};
    }
}

}  // namespace vantrel
