#pragma once
// A ring of fixed-size slots, one package record each, for one producer
// thread and one consumer thread (the indices are published with
// release/acquire). It holds at most slot count - 1 records. SetQueue,
// fRemoveQueue and Clear are not safe against a running producer or
// consumer; the package layer guards them.

#include <atomic>
#include <memory>

namespace vantrel {

class TCommPackageQueue {
  public:
    TCommPackageQueue(unsigned long Count, unsigned long SlotSize);
    virtual ~TCommPackageQueue();
    TCommPackageQueue(const TCommPackageQueue&) = delete;
    TCommPackageQueue& operator=(const TCommPackageQueue&) = delete;

    // At least 2 slots of at least 32 bytes; empty. Without a buffer when it
    // cannot be allocated (In and Out then move nothing).
    void SetQueue(long Count, long SlotSize);
    void fRemoveQueue();
    void Clear();

    long SlotCount() const { return count_; }
    long SlotSize() const { return slotSize_; }
    long Count() const;
    bool Empty() const { return Count() == 0; }

    // Copies one slot from Record into the queue: 1, or 0 when full.
    int In(const void* Record);
    // Copies the oldest slot into Record and drops it: 1, or 0 when empty.
    int Out(void* Record);
    // Copies the slot Index places after the oldest, keeping it: 1, or 0
    // when fewer than Index + 1 records wait.
    int Read(void* Record, unsigned long Index) const;

  private:
    unsigned char* Slot(long index) const { return buffer_.get() + index * slotSize_; }

    std::unique_ptr<unsigned char[]> buffer_;
    std::atomic<long> head_{0};
    std::atomic<long> tail_{0};
    long count_ = 0;
    long slotSize_ = 0;
};

}  // namespace vantrel
