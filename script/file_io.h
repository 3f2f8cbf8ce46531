#pragma once
// Whole-file reads and writes with failures named the way the programs report them.

#include <filesystem>
#include <string>

namespace script {

// Throws Failure(FileNotFound / PermissionDenied / ...) naming `shownName`.
std::string readWholeFile(const std::filesystem::path& path, const std::string& shownName);

// Writes to a temporary file beside `path` and renames it over the old one, so
// that a failed write never leaves a half-written file where a good one stood.
void writeFileReplacing(const std::filesystem::path& path, const std::string& bytes,
                        const std::string& shownName);

}  // namespace script
