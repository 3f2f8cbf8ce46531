#pragma once
// The top-level window of the program the launcher started, found among the
// desktop's windows and handed the keyboard focus before keys go to it.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <set>
#include <string>

#include "platform/program_start.h"

namespace platform {

class GameWindow {
public:
    static constexpr double windowWaitSeconds = 120.0;
    static constexpr double focusWaitSeconds = 5.0;

    // A program was started: from now on its window is the one keys go to.
    // The windows already on the desktop are noted, since none of them can
    // be the program's. `ending` tells whether it has ended, and how.
    void started(Display* display, pid_t pid, std::string name, ProgramEnding ending);
    bool watching() const { return pid_ > 0; }

    // Waits, servicing window events, until the program's window is viewable
    // and has the keyboard focus, asking for the focus as the desktop
    // expects. Throws script::Failure(ProgramFailed) when the program ends
    // first, shows no window within 120 seconds of its start, or its window
    // does not take the focus. `ownWindows` lists the caller's own windows,
    // which are never taken for the program's.
    void awaitFocus(const std::function<std::set<unsigned long>()>& ownWindows);

private:
    Window find(const std::set<unsigned long>& own);
    bool hasFocus(Window window);
    void askForFocus(Window window);

    Display* display_ = nullptr;
    pid_t pid_ = 0;
    std::string name_;
    ProgramEnding ending_;
    double startedAt_ = 0;
    std::set<Window> before_;
    Window chosen_ = None;
    bool everShown_ = false;
};

}  // namespace platform
