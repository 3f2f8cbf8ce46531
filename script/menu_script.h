#pragma once
// Where a game folder keeps its menu script: a Windows name relative to the
// folder, which is the launcher's working folder.

namespace script {

inline constexpr const char* kScriptInGameFolder = "Data\\kelo.pod";

}  // namespace script
