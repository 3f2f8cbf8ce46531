#pragma once
// A program started by a test, with its standard output read line by line.
// The destructor kills it, so no test leaves a process behind.

#include <string>
#include <vector>

namespace platform_tests {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of output; false when none came within `timeoutSeconds`.
    bool readLine(std::string& line, double timeoutSeconds);
    // All lines that arrive within `seconds`.
    std::vector<std::string> linesFor(double seconds);
    void killHard();  // SIGKILL and reap
    int pid() const { return pid_; }

private:
    int pid_ = -1;
    int out_ = -1;
    std::string buffer_;
};

}  // namespace platform_tests
