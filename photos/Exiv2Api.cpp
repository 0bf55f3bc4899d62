#include "photos/Exiv2Api.h"

#include <mutex>

namespace vantrel::exiv {

namespace {

void LockXmp(void* data, bool lock) {
    auto* mutex = static_cast<std::mutex*>(data);
    if (lock)
        mutex->lock();
    else
        mutex->unlock();
}

}  // namespace

void Prepare() {
    static std::mutex xmpLock;
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(LockXmp, &xmpLock);
#if !EXIV2_TEST_VERSION(0, 28, 0) && defined(EXV_ENABLE_BMFF)
        Exiv2::enableBMFF(true);
#endif
    });
}

}  // namespace vantrel::exiv
