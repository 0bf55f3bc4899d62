#pragma once
// The device link's port in the program: the serial library's device
// component, set up as the window places it (PortNo 5, "COM5", 9600 baud,
// data events only), behind the LinkPort interface.

#include "device/LinkPort.h"
#include "serial/KxCommDevice.h"

namespace vantrel {

class CommPortLink : public LinkPort {
  public:
    // `commPort` must outlive this object. `syncEvents` false suits owners
    // that never drain the component's notifications (the command line,
    // tests); the window drains them and keeps them synchronised.
    CommPortLink(TKxCommDevice& commPort, bool syncEvents);

    void SetPortName(const std::string& name) override;
    void SetBaud(LinkBaud baud) override;
    // Opening failures are raised as LinkPortError carrying the library's
    // message followed by advice the user can act on.
    void SetActive(bool active) override;
    bool Active() const override;
    bool Lost() const override;
    long Write(const std::uint8_t* bytes, std::size_t count) override;
    std::size_t Read(std::uint8_t* bytes, std::size_t count) override;
    void PurgeRead(bool abort) override;
    // Line errors are cleared by the port's own receive thread on Linux.
    void ClearCommError() override {}

  private:
    TKxCommDevice& commPort_;
};

}  // namespace vantrel
