// The byte ring and the package slot ring: capacity, wrap-around, resizing,
// and one producer against one consumer on two threads.

#include <gtest/gtest.h>

#include <thread>

#include "SerialTestSupport.h"
#include "serial/EComm32Error.h"
#include "serial/TCommPackageQueue.h"
#include "serial/TCommQueue.h"

// Let the sanitizers' allocators report a failed allocation as a null
// pointer, as the system's does, so that the out-of-memory path is tested.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
extern "C" const char* __tsan_default_options() {
    return "allocator_may_return_null=1";
}

namespace vantrel {
namespace {

using namespace vantrel::testing;

TEST(CommQueue, HoldsOneByteLessThanItsSizeAndWraps) {
    TCommQueue queue(8192);
    const std::string data = Pattern(9000);
    EXPECT_EQ(queue.In(data.data(), 9000), 8191);
    EXPECT_EQ(queue.FreeRoom(), 0);
    EXPECT_EQ(queue.In("x"), 0);
    std::string out(8192, '\0');
    EXPECT_EQ(queue.Out(out.data(), 5000), 5000);
    EXPECT_EQ(out.substr(0, 5000), data.substr(0, 5000));
    EXPECT_EQ(queue.In(data.data() + 8191, 809), 809);  // across the end of the buffer
    EXPECT_EQ(queue.Count(), 3191 + 809);
    EXPECT_EQ(queue.Out(out.data(), 8192), 4000);
    EXPECT_EQ(out.substr(0, 4000), data.substr(5000, 4000));
    char c = 0;
    EXPECT_EQ(queue.Out(&c), 0);
    EXPECT_EQ(queue.In(nullptr, 5), 0);
    EXPECT_EQ(queue.In("abc", 0), 0);
}

TEST(CommQueue, ResizingEmptiesAndAFailedAllocationKeepsTheBuffer) {
    TCommQueue queue(16);
    queue.In("abc", 3);
    queue.fSetBufSize(32);
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.fGetBufSize(), 32);
    queue.In("abc", 3);
    try {
        queue.fSetBufSize(1L << 62);
        FAIL() << "allocated 4 EiB";
    } catch (const EComm32Error& e) {
        EXPECT_EQ(e.ErrorCode(), EComm32Error::ecOutOfMemory);
        EXPECT_EQ(e.PortName(), "");
    }
    EXPECT_EQ(queue.fGetBufSize(), 32);
    EXPECT_TRUE(queue.HasBuffer());
    queue.fSetBufSize(0);
    EXPECT_FALSE(queue.HasBuffer());
    EXPECT_EQ(queue.In("abc", 3), 0);

    TCommQueue none(1L << 62);  // the constructor swallows the failure
    EXPECT_FALSE(none.HasBuffer());
}

TEST(CommQueue, OneProducerAndOneConsumerLoseNothing) {
    TCommQueue queue(8192);
    const std::string data = Pattern(4 << 20, 7);
    std::thread producer([&] {
        std::size_t at = 0, step = 1;
        while (at < data.size()) {
            step = step % 3000 + 1;
            at += static_cast<std::size_t>(
                queue.In(data.data() + at, static_cast<long>(std::min(step, data.size() - at))));
        }
    });
    std::string received;
    char buffer[1777];
    while (received.size() < data.size()) {
        const long n = queue.Out(buffer, sizeof buffer);
        received.append(buffer, static_cast<std::size_t>(n));
    }
    producer.join();
    EXPECT_TRUE(received == data);
}

TEST(PackageQueue, SlotsKeepOrderAndMinimumSizes) {
    TCommPackageQueue small(1, 4);
    EXPECT_EQ(small.SlotCount(), 2);
    EXPECT_EQ(small.SlotSize(), 32);

    TCommPackageQueue queue(16, 40);
    std::vector<char> slot(40);
    for (char i = 0; i < 20; ++i) {
        slot[0] = i;
        EXPECT_EQ(queue.In(slot.data()), i < 15 ? 1 : 0);
    }
    EXPECT_EQ(queue.Read(slot.data(), 14), 1);
    EXPECT_EQ(slot[0], 14);
    EXPECT_EQ(queue.Read(slot.data(), 15), 0);
    for (char i = 0; i < 15; ++i) {
        ASSERT_EQ(queue.Out(slot.data()), 1);
        EXPECT_EQ(slot[0], i);
    }
    EXPECT_EQ(queue.Out(slot.data()), 0);
}

}  // namespace
}  // namespace vantrel
