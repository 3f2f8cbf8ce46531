#pragma once
#include <filesystem>
#include <optional>

namespace editor {

// What the arguments ask of the editor.
struct CommandLine {
    // Set when they have been answered (--help, --version, a usage error):
    // the program ends with this status.
    std::optional<int> exitStatus;
    // The game folder to open at start, from `varno FOLDER` or
    // `varno FOLDER/Data/kelo.pod`.
    std::optional<std::filesystem::path> gameFolder;
};

CommandLine readCommandLine(int argc, const char* const* argv);

}  // namespace editor
