#pragma once
// Windows names as the menu script and the programs use them, found on Linux.

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The same walk with the spelling of each component found by `entryIn`:
// given a folder and a name, the entry of the folder that the name stands
// for, or nothing when there is none.
using EntryFinder = std::function<std::optional<std::string>(const std::filesystem::path& folder,
                                                             const std::string& name)>;
std::filesystem::path mapWindowsPath(std::string_view windowsPath, const std::filesystem::path& base,
                                     const EntryFinder& entryIn);

// The existence test for a Windows name: an existing file or folder, found as
// mapWindowsPath finds it. An empty name names nothing.
bool windowsPathExists(std::string_view windowsPath, const std::filesystem::path& base);
bool windowsPathExists(std::string_view windowsPath);  // base: working folder

// What finding names asks of the file system: what a path is, and the
// names in a folder. The system's answers by default; a test counts them.
class FileQueries {
public:
    enum class Kind { Missing, File, Folder, Other };
    virtual ~FileQueries() = default;
    // Follows symbolic links, as opening the path would.
    virtual Kind kindOf(const std::filesystem::path& path) = 0;
    // One pass over the folder's entries, in the order it keeps them.
    virtual std::vector<std::string> namesIn(const std::filesystem::path& folder) = 0;
};
FileQueries& systemFileQueries();

// Windows names found below one folder, as mapWindowsPath finds them, for as
// long as its files are taken not to change (one start-up, one drawing).
// Each path is asked about once, a missing one too, and a folder's names
// are read once, and only when a name is not there with its exact spelling.
// Safe to share between threads.
class NameFinder {
public:
    struct Found {
        std::filesystem::path path;
        FileQueries::Kind kind = FileQueries::Kind::Missing;
        bool exists() const { return kind == FileQueries::Kind::File || kind == FileQueries::Kind::Folder; }
    };

    explicit NameFinder(std::filesystem::path base, FileQueries& queries = systemFileQueries());
    const std::filesystem::path& base() const { return base_; }
    Found find(std::string_view windowsName);

private:
    FileQueries::Kind kindOf(const std::filesystem::path& path);
    std::optional<std::string> entryIn(const std::filesystem::path& folder, const std::string& name);

    std::filesystem::path base_;
    FileQueries& queries_;
    std::mutex mutex_;
    std::map<std::string, Found, std::less<>> found_;
    std::map<std::filesystem::path, FileQueries::Kind> kinds_;
    std::map<std::filesystem::path, std::vector<std::string>> names_;
};

}  // namespace script
