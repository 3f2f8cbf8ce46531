#pragma once
// Which of the desktop's windows is a started program's: the rule, apart
// from the window system, and the facts about processes that it weighs.

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>

namespace platform {

// A process's command line as /proc gives it, each word ended by a NUL.
// True when it runs one of Wine's own programs (the prefix set-up, the
// desktop, the services, the device drivers, the setup helpers): Wine runs
// them from its Windows folder and shows their Windows command line.
bool runsWineOwnProgram(const std::string& commandLine);

// What the rule needs to know of other processes, asked only when needed.
class ProcessFacts {
public:
    virtual ~ProcessFacts() = default;
    virtual bool descendsFrom(pid_t pid, pid_t ancestor) = 0;
    virtual std::string commandLine(pid_t pid) = 0;
};

// The processes running now, read from /proc on first need.
class RunningProcesses : public ProcessFacts {
public:
    bool descendsFrom(pid_t pid, pid_t ancestor) override;
    std::string commandLine(pid_t pid) override;

private:
    std::optional<std::map<pid_t, pid_t>> parents_;
};

// How surely a viewable top-level window is the started program's, the
// surest lowest: 0 the program made it; 1 a process the program started did;
// 2 it is new since the start. `notTheProgram` for our own windows, for the
// windows of Wine's own programs (a first start sets up the Wine prefix and
// shows its progress in a window of its own while the program waits), and
// for windows that were there before the start. `windowPid` is 0 when the
// window does not say which process made it.
constexpr int notTheProgram = 3;
int windowRank(pid_t windowPid, bool newSinceStart, pid_t program, pid_t self, ProcessFacts& processes);

}  // namespace platform
