#include "device/Clock.h"

#include <chrono>
#include <thread>

namespace vantrel {

void SystemClock::Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace vantrel
