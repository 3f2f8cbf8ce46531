#include "failure.h"

#include <optional>

#include "cp1252.h"
#include "windows_path.h"

namespace fs = std::filesystem;

namespace script {

std::string_view failureName(FailureKind kind) {
    switch (kind) {
        case FailureKind::FileNotFound: return "File not found";
        case FailureKind::InputPastEndOfFile: return "Input past end of file";
        case FailureKind::Overflow: return "Overflow";
        case FailureKind::TypeMismatch: return "Type mismatch";
        case FailureKind::PathNotFound: return "Path not found";
        case FailureKind::PermissionDenied: return "Permission denied";
        case FailureKind::InvalidProcedureCall: return "Invalid procedure call";
        case FailureKind::InvalidPicture: return "Invalid picture";
        case FailureKind::DiskFull: return "Disk full";
        case FailureKind::DeviceIOError: return "Device I/O error";
        case FailureKind::ProgramFailed: return "Program failed";
        case FailureKind::PathFileAccessError: return "Path/File access error";
        case FailureKind::OutOfMemory: return "Out of memory";
        case FailureKind::FileTooLarge: return "File too large";
        case FailureKind::FileInUse: return "File in use";
    }
    return "Unknown failure";
}

namespace {

// `path` relative to `folder` when it lies below it.
std::optional<fs::path> below(const fs::path& path, const fs::path& folder) {
    if (folder.empty()) return std::nullopt;
    const fs::path relative = path.lexically_relative(folder.lexically_normal());
    if (relative.empty() || *relative.begin() == "..") return std::nullopt;
    return relative;
}

// A Windows name reduced to what a shown name spells: '/' for '\', without a
// drive or a leading separator.
std::string spelledAsShown(std::string_view windowsName) {
    std::string text = cp1252ToUtf8(windowsName);
    for (auto& c : text)
        if (c == '\\') c = '/';
    if (text.size() >= 2 && text[1] == ':') text.erase(0, 2);
    while (!text.empty() && text.front() == '/') text.erase(0, 1);
    return text;
}

}  // namespace

FileNaming nameOnThisSystem(const fs::path& path, std::string_view windowsName, const fs::path& base) {
    std::error_code error;
    fs::path folder = base.empty() ? fs::current_path(error) : base;
    const fs::path full = fs::absolute(path, error).lexically_normal();

    FileNaming naming;
    std::string unprefixed;
    if (auto relative = below(full, folder)) {
        naming.shown = relative->string();
        naming.lookedIn = folder.lexically_normal().string();
        if (!naming.lookedIn.empty() && naming.lookedIn.size() > 1 && naming.lookedIn.back() == '/')
            naming.lookedIn.pop_back();
        unprefixed = naming.shown;
    } else if (auto inHome = below(full, homeFolder())) {
        naming.shown = "~/" + inHome->string();
        unprefixed = inHome->string();
    } else {
        naming.shown = full.string();
        unprefixed = naming.shown.substr(1);
    }
    if (!windowsName.empty()) {
        std::string written = spelledAsShown(windowsName);
        if (written != unprefixed) naming.windowsName = cp1252ToUtf8(windowsName);
    }
    return naming;
}

Failure::Failure(FailureKind kind, std::string detail)
    : std::runtime_error(std::string(failureName(kind))), kind_(kind), detail_(std::move(detail)) {
    refresh();
}

Failure& Failure::withDetail(std::string detail) {
    if (detail_.empty()) detail_ = std::move(detail);
    refresh();
    return *this;
}

Failure& Failure::aboutFile(FileNaming file) {
    if (file_.shown.empty()) file_ = std::move(file);
    refresh();
    return *this;
}

Failure& Failure::aboutFile(const fs::path& path, std::string_view windowsName) {
    if (file_.shown.empty()) return aboutFile(nameOnThisSystem(path, windowsName));
    return *this;
}

Failure& Failure::lookedIn(std::string where) {
    file_.lookedIn = std::move(where);
    refresh();
    return *this;
}

Failure& Failure::inScript(std::string script, int line) {
    if (script_.empty()) script_ = std::move(script);
    if (line_ == 0) line_ = line;
    refresh();
    return *this;
}

Failure& Failure::forKeyword(std::string keyword) {
    if (keyword_.empty()) keyword_ = std::move(keyword);
    refresh();
    return *this;
}

Failure& Failure::withValue(std::string value) {
    if (value_.empty()) value_ = std::move(value);
    refresh();
    return *this;
}

Failure& Failure::withRemedy(std::string remedy) {
    if (remedy_.empty()) remedy_ = std::move(remedy);
    refresh();
    return *this;
}

void Failure::refresh() {
    auto& r = report_;
    r = std::string(failureName(kind_));
    auto place = [&] {
        if (line_ > 0) r += ", line " + std::to_string(line_);
    };
    if (!file_.shown.empty()) {
        // A failure about a file: the file first, then where it was looked for,
        // then the script line that named it.
        r += ": " + file_.shown;
        if (!detail_.empty()) r += " " + detail_;
        if (!file_.windowsName.empty() || !file_.lookedIn.empty()) {
            r += " (";
            r += file_.windowsName;
            if (!file_.windowsName.empty() && !file_.lookedIn.empty()) r += ", ";
            // Where a missing file was looked for; where one that is there is.
            if (!file_.lookedIn.empty())
                r += (kind_ == FailureKind::FileNotFound ? "looked in " : "in ") + file_.lookedIn;
            r += ")";
        }
        if (!keyword_.empty() || !script_.empty()) {
            r += ", named by";
            if (!keyword_.empty()) r += " " + keyword_;
            if (!script_.empty()) r += " in " + script_;
            place();
        }
    } else {
        // A failure inside a script: where, then what is wrong with which value.
        if (!script_.empty()) {
            r += " in " + script_;
            place();
        }
        std::string what = keyword_;
        for (const std::string* part : {&value_, &detail_})
            if (!part->empty()) what += (what.empty() ? "" : " ") + *part;
        if (!what.empty()) r += ": " + what;
    }
    if (!remedy_.empty()) r += " \u2014 " + remedy_;
}

std::string Failure::report() const { return report_; }

}  // namespace script
