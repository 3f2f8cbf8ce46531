#include "editor/game_folder.h"

#include <system_error>

#include "script/menu_script.h"
#include "script/reading_rule.h"
#include "script/windows_path.h"

namespace editor {

namespace {


bool named(const std::filesystem::path& path, const char* upperName) {
    return script::upperAscii(path.filename().string()) == upperName;
}

}  // namespace

std::optional<std::filesystem::path> gameFolderOf(const std::filesystem::path& given) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(given, error).lexically_normal();
    if (error) return std::nullopt;
    if (std::filesystem::is_directory(full, error)) {
        // "FOLDER/" names FOLDER.
        return full.has_filename() ? full : full.parent_path();
    }
    if (std::filesystem::is_regular_file(full, error) && named(full, "KELO.POD") &&
        named(full.parent_path(), "DATA"))
        return full.parent_path().parent_path();
    return std::nullopt;
}

std::filesystem::path scriptIn(const std::filesystem::path& folder) {
    return script::mapWindowsPath(script::kScriptInGameFolder, folder);
}

}  // namespace editor
