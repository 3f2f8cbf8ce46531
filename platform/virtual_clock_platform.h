#pragma once
// A Platform on a virtual clock: time moves only when its waits move it. The
// dry run and the tests' recording platform both stand on it.

#include "platform/platform.h"

namespace platform {

class VirtualClockPlatform : public Platform {
public:
    explicit VirtualClockPlatform(double start = 0) : now(start) {}

    // Seconds since local midnight, and the monotonic clock alike.
    double now;

    double Timer() override { return now; }
    double MonotonicSeconds() override { return now; }
};

}  // namespace platform
