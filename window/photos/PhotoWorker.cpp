#include "window/photos/PhotoWorker.h"

#include <QMetaObject>

namespace vantrel {

PhotoWorker::~PhotoWorker() {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
}

bool PhotoWorker::Start(std::function<void(std::stop_token)> work, std::function<void()> done) {
    if (busy_) return false;
    if (thread_.joinable()) thread_.join();
    busy_ = true;
    thread_ = std::jthread([this, work = std::move(work), done = std::move(done)](std::stop_token stop) {
        work(stop);
        Post([this, done] {
            busy_ = false;
            done();
        });
    });
    return true;
}

void PhotoWorker::Post(std::function<void()> call) {
    QMetaObject::invokeMethod(receiver_, std::move(call), Qt::QueuedConnection);
}

}  // namespace vantrel
