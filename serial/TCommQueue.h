#pragma once
// A byte ring queue for exactly one producer thread and one consumer thread.
// The producer alone moves the tail and the consumer alone moves the head; the
// byte copies are published by a release store of the index and seen through
// an acquire load, so In and Out never lock. One byte of the buffer always
// stays free: a queue of 8192 bytes holds 8191.
//
// fSetBufSize and Clear reset both indices and are not safe against a
// running producer or consumer; the port guards them (TComm32::fSetInBufSize,
// PurgeRead ...).

#include <atomic>
#include <memory>

namespace vantrel {

class TCommQueue {
  public:
    // The queue with a buffer of Size bytes, or without a buffer when that
    // cannot be allocated (a port then refuses to open).
    explicit TCommQueue(long Size);
    virtual ~TCommQueue();
    TCommQueue(const TCommQueue&) = delete;
    TCommQueue& operator=(const TCommQueue&) = delete;

    // Empties the queue. Size > 0 reallocates the buffer (EComm32Error code 1,
    // buffer and size kept, when that fails); Size <= 0 frees it.
    void fSetBufSize(long Size);
    long fGetBufSize() const { return size_; }
    bool HasBuffer() const { return buffer_ != nullptr; }

    long Count() const;     // bytes waiting
    long FreeRoom() const;  // bytes In would take now
    void Clear();           // head = tail = 0

    // Producer side: puts one byte (1, or 0 when full) or up to Len bytes
    // (the count taken; bytes beyond the free room are not taken).
    int In(const char* Byte);
    long In(const char* Data, long Len);
    // Consumer side: takes one byte or up to Len bytes; the count taken.
    int Out(char* Byte);
    long Out(char* Data, long Len);

  private:
    long size_;
    std::atomic<long> head_{0};  // next byte to take out
    std::atomic<long> tail_{0};  // next free byte to fill
    std::unique_ptr<char[]> buffer_;
};

}  // namespace vantrel
