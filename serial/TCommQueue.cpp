#include "serial/TCommQueue.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "serial/EComm32Error.h"

namespace vantrel {

TCommQueue::TCommQueue(long Size) : size_(Size) {
    try {
        fSetBufSize(Size);
    } catch (const EComm32Error&) {
        fSetBufSize(0);
    }
}

TCommQueue::~TCommQueue() {
    fSetBufSize(0);
}

void TCommQueue::fSetBufSize(long Size) {
    Clear();
    if (Size <= 0) {
        buffer_.reset();
        return;
    }
    std::unique_ptr<char[]> fresh(new (std::nothrow) char[static_cast<std::size_t>(Size)]);
    if (!fresh) throw EComm32Error(EComm32Error::ecOutOfMemory);
    buffer_ = std::move(fresh);
    size_ = Size;
}

long TCommQueue::Count() const {
    if (!buffer_) return 0;
    long head = head_.load(std::memory_order_acquire);
    long tail = tail_.load(std::memory_order_acquire);
    return (tail + size_ - head) % size_;
}

long TCommQueue::FreeRoom() const {
    if (!buffer_) return 0;
    long head = head_.load(std::memory_order_acquire);
    long tail = tail_.load(std::memory_order_acquire);
    return (head + size_ - tail - 1) % size_;
}

void TCommQueue::Clear() {
    head_.store(0, std::memory_order_release);
    tail_.store(0, std::memory_order_release);
}

int TCommQueue::In(const char* Byte) {
    return static_cast<int>(In(Byte, 1));
}

long TCommQueue::In(const char* Data, long Len) {
    if (!buffer_ || !Data || Len <= 0) return 0;
    const long tail = tail_.load(std::memory_order_relaxed);
    const long head = head_.load(std::memory_order_acquire);
    const long n = std::min(Len, (head + size_ - tail - 1) % size_);
    if (n <= 0) return 0;
    const long first = std::min(n, size_ - tail);
    std::memcpy(buffer_.get() + tail, Data, static_cast<std::size_t>(first));
    std::memcpy(buffer_.get(), Data + first, static_cast<std::size_t>(n - first));
    tail_.store((tail + n) % size_, std::memory_order_release);
    return n;
}

int TCommQueue::Out(char* Byte) {
    return static_cast<int>(Out(Byte, 1));
}

long TCommQueue::Out(char* Data, long Len) {
    if (!buffer_ || !Data || Len <= 0) return 0;
    const long head = head_.load(std::memory_order_relaxed);
    const long tail = tail_.load(std::memory_order_acquire);
    const long n = std::min(Len, (tail + size_ - head) % size_);
    if (n <= 0) return 0;
    const long first = std::min(n, size_ - head);
    std::memcpy(Data, buffer_.get() + head, static_cast<std::size_t>(first));
    std::memcpy(Data + first, buffer_.get(), static_cast<std::size_t>(n - first));
    head_.store((head + n) % size_, std::memory_order_release);
    return n;
}

}  // namespace vantrel
