#pragma once
// What the device link needs of a serial port: a name, one of two line
// rates, open and close, and non-blocking byte moves. The serial library's
// device component stands behind it in the program; tests use a scripted
// port.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

// The two line rates of the device: command sentences and text replies at
// 9600 baud, block transfers at 115200 baud.
enum class LinkBaud : int { Baud9600 = 9600, Baud115200 = 115200 };

class LinkPort {
  public:
    virtual ~LinkPort() = default;

    // Setting the name or the rate closes the port; SetActive(true) opens it
    // again with the new settings.
    virtual void SetPortName(const std::string& name) = 0;
    virtual void SetBaud(LinkBaud baud) = 0;
    // Opens (true) or closes (false) the port. Opening may throw
    // LinkPortError, whose message tells the user what to do.
    virtual void SetActive(bool active) = 0;
    virtual bool Active() const = 0;
    // True once the open port has gone away (unplugged, hung up, failing
    // reads): nothing more will come through it until it is opened again.
    virtual bool Lost() const = 0;

    // Queues bytes for sending without blocking; returns how many were taken.
    virtual long Write(const std::uint8_t* bytes, std::size_t count) = 0;
    // Takes up to `count` received bytes without blocking; 0 when none wait.
    virtual std::size_t Read(std::uint8_t* bytes, std::size_t count) = 0;
    // Discards received bytes not yet read.
    virtual void PurgeRead(bool abort) = 0;
    // Clears the line's error state after opening.
    virtual void ClearCommError() = 0;
};

}  // namespace vantrel
