#include "platform/path_existence.h"

#include "script/windows_path.h"

namespace platform {

bool pathExists(const std::string& windowsPath) { return script::windowsPathExists(windowsPath); }

}  // namespace platform
