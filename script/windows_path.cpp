#include "windows_path.h"

#include "cp1252.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>
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

bool equalNoCase(const std::string& utf8a, const std::string& utf8b) {
    const std::string a = utf8ToCp1252(utf8a), b = utf8ToCp1252(utf8b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// The entry of `folder` spelled `name`, exactly if it exists, else in any letter case.
std::optional<std::string> findEntry(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return name;
    fs::directory_iterator it(folder, ec);
    if (ec) return std::nullopt;
    for (const auto& entry : it) {
        const std::string candidate = entry.path().filename().string();
        if (equalNoCase(candidate, name)) return candidate;
    }
    return std::nullopt;
}

}  // namespace

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/";
}

fs::path mapWindowsPath(std::string_view windowsPath, const fs::path& base) {
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
            if (auto entry = findEntry(result, part)) {
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

}  // namespace script
