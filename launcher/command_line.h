#pragma once
#include <optional>

namespace launcher {

// The exit status when the arguments ask for something other than the start
// screen (--help, --version, a usage error); nothing when there are none.
std::optional<int> handleCommandLine(int argc, const char* const* argv);

}  // namespace launcher
