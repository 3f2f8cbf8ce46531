#pragma once
// Starting programs without a shell and without waiting for them, and
// learning later whether a started program has ended.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace script {
class Failure;
}

namespace platform {

// How a program would be started, found out without starting it.
struct ProgramPlan {
    std::string program;     // the program's name as given
    std::string file;        // the file that would run; empty when none is found
    bool windowsProgram = false;  // the file begins with "MZ"
    bool throughWine = false;     // a Windows program, with wine on the path
    std::filesystem::path folder;  // where relative names were looked for; empty: the working folder
};
// Relative names are taken from `folder`, or from the working folder when it is empty.
ProgramPlan planProgram(const std::string& commandLine, const std::filesystem::path& folder = {});
// Throws the failure that starting would give when the plan cannot start:
// FileNotFound, or ProgramFailed for a Windows program with no wine.
void requireStartable(const ProgramPlan& plan);

// Starts a program file from the working folder (a Windows name, optionally
// followed by arguments) in a window of its own.
// A Windows executable runs through wine. Throws script::Failure naming the
// program when it cannot be started: FileNotFound, or ProgramFailed for a
// Windows program with no wine on the path.
struct StartedProgram {
    pid_t pid = 0;
    std::string name;  // the program's name as the command line gave it
};
// `environment` ("NAME=value") is added to the program's environment.
StartedProgram startProgram(const std::string& commandLine, const std::vector<std::string>& environment = {});

// How a started program ended; nothing while it runs.
using ProgramEnding = std::function<std::optional<std::string>()>;

// How a program started by startProgram ended ("exit status 3", "killed by
// signal 9"); nothing while it runs. The ended program is reaped here.
std::optional<std::string> programEnding(pid_t pid);

// Opens a file (a Windows name) with the desktop's default application for
// it. Throws script::Failure(FileNotFound) when no opener can be started;
// calls `whenNotOpened` from the event loop when the opener ends in failure
// (it found no application it could start).
void openWithDesktop(const std::string& windowsPath, std::function<void(const script::Failure&)> whenNotOpened);

}  // namespace platform
