// The two threads of an open TComm32. Each waits in poll() on the port and
// on event descriptors: the stop signal ends it, a wake-up request or the
// line makes it do one pass. Neither wakes while the line is idle, and
// neither turns a failing line into a busy loop: once the device has gone
// away (hang-up, EIO) both only wait to be stopped.

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "serial/CommErrno.h"
#include "serial/TOrvikComm32.h"

namespace vantrel {

namespace {

constexpr long kChunk = 2048;  // bytes per system call
constexpr int kWatchDataOnly = EV_RXCHAR | EV_TXEMPTY | EV_ERR;
constexpr int kWatchAll =
    kWatchDataOnly | EV_RXFLAG | EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_RX80FULL;
constexpr short kLineTrouble = POLLHUP | POLLERR | POLLNVAL;

// poll() that sits out signals; -1 only when poll itself fails.
int Wait(pollfd* fds, nfds_t count, int timeoutMs) {
    for (;;) {
        const int ready = ::poll(fds, count, timeoutMs);
        if (ready >= 0 || errno != EINTR) return ready;
    }
}

// The errno of a read or write that moved nothing (0 bytes is end of file,
// which a tty gives after hang-up).
CommFailure IoFailure(ssize_t result) {
    return result == 0 ? CommFailure::DeviceGone : ClassifyIoErrno(errno);
}

}  // namespace

void TComm32::_ReadThread() {
    const int watched = DataOnly ? kWatchDataOnly : kWatchAll;
    RxState state;
    while (ReadRun_) {
        // While the receive queue is full the line is left to hold what
        // arrives (and to apply its flow control); only a hang-up is awaited.
        const short lineEvents = state.waitingForRoom ? 0 : POLLIN;
        pollfd fds[4] = {{ReadStop_.Fd(), POLLIN, 0},
                         {TxEmpty_.Fd(), POLLIN, 0},
                         {ReadRoom_.Fd(), POLLIN, 0},
                         {state.gone ? -1 : Handle_, lineEvents, 0}};
        if (Wait(fds, 4, -1) < 0) {
            pollfd stop = {ReadStop_.Fd(), POLLIN, 0};
            Wait(&stop, 1, -1);
            break;
        }
        if (fds[0].revents != 0 || !ReadRun_) break;
        int mask = 0;
        if (fds[1].revents != 0) {
            TxEmpty_.Drain();
            mask |= EV_TXEMPTY;
        }
        if (fds[2].revents != 0) {
            ReadRoom_.Drain();
            state.waitingForRoom = false;
        }
        if (fds[3].revents != 0) mask |= _ReceiveBytes(fds[3].revents, state);
        if (!DataOnly && !state.gone) mask |= _LineChanges(state);
        mask = _GateTxEmpty(mask) & watched;
        if (mask != 0) CommNotify(mask);
    }
    _ThreadEnded(ReadAlive_);
}

// Moves what the driver holds into the receive queue, as much as the queue
// has room for. Notices the device going away: reports EV_ERR once and
// leaves the descriptor alone from then on.
int TComm32::_ReceiveBytes(short revents, RxState& state) {
    if (state.waitingForRoom) return (revents & kLineTrouble) != 0 ? _LineGone(state) : 0;
    int mask = 0;
    int waiting = 0;
    posix_port::BytesWaiting(Handle_, waiting);
    if (HwInSize > 0 && static_cast<unsigned long>(waiting) * 5 >= HwInSize * 4)
        mask |= EV_RX80FULL;
    char buffer[kChunk];
    bool received = false;
    std::shared_lock gate(QueueGate_);
    for (;;) {
        const long room = InQueue_->FreeRoom();
        if (room == 0) {
            if (_AwaitRoom(state)) break;
            continue;
        }
        const long want = std::min({waiting > 0 ? long(waiting) : kChunk, kChunk, room});
        const ssize_t got = ::read(Handle_, buffer, static_cast<std::size_t>(want));
        if (got > 0) {
            InQueue_->In(buffer, got);
            received = true;
            mask |= EV_RXCHAR;
            if (std::memchr(buffer, DCB.EvtChar, static_cast<std::size_t>(got))) mask |= EV_RXFLAG;
            waiting -= static_cast<int>(got);
            if (waiting > 0) continue;
            break;
        }
        const CommFailure failure = IoFailure(got);
        if (failure == CommFailure::Retry && errno == EINTR) continue;
        const bool troubleWithoutData = !received && (revents & kLineTrouble) != 0;
        if (failure != CommFailure::Retry || troubleWithoutData) mask |= _LineGone(state);
        break;
    }
    return mask;
}

// The receive queue is full: true when the thread is to wait for a reader
// (who will signal ReadRoom_), false when room appeared meanwhile.
bool TComm32::_AwaitRoom(RxState& state) {
    RxWantsRoom_.exchange(true, std::memory_order_acq_rel);
    if (InQueue_->FreeRoom() > 0) return false;
    state.waitingForRoom = true;
    return true;
}

int TComm32::_LineGone(RxState& state) {
    state.gone = true;
    HungUp_ = true;
    return EV_ERR;
}

// Modem lines and line errors, looked at on every wake of the thread.
int TComm32::_LineChanges(RxState& state) {
    int mask = 0;
    unsigned long now = 0;
    if (posix_port::ModemStatus(Handle_, now) == 0) {
        const unsigned long changed = ModemStatus_.exchange(now) ^ now;
        if (changed & MS_CTS_ON) mask |= EV_CTS;
        if (changed & MS_DSR_ON) mask |= EV_DSR;
        if (changed & MS_RLSD_ON) mask |= EV_RLSD;
        if (changed & now & MS_RING_ON) mask |= EV_RING;
    }
    long errors = 0;
    if (posix_port::LineErrorCount(Handle_, errors) == 0) {
        if (state.lineErrors >= 0 && errors != state.lineErrors) mask |= EV_ERR;
        state.lineErrors = errors;
    }
    // CTS coming back releases a transmitter held by hardware flow control.
    if ((mask & EV_CTS) && !ExternalHandle_ && DCB.fOutxCtsFlow && (now & MS_CTS_ON))
        mask |= EV_TXEMPTY;
    return mask;
}

// Wakes the transmit thread on EV_TXEMPTY, and passes EV_TXEMPTY on only
// while the transmit queue is empty: it means everything written went out.
int TComm32::_GateTxEmpty(int mask) {
    if (!(mask & EV_TXEMPTY)) return mask;
    if ((ModemStatus_ & MS_CTS_ON) || !DCB.fOutxCtsFlow || ExternalHandle_) WriteRequest_.Signal();
    std::shared_lock gate(QueueGate_);
    if (OutQueue_->Count() > 0) mask &= ~EV_TXEMPTY;
    return mask;
}

void TComm32::_WriteThread() {
    TxState state;
    while (WriteRun_) {
        const bool awaitRoom = state.sent < state.len && !HungUp_;
        pollfd fds[3] = {{WriteStop_.Fd(), POLLIN, 0},
                         {WriteRequest_.Fd(), POLLIN, 0},
                         {awaitRoom ? Handle_ : -1, POLLOUT, 0}};
        if (Wait(fds, 3, state.drainWaitMs) < 0) {
            pollfd stop = {WriteStop_.Fd(), POLLIN, 0};
            Wait(&stop, 1, -1);
            break;
        }
        if (fds[0].revents != 0 || !WriteRun_) break;
        if (fds[1].revents != 0) WriteRequest_.Drain();
        _WritePass(state, fds[2].revents);
    }
    // Bytes written just before Close still go to the driver, which sends
    // them after the close; only what it has no room for now is lost.
    if (!HungUp_) _WritePass(state, 0);
    _ThreadEnded(WriteAlive_);
}

// Hands bytes to the driver until it takes no more (then the thread waits
// for room) or the transmit queue is empty.
void TComm32::_WritePass(TxState& state, short revents) {
    std::shared_lock gate(QueueGate_);
    if (DropUnsent_.exchange(false)) state.len = state.sent = 0;
    for (;;) {
        if (state.sent < state.len) {
            if (HungUp_) return;
            const ssize_t done = ::write(Handle_, state.buffer + state.sent,
                                         static_cast<std::size_t>(state.len - state.sent));
            if (done > 0) {
                state.sent += done;
                state.wrote = true;
                continue;
            }
            const CommFailure failure = IoFailure(done);
            if (failure == CommFailure::Retry && errno == EINTR) continue;
            if (failure != CommFailure::Retry || (revents & kLineTrouble) != 0) {
                HungUp_ = true;
                state.len = state.sent = 0;
            }
            return;
        }
        state.sent = 0;
        state.len = OutQueue_->Out(state.buffer, kChunk);
        if (state.len == 0) {
            _TransmitterIdle(state);
            return;
        }
    }
}

// Everything queued is with the driver: raise EV_TXEMPTY once the driver has
// sent it too, looking again after about the time the line needs for it.
void TComm32::_TransmitterIdle(TxState& state) {
    state.drainWaitMs = -1;
    if (!state.wrote) return;
    int pending = 0;
    if (posix_port::OutputPending(Handle_, pending) == 0 && pending > 0) {
        const long bitsPerByte = 2 + DCB.ByteSize + (DCB.Parity != NOPARITY ? 1 : 0);
        const long rate = std::max<long>(DCB.BaudRate, 1);
        state.drainWaitMs =
            static_cast<int>(std::clamp(pending * bitsPerByte * 1000 / rate + 1, 1L, 1000L));
        return;
    }
    state.wrote = false;
    TxEmpty_.Signal();
}

}  // namespace vantrel
