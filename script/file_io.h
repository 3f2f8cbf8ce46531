#pragma once
// Whole-file reads and writes with failures named the way the programs report them.

#include <filesystem>
#include <string>
#include <string_view>

namespace script {

// Throws Failure(FileNotFound / PermissionDenied / ...) naming the file as
// this system knows it, and `windowsName` where that says more.
std::string readWholeFile(const std::filesystem::path& path, std::string_view windowsName);

// Writes to a temporary file beside `path` and renames it over the old one, so
// that a failed write never leaves a half-written file where a good one stood.
void writeFileReplacing(const std::filesystem::path& path, const std::string& bytes,
                        std::string_view windowsName);

}  // namespace script
