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

// Points in a save where a test can make it fail, as a full disk or a failed
// rename would; each is given the file about to be written or replaced.
struct SaveSeams {
    std::function<void(const std::filesystem::path&)> beforePreparing;
    std::function<void(const std::filesystem::path&)> beforeReplacing;
};

// Writes the menu script and the state file in full beside their old ones,
// each with its own reading of the clock, puts both in place, and only then
// runs `compileComplete` (the message box, which returns once it is closed).
// Any failure leaves both old files as they were; the folders are created
// when missing. The pair is locked against other editors while it is
// written (not while the box is open). Throws script::Failure naming the
// file. Symbolic links are followed: their targets get the new bytes.
void compileAndSave(const script::EditorSnapshot& snapshot, platform::Platform& platform,
                    const std::function<void()>& compileComplete, const SaveSeams& seams = {});

}  // namespace editor
