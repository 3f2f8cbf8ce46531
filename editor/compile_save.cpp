#include "compile_save.h"

#include <cerrno>
#include <system_error>

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

// The file behind a fixed name, its folder made, once it is known that it may be replaced.
std::filesystem::path replaceableFile(const std::string& windowsName) {
    const std::filesystem::path path = script::mapWindowsPath(windowsName);
    ensureFolderOf(path);
    script::replaceableFile(path, windowsName);
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
                    const std::function<void()>& compileComplete) {
    // A file that may not be replaced fails before either is written, so the
    // two never disagree because one of them is read-only.
    const std::filesystem::path menuScript = replaceableFile(kMenuScriptName);
    const std::filesystem::path stateFile = replaceableFile(kStateFileName);
    script::writeFileReplacing(menuScript,
                               script::writeMenuScript(snapshot, script::formatDateTime(platform.LocalTime())),
                               kMenuScriptName);
    compileComplete();
    script::writeFileReplacing(stateFile,
                               script::writeStateFile(snapshot, script::formatDateTime(platform.LocalTime())),
                               kStateFileName);
}

}  // namespace editor
