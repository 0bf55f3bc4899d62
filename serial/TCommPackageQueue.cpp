#include "serial/TCommPackageQueue.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vantrel {

TCommPackageQueue::TCommPackageQueue(unsigned long Count, unsigned long SlotSize) {
    SetQueue(static_cast<long>(Count), static_cast<long>(SlotSize));
}

TCommPackageQueue::~TCommPackageQueue() {
    fRemoveQueue();
}

void TCommPackageQueue::SetQueue(long Count, long SlotSize) {
    fRemoveQueue();
    count_ = std::max(Count, 2L);
    slotSize_ = std::max(SlotSize, 32L);
    const auto bytes = static_cast<unsigned long>(count_) * static_cast<unsigned long>(slotSize_);
    if (bytes / static_cast<unsigned long>(slotSize_) != static_cast<unsigned long>(count_)) return;
    buffer_.reset(new (std::nothrow) unsigned char[bytes]);
}

void TCommPackageQueue::fRemoveQueue() {
    buffer_.reset();
    Clear();
}

void TCommPackageQueue::Clear() {
    head_.store(0, std::memory_order_release);
    tail_.store(0, std::memory_order_release);
}

long TCommPackageQueue::Count() const {
    if (!buffer_) return 0;
    const long head = head_.load(std::memory_order_acquire);
    const long tail = tail_.load(std::memory_order_acquire);
    return (tail + count_ - head) % count_;
}

int TCommPackageQueue::In(const void* Record) {
    if (!buffer_ || !Record) return 0;
    const long tail = tail_.load(std::memory_order_relaxed);
    const long next = (tail + 1) % count_;
    if (next == head_.load(std::memory_order_acquire)) return 0;
    std::memcpy(Slot(tail), Record, static_cast<std::size_t>(slotSize_));
    tail_.store(next, std::memory_order_release);
    return 1;
}

int TCommPackageQueue::Out(void* Record) {
    if (!Read(Record, 0)) return 0;
    head_.store((head_.load(std::memory_order_relaxed) + 1) % count_, std::memory_order_release);
    return 1;
}

int TCommPackageQueue::Read(void* Record, unsigned long Index) const {
    if (!buffer_ || !Record || Index >= static_cast<unsigned long>(Count())) return 0;
    const long head = head_.load(std::memory_order_relaxed);
    const long slot = (head + static_cast<long>(Index)) % count_;
    std::memcpy(Record, Slot(slot), static_cast<std::size_t>(slotSize_));
    return 1;
}

}  // namespace vantrel
