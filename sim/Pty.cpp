#include "sim/Pty.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

#include <array>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace vantrel::sim {

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PtyLine::PtyLine() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) Fail("posix_openpt");
    try {
        if (::grantpt(master_) != 0) Fail("grantpt");
        if (::unlockpt(master_) != 0) Fail("unlockpt");
        char name[128];
        if (::ptsname_r(master_, name, sizeof name) != 0) Fail("ptsname_r");
        portPath_ = name;
        termios raw{};
        if (::tcgetattr(master_, &raw) != 0) Fail("tcgetattr");
        ::cfmakeraw(&raw);
        if (::tcsetattr(master_, TCSANOW, &raw) != 0) Fail("tcsetattr");
        const int flags = ::fcntl(master_, F_GETFL);
        if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) Fail("fcntl");
        openWatch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (openWatch_ < 0) Fail("inotify_init1");
        if (::inotify_add_watch(openWatch_, portPath_.c_str(), IN_OPEN | IN_CLOSE) < 0)
            Fail("inotify_add_watch");
    } catch (...) {
        HangUp();
        throw;
    }
}

PtyLine::~PtyLine() {
    HangUp();
}

bool PtyLine::PcClosed() const {
    pollfd fd{master_, POLLIN, 0};
    return ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLHUP) != 0;
}

void PtyLine::DrainOpenWatch() const {
    std::array<char, 4096> events;
    while (::read(openWatch_, events.data(), events.size()) > 0) {
    }
}

void PtyLine::HangUp() {
    if (openWatch_ >= 0) ::close(openWatch_);
    if (master_ >= 0) ::close(master_);
    openWatch_ = master_ = -1;
}

PortLink::PortLink(std::filesystem::path link, std::string target)
    : link_(std::move(link)), target_(std::move(target)) {
    namespace fs = std::filesystem;
    const fs::file_status status = fs::symlink_status(link_);
    if (fs::exists(status) && !fs::is_symlink(status))
        throw std::runtime_error(link_.string() + ": exists and is not a symbolic link");
    const fs::path temp = link_.string() + ".new" + std::to_string(::getpid());
    std::error_code ec;
    fs::remove(temp, ec);
    fs::create_symlink(target_, temp, ec);
    if (!ec) fs::rename(temp, link_, ec);
    if (ec) {
        fs::remove(temp);
        throw std::runtime_error(link_.string() + ": cannot link the port: " + ec.message());
    }
}

PortLink::~PortLink() {
    std::error_code ec;
    if (std::filesystem::read_symlink(link_, ec) == target_ && !ec)
        std::filesystem::remove(link_, ec);
}

}  // namespace vantrel::sim
