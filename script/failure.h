#pragma once
// The one error type of both programs: what failed, which file on this system,
// where it was looked for, and where in which script.
//
// A failure is built in layers: the lowest layer names the kind and what is
// wrong, each caller above fills in what only it knows. Setters never replace a
// part that is already set, so the most precise layer wins:
//
//   throw Failure(FailureKind::FileNotFound).aboutFile(path, "Data\\kelo.pod");
//   catch (Failure& f) { f.inScript("Data/kelo.pod", 3).forKeyword("CMD1P"); throw; }
//
// report() turns the parts into the one line both the message box and standard
// error show, e.g.
//   File not found: Data/kelo.pod (looked in /home/ann/Games/Zembrot)
//   Overflow in Data/kelo.pod, line 2: TIMEDELAY 40000 is outside -32768..32767
//   File not found: ~/Varno/kelo.bak — press Compile/Save once to create it
// All parts are UTF-8 text.

#include <filesystem>
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
    PathFileAccessError,
    OutOfMemory,
    FileTooLarge,
    FileInUse,
};

// The failure's name as the user reads it, e.g. "Input past end of file".
std::string_view failureName(FailureKind kind);

// A file as a person on this system knows it.
struct FileNaming {
    std::string shown;        // "Data/kelo.pod", "~/Varno/kelo.bak", "/opt/game/x.bmp"
    std::string lookedIn;     // the folder a relative name was looked for, or found, in; empty for other names
    std::string windowsName;  // the Windows name, only where it says more than `shown`
};

// Names `path` (a path on this system) for a report: relative to `base` when it
// lies below it (the working folder when empty), "~/..." below the home
// folder, else absolute. `windowsName` is the name as the script or program
// wrote it (Windows-1252 bytes); it is kept only when its spelling differs
// from the shown name beyond '\' for '/' and the drive or home prefix.
FileNaming nameOnThisSystem(const std::filesystem::path& path, std::string_view windowsName = {},
                            const std::filesystem::path& base = {});

class Failure : public std::runtime_error {
public:
    explicit Failure(FailureKind kind, std::string detail = {});

    FailureKind kind() const { return kind_; }
    // What is wrong, e.g. "is outside -32768..32767", "is a folder".
    const std::string& detail() const { return detail_; }
    // The file the failure is about (a missing file, a picture that cannot be read).
    const FileNaming& file() const { return file_; }
    // The script and line in which the failure arose, and its keyword and value.
    const std::string& script() const { return script_; }
    int line() const { return line_; }
    const std::string& keyword() const { return keyword_; }
    const std::string& value() const { return value_; }
    // What the user can do about it, e.g. "press Compile/Save once to create it".
    const std::string& remedy() const { return remedy_; }

    Failure& withDetail(std::string detail);
    Failure& aboutFile(FileNaming file);
    Failure& aboutFile(const std::filesystem::path& path, std::string_view windowsName = {});
    Failure& lookedIn(std::string where);  // replaces the folder: e.g. "… and the folders of PATH"
    Failure& inScript(std::string script, int line = 0);
    Failure& forKeyword(std::string keyword);
    Failure& withValue(std::string value);
    Failure& withRemedy(std::string remedy);

    // One line for a person; see the examples above.
    std::string report() const;
    const char* what() const noexcept override { return report_.c_str(); }

private:
    void refresh();

    FailureKind kind_;
    std::string detail_;
    FileNaming file_;
    std::string script_;
    int line_ = 0;
    std::string keyword_;
    std::string value_;
    std::string remedy_;
    std::string report_;
};

}  // namespace script
