#include "platform/path_existence.h"

#include <filesystem>
#include <system_error>

#include "script/windows_path.h"

namespace platform {

bool pathExists(const std::string& windowsPath) {
    if (windowsPath.empty()) return false;
    std::error_code error;
    const auto status = std::filesystem::status(script::mapWindowsPath(windowsPath), error);
    if (error) return false;
    return std::filesystem::is_regular_file(status) || std::filesystem::is_directory(status);
}

}  // namespace platform
