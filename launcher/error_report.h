#pragma once
// How a failure that no handler caught is shown to the user.

#include "script/failure.h"

namespace launcher {

// Prints the report to standard error and, when there is a display, shows it
// in one message box and waits until it is dismissed.
void reportFailure(const script::Failure& failure);

// True when windows can be shown (not the offscreen or minimal platform).
bool displayAvailable();

}  // namespace launcher
