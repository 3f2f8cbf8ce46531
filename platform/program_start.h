#pragma once
// Starting programs without a shell and without waiting for them.

#include <string>

namespace platform {

// Starts a program file from the working folder (a Windows name, optionally
// followed by arguments) in a window of its own. A Windows executable runs
// through wine when wine is on the path. Throws script::Failure(FileNotFound)
// naming the program when it cannot be started.
void startProgram(const std::string& commandLine);

// Opens a file (a Windows name) with the desktop's default application for
// it. Throws script::Failure(FileNotFound) when no opener can be started.
void openWithDesktop(const std::string& windowsPath);

}  // namespace platform
