#include "windows_path.h"

#include "cp1252.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <ctime>
#include <mutex>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace fs = std::filesystem;

namespace script {

namespace {

// Folds a Windows-1252 letter to lower case, accented letters included.
unsigned char foldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F) return 0xFF;
    return c;
}

std::string foldedCp1252(const std::string& utf8) {
    std::string folded = utf8ToCp1252(utf8);
    for (auto& c : folded) c = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
    return folded;
}

// Whether a name on disk folds to `folded`, without a copy of the name while
// it is plain ASCII: in a folder of thousands nearly every name differs
// within its first letters. From the first other character on, the whole
// name is converted.
bool foldsTo(const std::string& utf8, std::string_view folded) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) return foldedCp1252(utf8) == folded;
        if (i >= folded.size() || static_cast<char>(foldCase(c)) != folded[i]) return false;
    }
    return utf8.size() == folded.size();
}

// Listings of the folders searched so far, so that a name missing from a large
// folder costs one scan per process rather than one per question (the
// launcher asks after its background picture on every settings pass). A
// listing holds while the folder keeps its identity and its times of change;
// one taken within two seconds of the last change is not kept, since a change
// in the same tick of the file system's clock would leave the times as they were.
class FolderListings {
public:
    std::optional<std::string> find(const fs::path& folder, const std::string& name) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
        const std::string folded = foldedCp1252(name);
        const std::lock_guard lock(mutex_);
        auto cached = listings_.find(folder.string());
        if (cached == listings_.end() || !cached->second.describes(info)) {
            Listing listing = list(folder, info);
            if (!listing.recent) {
                if (listings_.size() >= kMaxFolders) listings_.clear();
                cached = listings_.insert_or_assign(folder.string(), std::move(listing)).first;
            } else {
                return lookUp(listing, folded);
            }
        }
        return lookUp(cached->second, folded);
    }

private:
    static constexpr std::size_t kMaxFolders = 64;

    struct Listing {
        dev_t device = 0;
        ino_t inode = 0;
        timespec modified{}, changed{};
        bool recent = false;
        std::unordered_map<std::string, std::string> byFoldedName;  // the first entry of each spelling

        bool describes(const struct stat& info) const {
            auto same = [](const timespec& a, const timespec& b) {
                return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
            };
            return device == info.st_dev && inode == info.st_ino && same(modified, info.st_mtim) &&
                   same(changed, info.st_ctim);
        }
    };

    static Listing list(const fs::path& folder, const struct stat& info) {
        Listing listing;
        listing.device = info.st_dev;
        listing.inode = info.st_ino;
        listing.modified = info.st_mtim;
        listing.changed = info.st_ctim;
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        listing.recent = now.tv_sec - info.st_mtim.tv_sec < 2;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string candidate = it->path().filename().string();
            listing.byFoldedName.emplace(foldedCp1252(candidate), std::move(candidate));
        }
        return listing;
    }

    static std::optional<std::string> lookUp(const Listing& listing, const std::string& folded) {
        const auto found = listing.byFoldedName.find(folded);
        if (found == listing.byFoldedName.end()) return std::nullopt;
        return found->second;
    }

    std::mutex mutex_;
    std::unordered_map<std::string, Listing> listings_;
};

// The entry of `folder` spelled `name`, exactly if it exists, else in any letter case.
std::optional<std::string> findEntry(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return name;
    static FolderListings listings;
    return listings.find(folder, name);
}

}  // namespace

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/";
}

fs::path mapWindowsPath(std::string_view windowsPath, const fs::path& base) {
    return mapWindowsPath(windowsPath, base, findEntry);
}

