#pragma once
// One piece of photo work at a time (reading a batch of photos, writing
// their positions) on a thread of its own, so the window stays responsive
// through folders of thousands of photos and files of hundreds of MB. The
// work hands its results to the window's thread with Post(); a stop asked
// for ends it at the next photo.

#include <QObject>
#include <atomic>
#include <functional>
#include <stop_token>
#include <thread>

namespace vantrel {

class PhotoWorker {
  public:
    explicit PhotoWorker(QObject* receiver) : receiver_(receiver) {}
    ~PhotoWorker();
    PhotoWorker(const PhotoWorker&) = delete;
    PhotoWorker& operator=(const PhotoWorker&) = delete;

    bool Busy() const { return busy_; }
    // Runs `work` on the worker's thread; `done` runs on the receiver's
    // thread once it has ended. False (and nothing started) while busy.
    bool Start(std::function<void(std::stop_token)> work, std::function<void()> done);
    void Stop() { thread_.request_stop(); }
    // Runs `call` on the receiver's thread, soon.
    void Post(std::function<void()> call);

  private:
    QObject* receiver_;
    std::atomic<bool> busy_ = false;
    std::jthread thread_;
};

}  // namespace vantrel
