#include "SerialTestSupport.h"

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace vantrel::testing {

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::string ReadAvailable(const std::function<long(void*, long)>& read, std::size_t count,
                          std::chrono::milliseconds timeout) {
    std::string out;
    char buffer[4096];
    WaitUntil(
        [&] {
            const long n =
                read(buffer, static_cast<long>(std::min(sizeof buffer, count - out.size())));
            if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
            return out.size() >= count;
        },
        timeout);
    return out;
}

std::string Pattern(std::size_t length, unsigned seed) {
    std::string out(length, '\0');
    unsigned x = seed * 2654435761u + 1;
    for (auto& c : out) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return out;
}

TCommNotifyEvent NotifyLog::Handler(std::string name) {
    return [this, name](TObject* sender, int mask) {
        Add({name, sender, mask, std::chrono::steady_clock::now()});
    };
}

TNotifyEvent NotifyLog::Event(std::string name) {
    return [this, name](TObject* sender) {
        Add({name, sender, 0, std::chrono::steady_clock::now()});
    };
}

void NotifyLog::Add(Entry entry) {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
    changed_.notify_all();
}

std::vector<NotifyLog::Entry> NotifyLog::Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

std::vector<std::string> NotifyLog::Names() const {
    std::vector<std::string> names;
    for (const auto& e : Entries())
        names.push_back(e.name);
    return names;
}

int NotifyLog::CountWithMask(int mask) const {
    int n = 0;
    for (const auto& e : Entries())
        n += (e.mask & mask) == mask && e.mask != 0;
    return n;
}

bool NotifyLog::WaitForMask(int mask, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        for (const auto& e : entries_)
            if ((e.mask & mask) == mask && e.mask != 0) return true;
        return false;
    });
}

namespace {

int CountTasks() {
    int n = 0;
    if (DIR* dir = ::opendir("/proc/self/task")) {
        while (dirent* e = ::readdir(dir))
            n += e->d_name[0] != '.';
        ::closedir(dir);
    }
    return n;
}

}  // namespace

int ThreadCount() {
    // Creating a thread once makes a sanitizer start its own helper thread
    // now rather than in the middle of a test that counts threads.
    std::thread([] {}).join();
    // A joined thread can stay listed for a moment while the kernel finishes
    // it, so count until the figure has held still for a few milliseconds.
    int last = CountTasks();
    for (int stable = 0, tries = 0; stable < 5 && tries < 1000; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const int now = CountTasks();
        stable = now == last ? stable + 1 : 0;
        last = now;
    }
    return last;
}

}  // namespace vantrel::testing
