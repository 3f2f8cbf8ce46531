#pragma once
// Whole-file reads and writes with failures named the way the programs report them.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
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

// A file's new content, written in full to a temporary file beside the file
// it is to replace (symbolic links followed), so that a full disk or a file
// that may not be replaced fails before anything is replaced. Replaced by
// replaceAll; dropped unused, the temporary file goes with it.
class PreparedFile {
public:
    // Throws Failure as writeFileReplacing would, with nothing changed.
    PreparedFile(const std::filesystem::path& path, const std::string& bytes, std::string_view windowsName);
    ~PreparedFile();
    PreparedFile(PreparedFile&& other) noexcept;
    PreparedFile& operator=(PreparedFile&&) = delete;
    PreparedFile(const PreparedFile&) = delete;
    PreparedFile& operator=(const PreparedFile&) = delete;

    const std::filesystem::path& path() const { return path_; }      // as given
    const std::filesystem::path& target() const { return target_; }  // the file replaced

private:
    friend void replaceAll(std::span<PreparedFile> files,
                           const std::function<void(const std::filesystem::path&)>& beforeReplacing);
    void replace();

    std::filesystem::path path_, target_, temporary_;
    std::string windowsName_;
};

// Puts every prepared file in place of its old one, in order. When one of
// them cannot be, those already replaced get their old content back (or go,
// where there was none), so the files change together or not at all.
// `beforeReplacing` runs before each file is replaced and may throw.
void replaceAll(std::span<PreparedFile> files,
                const std::function<void(const std::filesystem::path&)>& beforeReplacing = {});

}  // namespace script
