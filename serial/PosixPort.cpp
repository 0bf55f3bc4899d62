#include "serial/PosixPort.h"

// termios2 (custom rates) comes from the kernel's headers, which cannot be
// mixed with <termios.h>: this file speaks to the tty through ioctl only.
#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace vantrel::posix_port {

namespace {

int Errno(int rc) {
    return rc == 0 ? 0 : errno;
}

bool CharSize(std::uint8_t byteSize, tcflag_t& flag) {
    switch (byteSize) {
        case 5:
            flag = CS5;
            return true;
        case 6:
            flag = CS6;
            return true;
        case 7:
            flag = CS7;
            return true;
        case 8:
            flag = CS8;
            return true;
        default:
            return false;
    }
}

bool ParityFlags(std::uint8_t parity, tcflag_t& flags) {
    switch (parity) {
        case NOPARITY:
            flags = 0;
            return true;
        case ODDPARITY:
            flags = PARENB | PARODD;
            return true;
        case EVENPARITY:
            flags = PARENB;
            return true;
        case MARKPARITY:
            flags = PARENB | PARODD | CMSPAR;
            return true;
        case SPACEPARITY:
            flags = PARENB | CMSPAR;
            return true;
        default:
            return false;
    }
}

// One and a half stop bits exist only with 5 data bits, two only with more.
bool StopFlags(std::uint8_t stopBits, std::uint8_t byteSize, tcflag_t& flags) {
    switch (stopBits) {
        case ONESTOPBIT:
            flags = 0;
            return true;
        case ONE5STOPBITS:
            flags = CSTOPB;
            return byteSize == 5;
        case TWOSTOPBITS:
            flags = CSTOPB;
            return byteSize != 5;
        default:
            return false;
    }
}

// Raw bytes in both directions, the line's own settings from dcb.
bool BuildTermios(const TCommDCB& dcb, termios2& tio) {
    tcflag_t size = 0, parity = 0, stop = 0;
    if (dcb.BaudRate == 0 || !CharSize(dcb.ByteSize, size) || !ParityFlags(dcb.Parity, parity) ||
        !StopFlags(dcb.StopBits, dcb.ByteSize, stop))
        return false;
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                     IXANY | INPCK | IGNPAR);
    if (dcb.fOutX) tio.c_iflag |= IXON;
    if (dcb.fInX) tio.c_iflag |= IXOFF;
    if (dcb.fParity) tio.c_iflag |= INPCK;
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &=
        ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= size | parity | stop | CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT);
    if (dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE) tio.c_cflag |= CRTSCTS;
    tio.c_ispeed = tio.c_ospeed = dcb.BaudRate;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    return true;
}

// Sets or clears one modem output line; lines a device lacks (a
// pseudo-terminal has none) are left alone without failing the caller.
void SetLine(int fd, int line, bool on) {
    ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

int OpenExclusive(const std::string& path, int& fd) {
    fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        fd = -1;
        return err;
    }
    ::ioctl(fd, TIOCEXCL);  // not a tty: the probe that follows tells
    return 0;
}

void CloseExclusive(int fd) {
    // Exclusive mode stays with the tty, not the descriptor: leave it, or
    // the next opener of a tty that lives on (a pty) would be refused.
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

int ProbeTerminal(int fd, bool makeNonBlocking) {
    termios2 tio{};
    if (::ioctl(fd, TCGETS2, &tio) != 0) return errno;
    if (!makeNonBlocking) return 0;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return errno;
    return Errno(::fcntl(fd, F_SETFL, flags | O_NONBLOCK));
}

int ApplyLineSettings(int fd, const TCommDCB& dcb) {
    termios2 tio{};
    if (::ioctl(fd, TCGETS2, &tio) != 0) return errno;
    if (!BuildTermios(dcb, tio)) return EINVAL;
    if (::ioctl(fd, TCSETS2, &tio) != 0) return errno;
    SetLine(fd, TIOCM_DTR, dcb.fDtrControl != DTR_CONTROL_DISABLE);
    if (dcb.fRtsControl != RTS_CONTROL_HANDSHAKE)
        SetLine(fd, TIOCM_RTS, dcb.fRtsControl != RTS_CONTROL_DISABLE);
    return 0;
}

int ReapplyLineSettings(int fd, bool& readFailed) {
    termios2 tio{};
    readFailed = ::ioctl(fd, TCGETS2, &tio) != 0;
    if (readFailed) return errno;
    return Errno(::ioctl(fd, TCSETS2, &tio));
}

int CurrentRate(int fd, unsigned& rate) {
    termios2 tio{};
    if (::ioctl(fd, TCGETS2, &tio) != 0) return errno;
    rate = tio.c_ospeed;
    return 0;
}

int BytesWaiting(int fd, int& count) {
    count = 0;
    return Errno(::ioctl(fd, FIONREAD, &count));
}

int OutputPending(int fd, int& count) {
    count = 0;
    return Errno(::ioctl(fd, TIOCOUTQ, &count));
}

int ModemStatus(int fd, unsigned long& status) {
    int lines = 0;
    if (::ioctl(fd, TIOCMGET, &lines) != 0) return errno;
    status = ((lines & TIOCM_CTS) ? MS_CTS_ON : 0) | ((lines & TIOCM_DSR) ? MS_DSR_ON : 0) |
             ((lines & TIOCM_RNG) ? MS_RING_ON : 0) | ((lines & TIOCM_CAR) ? MS_RLSD_ON : 0);
    return 0;
}

int LineErrorCount(int fd, long& count) {
    serial_icounter_struct counters{};
    if (::ioctl(fd, TIOCGICOUNT, &counters) != 0) return errno;
    count = long(counters.frame) + counters.overrun + counters.parity + counters.buf_overrun;
    return 0;
}

int EscapeFunction(int fd, unsigned long func) {
    int line = 0;
    switch (func) {
        case SETXOFF:
            return Errno(::ioctl(fd, TCXONC, TCOOFF));
        case SETXON:
            return Errno(::ioctl(fd, TCXONC, TCOON));
        case SETRTS:
        case CLRRTS:
            line = TIOCM_RTS;
            break;
        case SETDTR:
        case CLRDTR:
            line = TIOCM_DTR;
            break;
        case SETBREAK:
            return Errno(::ioctl(fd, TIOCSBRK));
        case CLRBREAK:
            return Errno(::ioctl(fd, TIOCCBRK));
        default:
            return EINVAL;
    }
    const bool on = func == SETRTS || func == SETDTR;
    return Errno(::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line));
}

int Flush(int fd, bool input) {
    return Errno(::ioctl(fd, TCFLSH, input ? TCIFLUSH : TCOFLUSH));
}

int EventFd::Create() {
    Close();
    fd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    return fd_ < 0 ? errno : 0;
}

void EventFd::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void EventFd::Signal() const {
    const std::uint64_t one = 1;
    if (fd_ >= 0) {
        [[maybe_unused]] auto rc = ::write(fd_, &one, sizeof one);
    }
}

void EventFd::Drain() const {
    std::uint64_t value = 0;
    if (fd_ >= 0) {
        [[maybe_unused]] auto rc = ::read(fd_, &value, sizeof value);
    }
}

}  // namespace vantrel::posix_port
