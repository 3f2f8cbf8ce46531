#pragma once
// Which of the desktop's windows is a started program's: the rule, apart
// from the window system, and the facts about processes that it weighs.

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// A viewable top-level window, as far as the rule needs to know it.
struct TopLevelFacts {
    pid_t pid = 0;  // the process that made it; 0 when the window does not say
    bool newSinceStart = false;
    // Whether a viewable window inside it was made by that process, as the
    // windows in Wine's virtual desktop are. Asked only when needed.
    std::function<bool(pid_t)> holdsWindowOf;
    unsigned long id = 0;
    bool ours = false;  // one of the caller's own windows
};

// How surely a top-level window is the started program's, the surest
// lowest: 0 the program made it, or it is Wine's virtual desktop showing a
// window of the program; 1 a process the program started made it; 2 it is
// new since the start. `notTheProgram` for our own windows, for the other
// windows of Wine's own programs (a first start sets up the Wine prefix and
// shows its progress in a window of its own while the program waits), and
// for windows that were there before the start.
constexpr int notTheProgram = 3;
int windowRank(const TopLevelFacts& window, pid_t program, pid_t self, ProcessFacts& processes);

// The program's window among the viewable top-levels, listed topmost first:
// the surest by windowRank; among equals the one `chosen` before, else the
// topmost. 0 when none of them is the program's.
unsigned long programWindow(const std::vector<TopLevelFacts>& windows, unsigned long chosen, pid_t program,
                            pid_t self, ProcessFacts& processes);

}  // namespace platform
