#include "failure.h"

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
    }
    return "Unknown failure";
}

Failure::Failure(FailureKind kind, std::string detail, std::string file, int line, std::string keyword)
    : std::runtime_error(std::string(failureName(kind))),
      kind_(kind),
      detail_(std::move(detail)),
      file_(std::move(file)),
      line_(line),
      keyword_(std::move(keyword)) {
    refresh();
}

Failure& Failure::inFile(std::string file, int line) {
    if (file_.empty()) file_ = std::move(file);
    if (line_ == 0) line_ = line;
    refresh();
    return *this;
}

Failure& Failure::forKeyword(std::string keyword) {
    if (keyword_.empty()) keyword_ = std::move(keyword);
    refresh();
    return *this;
}

void Failure::refresh() {
    report_ = std::string(failureName(kind_));
    if (!file_.empty()) report_ += " in " + file_;
    if (line_ > 0) report_ += ", line " + std::to_string(line_);
    if (!keyword_.empty() || !detail_.empty()) {
        report_ += ": " + keyword_;
        if (!keyword_.empty() && !detail_.empty()) report_ += " ";
        report_ += detail_;
    }
}

std::string Failure::report() const { return report_; }

}  // namespace script
