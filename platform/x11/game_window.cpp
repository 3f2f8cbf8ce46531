#include "platform/x11/game_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <optional>
#include <vector>

#include "platform/clock_and_wait.h"
#include "platform/program_windows.h"
#include "platform/x11/x_display.h"
#include "script/failure.h"

namespace platform {

namespace {

constexpr double askAgainSeconds = 0.5;
constexpr double pollSeconds = 0.05;

std::vector<unsigned long> cardinals(Display* display, Window window, const char* name, Atom type) {
    std::vector<unsigned long> values;
    const Atom property = XInternAtom(display, name, True);
    if (property == None) return values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (actualType == type && format == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            values.assign(items, items + count);
        }
        XFree(data);
    }
    return values;
}

bool hasProperty(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &type, &format,
                                          &count, &after, &data) == Success &&
                       type != None;
    if (data) XFree(data);
    return found;
}

// The application's own window below a child of the root: under a
// reparenting window manager the frame holds it, and the window manager
// marks it with WM_STATE; without one the child of the root is the window.
Window clientBelow(Display* display, Window frame, Atom wmState, int depth = 0) {
    if (hasProperty(display, frame, wmState)) return frame;
    if (depth >= 2) return None;
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = None;
    if (XQueryTree(display, frame, &root, &parent, &children, &count)) {
        for (unsigned i = count; i-- > 0 && found == None;) found = clientBelow(display, children[i], wmState, depth + 1);
        if (children) XFree(children);
    }
    return found;
}

// Every top-level application window, the topmost first. Pop-ups (menus,
// tool tips) bypass the window manager and are not top-levels.
std::vector<Window> topLevels(Display* display) {
    std::vector<Window> windows;
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return windows;
    for (unsigned i = count; i-- > 0;) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.override_redirect) continue;
        const Window client = clientBelow(display, children[i], wmState);
        windows.push_back(client != None ? client : children[i]);
    }
    if (children) XFree(children);
    return windows;
}

bool viewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

pid_t processOf(Display* display, Window window) {
    const auto pids = cardinals(display, window, "_NET_WM_PID", XA_CARDINAL);
    return pids.empty() ? 0 : static_cast<pid_t>(pids.front());
}

// A viewable window directly inside `window` made by `pid`: Wine's virtual
// desktop holds the windows of the programs it runs so.
bool holdsWindowOf(Display* display, Window window, pid_t pid) {
    Window root, parent;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i)
        found = processOf(display, children[i]) == pid && viewable(display, children[i]);
    if (children) XFree(children);
    return found;
}

// A window manager that follows the desktop conventions and takes
// _NET_ACTIVE_WINDOW requests.
bool activationByWindowManager(Display* display) {
    const Window root = DefaultRootWindow(display);
    const auto check = cardinals(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty()) return false;
    XErrorTrap trap(display);
    const auto confirmed = cardinals(display, check.front(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (trap.failed() || confirmed.empty() || confirmed.front() != check.front()) return false;
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    for (unsigned long atom : cardinals(display, root, "_NET_SUPPORTED", XA_ATOM))
        if (atom == active) return true;
    return false;
}

[[noreturn]] void fail(const std::string& text) { throw script::Failure(script::FailureKind::ProgramFailed, text); }

}  // namespace

void GameWindow::started(Display* display, pid_t pid, std::string name, ProgramEnding ending) {
    display_ = display;
    pid_ = pid;
    name_ = std::move(name);
    ending_ = std::move(ending);
    startedAt_ = monotonicSeconds();
    chosen_ = None;
    everShown_ = false;
    before_.clear();
    if (!display_) return;
    XErrorTrap trap(display_);
    for (Window window : topLevels(display_)) before_.insert(window);
}

// The program's top-level: the surest by windowRank; among equals the one
// already chosen, else the topmost.
Window GameWindow::find(const std::set<unsigned long>& own) {
    XErrorTrap trap(display_);
    RunningProcesses processes;
    Window best = None;
    int bestRank = notTheProgram;
    for (Window window : topLevels(display_)) {
        if (own.count(window) || !viewable(display_, window)) continue;
        const TopLevelFacts facts{processOf(display_, window), !before_.count(window),
                                  [&](pid_t pid) { return holdsWindowOf(display_, window, pid); }};
        const int rank = windowRank(facts, pid_, getpid(), processes);
        if (rank < bestRank || (rank == bestRank && rank != notTheProgram && window == chosen_)) {
            best = window;
            bestRank = rank;
        }
    }
    if (trap.failed()) return None;
    return best;
}

bool GameWindow::hasFocus(Window window) {
    XErrorTrap trap(display_);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    const Window root = DefaultRootWindow(display_);
    for (int depth = 0; depth < 16 && focus != None && focus != PointerRoot && focus != root; ++depth) {
        if (focus == window) return true;
        Window rootReturn, parent;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, focus, &rootReturn, &parent, &children, &count)) return false;
        if (children) XFree(children);
        focus = parent;
    }
    return false;
}

// Under a window manager the request goes to it, as a pager's would (source
// indication 2), which focus-stealing prevention lets through; without one
// nobody else will give the program the focus.
void GameWindow::askForFocus(Window window) {
    XErrorTrap trap(display_);
    const Window root = DefaultRootWindow(display_);
    if (activationByWindowManager(display_)) {
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = window;
        request.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
        request.xclient.format = 32;
        request.xclient.data.l[0] = 2;
        request.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    } else {
        XRaiseWindow(display_, window);
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    }
    XSync(display_, False);
}

void GameWindow::awaitFocus(const std::function<std::set<unsigned long>()>& ownWindows) {
    if (!display_ || pid_ <= 0) return;
    enum class Outcome { Waiting, Focused, Ended, NoWindow, NoFocus } outcome = Outcome::Waiting;
    std::string ending;
    double shownAt = -1, askedAt = -1e9;
    auto settled = [&] {
        const double now = monotonicSeconds();
        const Window window = find(ownWindows());
        if (window == None) {
            if (auto how = ending_ ? ending_() : std::nullopt) {
                ending = *how;
                outcome = Outcome::Ended;
            } else if (now - startedAt_ >= windowWaitSeconds) {
                outcome = Outcome::NoWindow;
            }
            return outcome != Outcome::Waiting;
        }
        if (window != chosen_) shownAt = now;
        chosen_ = window;
        everShown_ = true;
        if (hasFocus(window)) {
            outcome = Outcome::Focused;
        } else if (now - shownAt >= focusWaitSeconds) {
            outcome = Outcome::NoFocus;
        } else if (now - askedAt >= askAgainSeconds) {
            askForFocus(window);
            askedAt = now;
        }
        return outcome != Outcome::Waiting;
    };
    // Every condition above ends the wait in time; the timeout only guards.
    serviceEventsUntil(settled, windowWaitSeconds + 2 * focusWaitSeconds, pollSeconds);
    switch (outcome) {
        case Outcome::Focused: return;
        case Outcome::Ended:
            fail(name_ + (everShown_ ? " ended before it took its keys (" : " ended before it opened a window (") +
                 ending + ")");
        case Outcome::NoFocus: fail(name_ + "'s window did not take the keyboard focus");
        case Outcome::NoWindow:
        case Outcome::Waiting: fail(name_ + " did not open a window within 120 seconds");
    }
}

}  // namespace platform
