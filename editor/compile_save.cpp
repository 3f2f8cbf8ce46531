#include "compile_save.h"

#include <cerrno>
#include <system_error>
#include <vector>

#include "editor/save_lock.h"

#include "script/cp1252.h"
#include "script/failure.h"
#include "script/file_io.h"
#include "script/windows_path.h"

namespace editor {

namespace {

// An installation would have made the editor's folders; make them when missing.
void ensureFolderOf(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (!error) return;
    const bool denied = error == std::errc::permission_denied ||
                        error == std::errc::operation_not_permitted ||
                        error == std::errc::read_only_file_system;
    throw script::Failure(denied ? script::FailureKind::PermissionDenied : script::FailureKind::PathNotFound,
                          "cannot be made: " + error.message())
        .aboutFile(file.parent_path());
}

// The file behind a fixed name, its folder made.
std::filesystem::path fileWithFolder(const std::string& windowsName) {
    const std::filesystem::path path = script::mapWindowsPath(windowsName);
    ensureFolderOf(path);
    return path;
}

}  // namespace

script::EditorSnapshot makeSnapshot(const std::array<std::string, 32>& texts,
                                    const SwitchVariables& switches) {
    script::EditorSnapshot snapshot;
    for (std::size_t n = 1; n < texts.size(); ++n) snapshot.text[n] = script::utf8ToCp1252(texts[n]);
    static_cast<script::SwitchValues&>(snapshot) = switches;
    return snapshot;
}

void compileAndSave(const script::EditorSnapshot& snapshot, platform::Platform& platform,
                    const std::function<void()>& compileComplete, const SaveSeams& seams) {
    const std::filesystem::path menuScript = fileWithFolder(kMenuScriptName);
    const std::filesystem::path stateFile = fileWithFolder(kStateFileName);
    {
        const SaveLock lock(pairLockFile(), stateFile);
        std::vector<script::PreparedFile> files;
        files.reserve(2);
        auto prepare = [&](const std::filesystem::path& path, const char* windowsName, auto write) {
            if (seams.beforePreparing) seams.beforePreparing(path);
            files.emplace_back(path, write(snapshot, script::formatDateTime(platform.LocalTime())), windowsName);
        };
        prepare(menuScript, kMenuScriptName, script::writeMenuScript);
        prepare(stateFile, kStateFileName, script::writeStateFile);
        script::replaceAll(files, seams.beforeReplacing);
    }
    // Said only once both files hold the fields, and with the lock let go:
    // the box waits for the user.
    compileComplete();
}

}  // namespace editor
