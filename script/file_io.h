#pragma once
// Whole-file reads and writes with failures named the way the programs report them.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace script {

// No script or state file is larger; anything beyond is taken for a mistake.
inline constexpr std::uint64_t kLargestReadableFile = 64u << 20;

// Throws Failure(FileNotFound / PermissionDenied / ...) naming the file as
// this system knows it, and `windowsName` where that says more;
// PathFileAccessError for a folder, a pipe or a device, which are never opened
// for reading (a pipe would block), and FileTooLarge beyond kLargestReadableFile.
std::string readWholeFile(const std::filesystem::path& path, std::string_view windowsName);

// The file that writeFileReplacing(path) would replace, symbolic links
// followed, once it is known that it may: a file the user may not write, and a
// folder, pipe or device in its place, fail as writeFileReplacing would.
std::filesystem::path replaceableFile(const std::filesystem::path& path, std::string_view windowsName);

// Writes to a temporary file beside `path` and renames it over the old one, so
// that a failed write never leaves a half-written file where a good one stood.
// A symbolic link is followed: its target is replaced with its permissions
// kept, and the link stays. A file the user may not write is a
// PermissionDenied failure, and nothing is written.
void writeFileReplacing(const std::filesystem::path& path, const std::string& bytes,
                        std::string_view windowsName);

}  // namespace script
