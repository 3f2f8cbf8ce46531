#pragma once
// A program started for a walk or a test, ended again when this goes away.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace desktop_driver {

class ChildProcess {
public:
    // Starts `program` in `folder` without a shell. Standard error goes to
    // `stderrFile` when one is given. Throws std::runtime_error on failure.
    ChildProcess(const std::filesystem::path& program, const std::filesystem::path& folder,
                 const std::vector<std::string>& arguments = {},
                 const std::filesystem::path& stderrFile = {});
    ~ChildProcess();  // ends the process (SIGTERM, then SIGKILL) if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // The exit status once it has ended within `timeout`; a signal gives 128 + n.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    void terminate();

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Processes of this user whose working folder is `folder` (programs that a
// started program started in turn, such as the game the launcher runs).
std::vector<pid_t> processesWorkingIn(const std::filesystem::path& folder);
// Ends each of them by its id: SIGTERM, then SIGKILL after a grace period.
void endProcessesWorkingIn(const std::filesystem::path& folder);

std::string readFile(const std::filesystem::path& path);

}  // namespace desktop_driver
