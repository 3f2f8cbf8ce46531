#pragma once
// The clocks the programs read and the wait that keeps the window alive.

#include <ctime>
#include <functional>

namespace platform {

// Seconds since local midnight, with a fraction.
double secondsSinceLocalMidnight();
// Seconds on the monotonic clock.
double monotonicSeconds();
std::tm localTimeNow();

// Waits `seconds` on the monotonic clock. With a running Qt application the
// window events are serviced meanwhile in a nested loop that sleeps until the
// next event or the deadline; without one the thread just sleeps.
void serviceEventsFor(double seconds);

// Services events until `done` answers true, checking it every `pollSeconds`,
// or until `timeoutSeconds` have passed. Returns the last answer of `done`.
bool serviceEventsUntil(const std::function<bool()>& done, double timeoutSeconds,
                        double pollSeconds = 0.02);

}  // namespace platform
