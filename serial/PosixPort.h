#pragma once
// The port layer under TComm32: a serial line reached through termios on a
// file descriptor. Every function returns 0 on success or the errno of the
// failing call; what an errno means is decided in CommErrno.h.

#include <string>

#include "serial/CommDCB.h"

namespace vantrel::posix_port {

// Opens path for reading and writing without becoming its controlling
// terminal, non-blocking, and exclusively: the file is locked with flock
// (another opener gets EBUSY) and the tty put in exclusive mode.
int OpenExclusive(const std::string& path, int& fd);
// Leaves exclusive mode and closes fd (which drops the lock).
void CloseExclusive(int fd);

// 0 when fd is a terminal; ENOTTY (or the request's errno) otherwise. An
// outside descriptor is also switched to non-blocking mode.
int ProbeTerminal(int fd, bool makeNonBlocking);
// Writes the line settings of dcb: raw bytes, any positive rate through the
// kernel's custom-rate request, data bits, parity, stop bits and flow
// control; then DTR and RTS as dcb asks (where the line has them). EINVAL
// for a size, parity, stop-bit or rate the line cannot take.
int ApplyLineSettings(int fd, const TCommDCB& dcb);
// Reads the settings fd has and writes them back unchanged (an outside
// descriptor keeps its owner's settings). readFailed tells which step failed.
int ReapplyLineSettings(int fd, bool& readFailed);

// The output rate the line runs at, in bits per second.
int CurrentRate(int fd, unsigned& rate);

int BytesWaiting(int fd, int& count);   // received, not yet read
int OutputPending(int fd, int& count);  // written, not yet sent
// The modem input lines as MS_CTS_ON | MS_DSR_ON | MS_RING_ON | MS_RLSD_ON.
int ModemStatus(int fd, unsigned long& status);
// Framing, parity and overrun errors counted by the driver so far.
int LineErrorCount(int fd, long& count);
// SETRTS, CLRRTS, SETDTR, CLRDTR, SETBREAK, CLRBREAK, SETXOFF, SETXON.
int EscapeFunction(int fd, unsigned long func);
// Drops what the driver holds of received (input) or unsent (output) bytes.
int Flush(int fd, bool input);

// A counter file descriptor used as a wake-up signal: Signal makes it
// readable until Drain. Created by Create, released by Close.
class EventFd {
  public:
    EventFd() = default;
    ~EventFd() { Close(); }
    EventFd(const EventFd&) = delete;
    EventFd& operator=(const EventFd&) = delete;

    int Create();
    void Close();
    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Signal() const;
    void Drain() const;

  private:
    int fd_ = -1;
};

}  // namespace vantrel::posix_port
