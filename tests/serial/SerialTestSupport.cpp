#include "SerialTestSupport.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace vantrel::testing {

PtyPair::PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        throw std::runtime_error("cannot open a pseudo-terminal");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0)
        throw std::runtime_error("pseudo-terminal has no name");
    slavePath_ = name;
}

PtyPair::~PtyPair() {
    HangUp();
}

void PtyPair::HangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyPair::Send(std::string_view bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) throw std::runtime_error("pty write");
        pollfd p = {master_, POLLOUT, 0};
        ::poll(&p, 1, 100);
    }
}

std::string PtyPair::Receive(std::size_t count, std::chrono::milliseconds timeout) const {
    std::string out;
    const auto end = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    while (out.size() < count && std::chrono::steady_clock::now() < end) {
        pollfd p = {master_, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0) continue;
        const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - out.size()));
        if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}

std::string PtyPair::ReceiveUntilQuiet(std::chrono::milliseconds quiet) const {
    std::string out;
    char buffer[4096];
    for (;;) {
        pollfd p = {master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(quiet.count())) <= 0) return out;
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) return out;
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

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

int ThreadCount() {
    int n = 0;
    if (DIR* dir = ::opendir("/proc/self/task")) {
        while (dirent* e = ::readdir(dir))
            n += e->d_name[0] != '.';
        ::closedir(dir);
    }
    return n;
}

}  // namespace vantrel::testing
