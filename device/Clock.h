#pragma once
// The pauses of the device link. The program sleeps for real; tests count
// the pauses and go on at once.

namespace vantrel {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual void Sleep(int milliseconds) = 0;
};

class SystemClock : public Clock {
  public:
    void Sleep(int milliseconds) override;
};

}  // namespace vantrel
