#pragma once
// The existence test for a Windows name: an existing file or folder.

#include <string>

namespace platform {

bool pathExists(const std::string& windowsPath);

}  // namespace platform
