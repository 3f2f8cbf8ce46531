#pragma once
// Finding and loading the library of desktop services.

#include <memory>

#include "platform/desktop_backend.h"

namespace platform {

// Loads the library from beside the program (../lib/lorvane/desktop in the
// build folder, the same below the installed library folder) and makes
// its services. Null, after one line on standard error, when it cannot.
std::unique_ptr<DesktopBackend> loadDesktopBackend();

}  // namespace platform
