#pragma once
// The top-level window of the program the launcher started, found among the
// desktop's windows, waited for until the program can read keys, and handed
// the keyboard focus before keys go to it.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "platform/drive_rule.h"
#include "platform/program_start.h"

namespace platform {

class GameWindow {
public:
    using OwnWindows = std::function<std::set<unsigned long>()>;

    GameWindow();
    ~GameWindow();

    // Before the program is spawned: notes the windows already on the desktop
    // (none of them can be the program's) and announces the start to the
    // desktop, dated `userTime` (the server time of the player's click or
    // key; 0 for now). Returns the start-up id for the program's
    // DESKTOP_STARTUP_ID; empty without a display.
    std::string starting(Display* display, const std::string& name, unsigned long userTime);
    // The program runs: from now on its window is the one keys go to.
    // `ending` tells whether it has ended, and how.
    void started(pid_t pid, ProgramEnding ending);
    // It could not be started after all.
    void notStarted();
    bool watching() const { return pid_ > 0; }

    // Waits, servicing window events, until the program's window is viewable,
    // can read keys and has the keyboard focus, asking for the focus as the
    // desktop expects. Throws script::Failure(ProgramFailed) when the program
    // ends first, shows no window within 120 seconds of its start, closes its
    // window, or its window does not take the focus. `own` lists the
    // caller's own windows, which are never taken for the program's.
    void awaitFocus(const OwnWindows& own);
    // One look without waiting, asking for the focus again when the game has
    // lost it: false once the drive cannot go on (awaitFocus then says why).
    bool look(const OwnWindows& own);

    // An event read from the display by someone else on this connection.
    void observe(const XEvent& event);
    // The X server's time now, learnt from the server.
    Time serverTime();

private:
    struct Watch;
    DriveSight sight(const OwnWindows& own);
    unsigned long find(const std::set<unsigned long>& own);
    bool hasFocus(Window window);
    void askForFocus(Window window, bool insist);
    void follow(Window window);
    void readEvents();
    void endStartupNotice();
    void sendStartupMessage(const std::string& message);
    Window messageWindow();
    DriveStep step(const OwnWindows& own);

    Display* display_ = nullptr;
    pid_t pid_ = 0;
    std::string name_;
    std::string startupId_;
    ProgramEnding ending_;
    std::unique_ptr<DriveRule> rule_;
    DriveStep last_ = DriveStep::Wait;
    std::string endedHow_;
    std::set<Window> before_;
    std::unique_ptr<Watch> watch_;
    Window messageWindow_ = None;
};

}  // namespace platform
