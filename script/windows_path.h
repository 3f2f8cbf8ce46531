#pragma once
// Windows names as the menu script and the programs use them, found on Linux.

#include <filesystem>
#include <string_view>

namespace script {

// The user's home folder: HOME, else the password database.
std::filesystem::path homeFolder();

// Maps a Windows name (Windows-1252 bytes, as a script holds it) onto this
// file system of UTF-8 names: '\' becomes '/', "c:" and a
// leading '\' stand for the home folder, and every component that does not
// exist with its exact case is matched case-insensitively among its siblings.
// Relative names are taken from `base`. Components past the first one that
// cannot be found are kept as written.
std::filesystem::path mapWindowsPath(std::string_view windowsPath,
                                     const std::filesystem::path& base);
std::filesystem::path mapWindowsPath(std::string_view windowsPath);  // base: working folder

// The existence test for a Windows name: an existing file or folder, found as
// mapWindowsPath finds it. An empty name names nothing.
bool windowsPathExists(std::string_view windowsPath, const std::filesystem::path& base);
bool windowsPathExists(std::string_view windowsPath);  // base: working folder

}  // namespace script
