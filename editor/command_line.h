#pragma once
#include <optional>

namespace editor {

// The exit status when the arguments ask for something other than the
// editor's window (--help, --version, a usage error); nothing when there are none.
std::optional<int> handleCommandLine(int argc, const char* const* argv);

}  // namespace editor
