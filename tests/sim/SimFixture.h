#pragma once
// A simulator serving its pty on its own thread, and the PC's end of it.

#include <gtest/gtest.h>

#include <memory>

#include "PcPort.h"
#include "PcTransfers.h"
#include "sim/BlockFrames.h"
#include "sim/Simulator.h"

namespace vantrel::sim::testing {

class SimLine : public ::testing::Test {
  protected:
    void Open(LineOptions line = {}, std::filesystem::path uploadDir = {}) {
        sim_ = std::make_unique<Simulator>(memory_, SimulatorOptions{line, {}, uploadDir});
        sim_->Start();
        port_ = std::make_unique<PcPort>(sim_->PortPath());
    }

    // An image as it arrives in whole blocks: padded with erased flash.
    static Bytes Padded(Bytes image) {
        image.resize(BlockCount(image.size()) * kBlockSize, 0xFF);
        return image;
    }

    // True when the device answers the guider request, that is, listens for commands.
    bool InCommandMode() {
        port_->ReadUntilQuiet(100ms);
        port_->Send("$POEM14,0*\r\n");
        return port_->ReadReply().starts_with("$POEM103,");
    }

    DeviceMemory memory_ = DemoMemory(2, 300);
    std::unique_ptr<Simulator> sim_;
    std::unique_ptr<PcPort> port_;  // closed before the simulator stops
};

}  // namespace vantrel::sim::testing
