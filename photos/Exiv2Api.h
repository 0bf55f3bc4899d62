#pragma once
// libexiv2 as this folder uses it, for both of the library's APIs: 0.27
// (values counted and read as long, BMFF support switched on at run time)
// and 0.28 (size_t counts, 64-bit integers, BMFF always on). Both throw
// errors derived from std::exception. Included only by
// the photo sources: no other layer sees the library.

#include <exiv2/exiv2.hpp>

#include <cstddef>
#include <cstdint>

namespace vantrel::exiv {

#if EXIV2_TEST_VERSION(0, 28, 0)
using Length = std::size_t;  // of bytes opened in memory
inline std::size_t Count(const Exiv2::Metadatum& datum) { return datum.count(); }
inline std::int64_t Integer(const Exiv2::Metadatum& datum, std::size_t n) {
    return datum.toInt64(n);
}
#else
using Length = long;
inline std::size_t Count(const Exiv2::Metadatum& datum) {
    return static_cast<std::size_t>(datum.count());
}
inline std::int64_t Integer(const Exiv2::Metadatum& datum, std::size_t n) {
    return datum.toLong(static_cast<long>(n));
}
#endif

// Readies the library once per process: XMP's toolkit with a lock, since
// the window reads thumbnails while a batch writes; BMFF files (HEIC, CR3,
// AVIF) read where 0.27 asks for it; its warnings kept off the terminal,
// since every failure is reported with its photo.
void Prepare();

}  // namespace vantrel::exiv
