#pragma once
// The line settings a port holds while closed and applies when it opens, in
// the layout and numbering serial programs have long used (a device control
// block), together with the event bits, modem-status bits, purge flags and
// line functions that go with it. Every number here is part of the port's
// interface: callers store and compare them.

#include <cstdint>

namespace vantrel {

// fDtrControl values.
inline constexpr std::uint8_t DTR_CONTROL_DISABLE = 0;
inline constexpr std::uint8_t DTR_CONTROL_ENABLE = 1;
inline constexpr std::uint8_t DTR_CONTROL_HANDSHAKE = 2;
// fRtsControl values.
inline constexpr std::uint8_t RTS_CONTROL_DISABLE = 0;
inline constexpr std::uint8_t RTS_CONTROL_ENABLE = 1;
inline constexpr std::uint8_t RTS_CONTROL_HANDSHAKE = 2;
inline constexpr std::uint8_t RTS_CONTROL_TOGGLE = 3;
// Parity values.
inline constexpr std::uint8_t NOPARITY = 0;
inline constexpr std::uint8_t ODDPARITY = 1;
inline constexpr std::uint8_t EVENPARITY = 2;
inline constexpr std::uint8_t MARKPARITY = 3;
inline constexpr std::uint8_t SPACEPARITY = 4;
// StopBits values.
inline constexpr std::uint8_t ONESTOPBIT = 0;
inline constexpr std::uint8_t ONE5STOPBITS = 1;
inline constexpr std::uint8_t TWOSTOPBITS = 2;

struct TCommDCB {
    std::uint32_t DCBlength = 28;
    std::uint32_t BaudRate = 115200;  // bits per second, any positive rate
    std::uint8_t fBinary = 1;
    std::uint8_t fParity = 0;       // check the parity of received bytes
    std::uint8_t fOutxCtsFlow = 0;  // CTS holds the transmitter
    std::uint8_t fOutxDsrFlow = 0;
    std::uint8_t fDtrControl = DTR_CONTROL_ENABLE;
    std::uint8_t fDsrSensitivity = 0;
    std::uint8_t fTXContinueOnXoff = 0;
    std::uint8_t fOutX = 0;  // XON/XOFF on what we send
    std::uint8_t fInX = 0;   // XON/XOFF on what we receive
    std::uint8_t fErrorChar = 0;
    std::uint8_t fNull = 0;
    std::uint8_t fRtsControl = RTS_CONTROL_ENABLE;
    std::uint8_t fAbortOnError = 0;
    std::uint16_t XonLim = 2048;
    std::uint16_t XoffLim = 512;
    std::uint8_t ByteSize = 8;
    std::uint8_t Parity = NOPARITY;
    std::uint8_t StopBits = ONESTOPBIT;
    char XonChar = 17;   // DC1
    char XoffChar = 19;  // DC3
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;  // receiving it raises EV_RXFLAG

    bool operator==(const TCommDCB&) const = default;
};

// Event bits of a notification mask.
inline constexpr int EV_RXCHAR = 0x0001;    // bytes arrived
inline constexpr int EV_RXFLAG = 0x0002;    // the event character arrived
inline constexpr int EV_TXEMPTY = 0x0004;   // everything queued was sent
inline constexpr int EV_CTS = 0x0008;       // CTS changed
inline constexpr int EV_DSR = 0x0010;       // DSR changed
inline constexpr int EV_RLSD = 0x0020;      // carrier detect changed
inline constexpr int EV_ERR = 0x0080;       // line error, or the device went away
inline constexpr int EV_RING = 0x0100;      // ring indicator came on
inline constexpr int EV_RX80FULL = 0x0400;  // the driver's input queue is 80 % full
// What opening and closing report: the three modem-line bits together.
inline constexpr int EV_OPEN_CLOSE = EV_CTS | EV_DSR | EV_RLSD;

// Modem-status bits.
inline constexpr unsigned long MS_CTS_ON = 0x10;
inline constexpr unsigned long MS_DSR_ON = 0x20;
inline constexpr unsigned long MS_RING_ON = 0x40;
inline constexpr unsigned long MS_RLSD_ON = 0x80;

// Purge flags.
inline constexpr unsigned long PURGE_TXABORT = 0x1;
inline constexpr unsigned long PURGE_RXABORT = 0x2;
inline constexpr unsigned long PURGE_TXCLEAR = 0x4;
inline constexpr unsigned long PURGE_RXCLEAR = 0x8;

// Line functions of TComm32::EscapeCommFunction.
inline constexpr unsigned long SETXOFF = 1;
inline constexpr unsigned long SETXON = 2;
inline constexpr unsigned long SETRTS = 3;
inline constexpr unsigned long CLRRTS = 4;
inline constexpr unsigned long SETDTR = 5;
inline constexpr unsigned long CLRDTR = 6;
inline constexpr unsigned long SETBREAK = 8;
inline constexpr unsigned long CLRBREAK = 9;

}  // namespace vantrel
