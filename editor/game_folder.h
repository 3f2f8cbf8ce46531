#pragma once
// A game folder as the editor opens it: the folder the launcher runs in, and
// its menu script found there as the launcher finds it.

#include <filesystem>
#include <optional>

namespace editor {

// The game folder named by `given`: a folder, or a game folder's
// Data/kelo.pod (any spelling of both names). Nothing for anything else.
std::optional<std::filesystem::path> gameFolderOf(const std::filesystem::path& given);

// FOLDER/Data/kelo.pod, each name matched in any spelling as the launcher
// matches it; as written where it does not exist yet.
std::filesystem::path scriptIn(const std::filesystem::path& folder);

}  // namespace editor
