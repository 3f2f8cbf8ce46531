#pragma once
// Compile/Save: the menu script and the editor's state file from one
// snapshot of the window, written whole to the editor's fixed folder.

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "script/writer.h"
#include "switch_variables.h"

namespace editor {

inline constexpr const char* kMenuScriptName = "c:\\Varno\\Data\\kelo.pod";
inline constexpr const char* kStateFileName = "c:\\Varno\\kelo.bak";

// texts[n] is TextN as the window shows it (UTF-8); the files get Windows-1252.
script::EditorSnapshot makeSnapshot(const std::array<std::string, 32>& texts,
                                    const SwitchVariables& switches);

// Writes the menu script, runs `compileComplete` (the message box, which
// returns once it is closed), then writes the state file with the clock read
// again. The folders are created when missing. Throws script::Failure naming
// the file; a failure on the menu script leaves the state file untouched, and
// neither is written when either may not be replaced (read-only, a folder in
// its place). Symbolic links are followed: their targets get the new bytes.
void compileAndSave(const script::EditorSnapshot& snapshot, platform::Platform& platform,
                    const std::function<void()>& compileComplete);

}  // namespace editor
