#include "platform/x11/game_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include <optional>
#include <vector>

#include "platform/clock_and_wait.h"
#include "platform/program_windows.h"
#include "platform/startup_notice.h"
#include "platform/x11/x_display.h"
#include "script/failure.h"

namespace platform {

namespace {

constexpr double pollSeconds = 0.02;
// Ping stamps of the readiness check, apart from those of the keystrokes.
constexpr long firstReadinessStamp = 1L << 24;

std::vector<unsigned long> cardinals(Display* display, Window window, const char* name, Atom type) {
    std::vector<unsigned long> values;
    const Atom property = XInternAtom(display, name, True);
    if (property == None) return values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 65536, False, type, &actualType, &format, &count, &after,
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

// The window manager that follows the desktop conventions, if one runs.
bool ewmhWindowManager(Display* display) {
    const Window root = DefaultRootWindow(display);
    const auto check = cardinals(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty()) return false;
    XErrorTrap trap(display);
    const auto confirmed = cardinals(display, check.front(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return !trap.failed() && !confirmed.empty() && confirmed.front() == check.front();
}

bool supported(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, False);
    for (unsigned long each : cardinals(display, DefaultRootWindow(display), "_NET_SUPPORTED", XA_ATOM))
        if (each == atom) return true;
    return false;
}

// Every top-level application window, the topmost first. A window manager
// that follows the desktop conventions lists the windows it manages, whatever
// its frames are (some make them bypass redirection, as pop-ups do); without
// one the children of the root are the windows, or frames holding them.
std::vector<Window> topLevels(Display* display) {
    if (ewmhWindowManager(display)) {
        auto managed = cardinals(display, DefaultRootWindow(display), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
        if (managed.empty()) managed = cardinals(display, DefaultRootWindow(display), "_NET_CLIENT_LIST", XA_WINDOW);
        if (!managed.empty()) return {managed.rbegin(), managed.rend()};
    }
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

bool listsProtocol(Display* display, Window window, const char* name) {
    const Atom protocol = XInternAtom(display, name, False);
    Atom* protocols = nullptr;
    int count = 0;
    bool found = false;
    if (XGetWMProtocols(display, window, &protocols, &count)) {
        for (int i = 0; i < count; ++i) found = found || protocols[i] == protocol;
        XFree(protocols);
    }
    return found;
}

std::string hostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? name : "localhost";
}

}  // namespace

// What is followed of the chosen window: its paints and its ping answer.
struct GameWindow::Watch {
    Window window = None;
    Damage damage = None;
    bool listsPing = false;
    long pingStamp = 0;
    bool pingAnswered = false;
    double firstPaint = -1, lastPaint = -1;
};

GameWindow::GameWindow() = default;
GameWindow::~GameWindow() = default;

std::string GameWindow::starting(Display* display, const std::string& name, unsigned long userTime) {
    if (pid_ > 0) endStartupNotice();
    display_ = display;
    pid_ = 0;
    name_ = name;
    rule_.reset();
    watch_.reset();
    before_.clear();
    startupId_.clear();
    if (!display_) return {};
    XErrorTrap trap(display_);
    for (Window window : topLevels(display_)) before_.insert(window);
    // Ping answers and the windows' comings and goings arrive on the root.
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);

    static unsigned serial = 0;
    const unsigned long time = userTime ? userTime : serverTime();
    startupId_ = startupId(program_invocation_short_name, getpid(), hostName(), name, ++serial, time);
    const std::string message = startupMessage("new:", {{"ID", startupId_},
                                                        {"NAME", name},
                                                        {"BIN", name},
                                                        {"SCREEN", std::to_string(DefaultScreen(display_))},
                                                        {"DESCRIPTION", "Starting " + name}});
    sendStartupMessage(message);
    return startupId_;
}

void GameWindow::endStartupNotice() {
    if (!display_ || startupId_.empty()) return;
    sendStartupMessage(startupMessage("remove:", {{"ID", startupId_}}));
    startupId_.clear();
}

// Broadcast on the root in pieces, as window managers and task bars read it.
void GameWindow::sendStartupMessage(const std::string& message) {
    XErrorTrap trap(display_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = messageWindow();
    event.xclient.format = 8;
    Atom type = XInternAtom(display_, "_NET_STARTUP_INFO_BEGIN", False);
    for (const std::string& piece : startupMessagePieces(message)) {
        event.xclient.message_type = type;
        type = XInternAtom(display_, "_NET_STARTUP_INFO", False);
        std::copy(piece.begin(), piece.end(), event.xclient.data.b);
        XSendEvent(display_, DefaultRootWindow(display_), False, PropertyChangeMask, &event);
    }
    XFlush(display_);
}

// A window of our own that is never shown: the sender of the start-up
// messages, and where the server's time is learnt.
Window GameWindow::messageWindow() {
    if (messageWindow_ == None) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        messageWindow_ = XCreateWindow(display_, DefaultRootWindow(display_), -1, -1, 1, 1, 0, 0, InputOnly,
                                       CopyFromParent, CWEventMask, &attributes);
    }
    return messageWindow_;
}

void GameWindow::started(pid_t pid, ProgramEnding ending) {
    pid_ = pid;
    ending_ = std::move(ending);
    endedHow_.clear();
    last_ = DriveStep::Wait;
    rule_ = std::make_unique<DriveRule>(monotonicSeconds());
}

void GameWindow::notStarted() {
    endStartupNotice();
    pid_ = 0;
}

// A property change on a window of our own comes back dated by the server.
Time GameWindow::serverTime() {
    if (!display_) return CurrentTime;
    const Window window = messageWindow();
    const Atom stamp = XInternAtom(display_, "_LORVANE_TIME", False);
    XChangeProperty(display_, window, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XSync(display_, False);
    XEvent event;
    Time time = CurrentTime;
    while (XCheckTypedWindowEvent(display_, window, PropertyNotify, &event)) time = event.xproperty.time;
    return time;
}

// The program's top-level by windowRank, its readiness and its focus.
DriveSight GameWindow::sight(const OwnWindows& own) {
    readEvents();
    DriveSight seen;
    seen.now = monotonicSeconds();
    seen.window = find(own());
    if (seen.window == None) {
        if (auto how = ending_ ? ending_() : std::nullopt) {
            seen.ended = true;
            endedHow_ = *how;
        }
        return seen;
    }
    follow(seen.window);
    seen.focused = hasFocus(seen.window);
    seen.listsPing = watch_->listsPing;
    seen.pingAnswered = watch_->pingAnswered;
    seen.firstPaint = watch_->firstPaint;
    seen.lastPaint = watch_->lastPaint;
    return seen;
}

unsigned long GameWindow::find(const std::set<unsigned long>& own) {
    XErrorTrap trap(display_);
    RunningProcesses processes;
    std::vector<TopLevelFacts> windows;
    for (Window window : topLevels(display_)) {
        if (!viewable(display_, window)) continue;
        windows.push_back({processOf(display_, window), !before_.count(window),
                           [this, window](pid_t pid) { return holdsWindowOf(display_, window, pid); }, window,
                           own.count(window) > 0});
    }
    const unsigned long chosen = rule_ ? rule_->window() : 0;
    const unsigned long found = programWindow(windows, chosen, pid_, getpid(), processes);
    return trap.failed() ? None : found;
}

// A newly chosen window is watched for its paints and asked for a ping
// answer, which shows it reads its events.
void GameWindow::follow(Window window) {
    if (watch_ && watch_->window == window) return;
    XErrorTrap trap(display_);
    if (watch_ && watch_->damage != None) XDamageDestroy(display_, watch_->damage);
    static long stamps = firstReadinessStamp;
    watch_ = std::make_unique<Watch>();
    watch_->window = window;
    int event = 0, error = 0;
    if (XDamageQueryExtension(display_, &event, &error))
        watch_->damage = XDamageCreate(display_, window, XDamageReportNonEmpty);
    watch_->listsPing = listsProtocol(display_, window, "_NET_WM_PING");
    if (watch_->listsPing) {
        watch_->pingStamp = ++stamps;
        XEvent ping{};
        ping.xclient.type = ClientMessage;
        ping.xclient.window = window;
        ping.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        ping.xclient.format = 32;
        ping.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "_NET_WM_PING", False));
        ping.xclient.data.l[1] = watch_->pingStamp;
        ping.xclient.data.l[2] = static_cast<long>(window);
        XSendEvent(display_, window, False, NoEventMask, &ping);
    }
    XSync(display_, False);
    // The window's first show ends the desktop's start-up notice.
    endStartupNotice();
}

void GameWindow::readEvents() {
    if (!display_) return;
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        observe(event);
    }
}

void GameWindow::observe(const XEvent& event) {
    if (!watch_ || !display_) return;
    int damageEvent = 0, damageError = 0;
    if (watch_->damage != None && XDamageQueryExtension(display_, &damageEvent, &damageError) &&
        event.type == damageEvent + XDamageNotify) {
        const auto& notice = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (notice.damage != watch_->damage) return;
        watch_->lastPaint = monotonicSeconds();
        if (watch_->firstPaint < 0) watch_->firstPaint = watch_->lastPaint;
        XErrorTrap trap(display_);
        XDamageSubtract(display_, watch_->damage, None, None);
        return;
    }
    if (event.type == ClientMessage && watch_->pingStamp &&
        event.xclient.message_type == XInternAtom(display_, "WM_PROTOCOLS", False) &&
        event.xclient.data.l[1] == watch_->pingStamp)
        watch_->pingAnswered = true;
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

// Under a window manager the request goes to it as a pager's would (source
// indication 2), dated with a time the server gave: focus-stealing
// prevention turns down requests that carry none. Without one nobody else
// will give the program the focus, and where the window manager lets the
// requests pass (some compositors only mark the window) it is given too.
void GameWindow::askForFocus(Window window, bool insist) {
    const Time now = serverTime();
    XErrorTrap trap(display_);
    const Window root = DefaultRootWindow(display_);
    const bool managed = ewmhWindowManager(display_) && supported(display_, "_NET_ACTIVE_WINDOW");
    if (managed) {
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = window;
        request.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
        request.xclient.format = 32;
        request.xclient.data.l[0] = 2;
        request.xclient.data.l[1] = static_cast<long>(now);
        XSendEvent(display_, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    }
    if (!managed || insist) {
        XRaiseWindow(display_, window);
        XSetInputFocus(display_, window, RevertToParent, now);
        // A program that takes the focus itself when told to (Wine's
        // windows) counts its window active only then.
        if (listsProtocol(display_, window, "WM_TAKE_FOCUS")) {
            XEvent message{};
            message.xclient.type = ClientMessage;
            message.xclient.window = window;
            message.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
            message.xclient.format = 32;
            message.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_TAKE_FOCUS", False));
            message.xclient.data.l[1] = static_cast<long>(now);
            XSendEvent(display_, window, False, NoEventMask, &message);
        }
    }
    XSync(display_, False);
}

DriveStep GameWindow::step(const OwnWindows& own) {
    if (!rule_) return DriveStep::Send;
    if (last_ == DriveStep::Ended || last_ == DriveStep::NoWindow || last_ == DriveStep::WindowClosed ||
        last_ == DriveStep::NoFocus)
        return last_;
    const DriveSight seen = sight(own);
    last_ = rule_->next(seen);
    if (last_ == DriveStep::AskForFocus) askForFocus(seen.window, rule_->insisting());
    if (last_ != DriveStep::Wait && last_ != DriveStep::AskForFocus && last_ != DriveStep::Send) endStartupNotice();
    return last_;
}

bool GameWindow::look(const OwnWindows& own) {
    if (!display_ || pid_ <= 0) return true;
    const DriveStep now = step(own);
    return now == DriveStep::Wait || now == DriveStep::AskForFocus || now == DriveStep::Send;
}

void GameWindow::awaitFocus(const OwnWindows& own) {
    if (!display_ || pid_ <= 0) return;
    DriveStep now = DriveStep::Wait;
    // Every step of the rule ends the wait in time; the timeout only guards.
    serviceEventsUntil(
        [&] {
            now = step(own);
            return now != DriveStep::Wait && now != DriveStep::AskForFocus;
        },
        DriveTimes{}.windowWait + 30, pollSeconds);
    if (now == DriveStep::Send) return;
    if (now == DriveStep::Wait || now == DriveStep::AskForFocus) now = DriveStep::NoWindow;
    throw script::Failure(script::FailureKind::ProgramFailed,
                          driveFailure(now, name_, rule_ && rule_->everShown(), endedHow_));
}

}  // namespace platform
