#pragma once
// When keys may go to a started program's window, when to ask for the focus
// again, and when to give up: the timing of the drive, apart from the window
// system, so that every case can be played through on a virtual clock.

#include <string>

namespace platform {

struct DriveTimes {
    double windowWait = 120;   // for a program that has shown no window yet
    double closedGrace = 1.0;  // a window gone: time for the program to show another
    double focusWait = 5;      // the focus not back within this: report
    double askAgain = 0.5;
    // Asked this often without an answer, the launcher gives the focus itself.
    int asksBeforeInsisting = 2;
    // Before the first key to a new window: at most this long.
    double readyAtMost = 2.0;
    // Without a ping answer: its first paint, settled, and never sooner
    // than a player could have reacted to the window.
    double readyAtLeast = 0.3;
    // A paint ends when nothing more is drawn for this long; a blinking
    // cursor redraws less often.
    double paintSettle = 0.09;
    // What is drawn this soon after the window is first drawn into is its
    // clearing as it maps, not the program's own first picture.
    double clearing = 0.1;
};

// What is seen of the program at one moment.
struct DriveSight {
    double now = 0;
    bool ended = false;
    // A window of the program is viewable, and which one.
    unsigned long window = 0;
    bool focused = false;
    bool listsPing = false;
    bool pingAnswered = false;  // by this window, since it was shown
    // When this window was first and last drawn into; <0 never.
    double firstPaint = -1, lastPaint = -1;
};

enum class DriveStep { Wait, AskForFocus, Send, Ended, NoWindow, WindowClosed, NoFocus };

class DriveRule {
public:
    explicit DriveRule(double startedAt, DriveTimes times = {}) : startedAt_(startedAt), times_(times) {}
    DriveStep next(const DriveSight& sight);
    bool everShown() const { return everShown_; }
    // The window the drive follows; 0 while none is shown.
    unsigned long window() const { return window_; }
    // A new window was shown by the last step: its readiness starts over.
    double shownAt() const { return shownAt_; }
    // The desktop has let the last requests pass unanswered: the focus is
    // to be given, not asked for.
    bool insisting() const { return asks_ > times_.asksBeforeInsisting; }

private:
    bool ready(const DriveSight& sight);

    double startedAt_;
    DriveTimes times_;
    unsigned long window_ = 0;
    bool everShown_ = false;
    bool ready_ = false;
    double shownAt_ = -1, goneAt_ = -1, unfocusedAt_ = -1, askedAt_ = -1;
    int asks_ = 0;
};

// The report for a step that ends the drive; empty for the others.
// `ending` says how the program ended ("exit status 3").
std::string driveFailure(DriveStep step, const std::string& program, bool everShown, const std::string& ending);

}  // namespace platform
