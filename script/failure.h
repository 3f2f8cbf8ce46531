#pragma once
// The one error type of both programs: what failed, and where in which file.

#include <stdexcept>
#include <string>
#include <string_view>

namespace script {

enum class FailureKind {
    FileNotFound,
    InputPastEndOfFile,
    Overflow,
    TypeMismatch,
    PathNotFound,
    PermissionDenied,
    InvalidProcedureCall,
    InvalidPicture,
    DiskFull,
    DeviceIOError,
    ProgramFailed,
};

// The failure's name as the user reads it, e.g. "Input past end of file".
std::string_view failureName(FailureKind kind);

class Failure : public std::runtime_error {
public:
    explicit Failure(FailureKind kind, std::string detail = {}, std::string file = {},
                     int line = 0, std::string keyword = {});

    FailureKind kind() const { return kind_; }
    const std::string& detail() const { return detail_; }
    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& keyword() const { return keyword_; }

    // Fill in what a lower layer could not know; parts already set are kept.
    Failure& inFile(std::string file, int line = 0);
    Failure& forKeyword(std::string keyword);

    // One line for a person, e.g.
    // "Type mismatch in Data\kelo.pod, line 14: BACKCOLOR needs three numbers".
    std::string report() const;

private:
    void refresh();

    FailureKind kind_;
    std::string detail_;
    std::string file_;
    int line_;
    std::string keyword_;
    std::string report_;
};

}  // namespace script