fs::path mapWindowsPath(std::string_view windowsPath, const fs::path& base, const EntryFinder& entryIn) {
    // Names come from the script's Windows-1252 bytes; file names here are UTF-8.
    std::string text = cp1252ToUtf8(windowsPath);
    for (auto& c : text)
        if (c == '\\') c = '/';

    fs::path result;
    if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
        result = homeFolder();
        text.erase(0, 2);
    } else if (!text.empty() && text[0] == '/') {
        result = homeFolder();
    } else {
        result = base;
    }

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }

    bool found = true;
    for (const auto& part : parts) {
        if (part == "." || part == "..") {
            result /= part;
            continue;
        }
        if (found) {
            if (auto entry = entryIn(result, part)) {
                result /= *entry;
                continue;
            }
            found = false;
        }
        result /= part;
    }
    return result;
}

fs::path mapWindowsPath(std::string_view windowsPath) {
    std::error_code ec;
    fs::path base = fs::current_path(ec);
    return mapWindowsPath(windowsPath, ec ? fs::path(".") : base);
}

namespace {

bool existsAsFileOrFolder(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error) return false;
    return fs::is_regular_file(status) || fs::is_directory(status);
}

}  // namespace

bool windowsPathExists(std::string_view windowsPath, const fs::path& base) {
    return !windowsPath.empty() && existsAsFileOrFolder(mapWindowsPath(windowsPath, base));
}

bool windowsPathExists(std::string_view windowsPath) {
    return !windowsPath.empty() && existsAsFileOrFolder(mapWindowsPath(windowsPath));
}

namespace {

class SystemFileQueries : public FileQueries {
public:
    Kind kindOf(const fs::path& path) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) return Kind::Missing;
        if (S_ISREG(info.st_mode)) return Kind::File;
        return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
    }

    std::vector<std::string> namesIn(const fs::path& folder) override {
        // Plain readdir: a path object per entry would cost more than reading it.
        std::vector<std::string> names;
        DIR* entries = ::opendir(folder.c_str());
        if (!entries) return names;
        // Growing the list step by step moves a large folder's names over
        // and over; a folder's size in bytes gives a fair guess of its length
        // (an entry takes some 24 bytes on ext4), and a wrong one costs only
        // untouched address space or a few more steps.
        struct stat info {};
        if (::fstat(::dirfd(entries), &info) == 0 && info.st_size > 0)
            names.reserve(static_cast<std::size_t>(std::min<off_t>(info.st_size / 24, 1 << 20)));
        while (const dirent* entry = ::readdir(entries)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..") names.emplace_back(name);
        }
        ::closedir(entries);
        return names;
    }
};

}  // namespace

FileQueries& systemFileQueries() {
    static SystemFileQueries queries;
    return queries;
}

NameFinder::NameFinder(fs::path base, FileQueries& queries) : base_(std::move(base)), queries_(queries) {}

NameFinder::Found NameFinder::find(std::string_view windowsName) {
    const std::lock_guard lock(mutex_);
    if (auto known = found_.find(windowsName); known != found_.end()) return known->second;
    Found result;
    if (!windowsName.empty()) {
        bool allFound = true;
        result.path = mapWindowsPath(windowsName, base_, [&](const fs::path& folder, const std::string& name) {
            auto entry = entryIn(folder, name);
            allFound = allFound && entry.has_value();
            return entry;
        });
        // Past a component that is not there, nothing is: no need to ask.
        if (allFound) result.kind = kindOf(result.path);
    }
    return found_.emplace(std::string(windowsName), result).first->second;
}

FileQueries::Kind NameFinder::kindOf(const fs::path& path) {
    auto known = kinds_.find(path);
    if (known == kinds_.end()) known = kinds_.emplace(path, queries_.kindOf(path)).first;
    return known->second;
}

std::optional<std::string> NameFinder::entryIn(const fs::path& folder, const std::string& name) {
    if (kindOf(folder / name) != FileQueries::Kind::Missing) return name;
    if (kindOf(folder) != FileQueries::Kind::Folder) return std::nullopt;
    auto listed = names_.find(folder);
    if (listed == names_.end()) listed = names_.emplace(folder, queries_.namesIn(folder)).first;
    const std::string folded = foldedCp1252(name);
    for (const std::string& candidate : listed->second)
        if (foldsTo(candidate, folded)) return candidate;
    return std::nullopt;
}

}  // namespace script
