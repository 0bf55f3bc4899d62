#pragma once
// Where the device is: the port name of its USB serial bridge.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace vantrel {

class DeviceLocator {
  public:
    virtual ~DeviceLocator() = default;
    // The device's port name, an empty text when no device is present, or
    // nothing when the system's device list cannot be read at all (the
    // caller then keeps the name it found before).
    virtual std::optional<std::string> DevicePort() = 0;
};

// A port the user named (--port), or a simulator's pty: always that port; an
// empty text stands for a machine without the device.
class GivenPortLocator : public DeviceLocator {
  public:
    explicit GivenPortLocator(std::string port) : port_(std::move(port)) {}
    std::optional<std::string> DevicePort() override { return port_; }

  private:
    std::string port_;
};

// The port the user chose, while there is one; else wherever `fallback`
// finds the device.
class ChosenPortLocator : public DeviceLocator {
  public:
    explicit ChosenPortLocator(DeviceLocator& fallback) : fallback_(fallback) {}
    // An empty name goes back to looking for the device.
    void Choose(std::string port) { chosen_ = std::move(port); }
    const std::string& Chosen() const { return chosen_; }
    std::optional<std::string> DevicePort() override {
        return chosen_.empty() ? fallback_.DevicePort() : std::optional<std::string>(chosen_);
    }

  private:
    DeviceLocator& fallback_;
    std::string chosen_;
};

// Finds the first tty whose driver is the device's bridge driver (cp210x) in
// sysfs, ordered by name with numbers compared as numbers (ttyUSB2 before
// ttyUSB10). A port named by the environment variable VANTREL_PORT wins.
class SysfsDeviceLocator : public DeviceLocator {
  public:
    static constexpr const char* kBridgeDriver = "cp210x";
    static constexpr const char* kPortVariable = "VANTREL_PORT";

    // `sysRoot` stands for /sys and `devRoot` for /dev; `portOverride`, when
    // set and not empty, is returned as it stands.
    SysfsDeviceLocator(std::filesystem::path sysRoot, std::filesystem::path devRoot,
                       std::optional<std::string> portOverride);
    // The real system: /sys, /dev and VANTREL_PORT.
    static SysfsDeviceLocator FromEnvironment();

    std::optional<std::string> DevicePort() override;

  private:
    std::filesystem::path sysRoot_;
    std::filesystem::path devRoot_;
    std::optional<std::string> portOverride_;
};

// True when `a` sorts before `b` with runs of digits compared as numbers.
bool NaturalLess(const std::string& a, const std::string& b);

}  // namespace vantrel
