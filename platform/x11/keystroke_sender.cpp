// Qt before Xlib: Xlib's macros (None, KeyPress, ...) clash with Qt's names.
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <QVariant>
#include <QWindow>

#include "platform/x11/keystroke_sender.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cstdint>

#include "platform/clock_and_wait.h"
#include "script/failure.h"

namespace platform {

namespace {

constexpr double focusWaitSeconds = 5.0;
constexpr double pingTimeoutSeconds = 1.0;
constexpr double settleSeconds = 0.05;

bool isOurX11Application() {
    return QGuiApplication::instance() && QGuiApplication::platformName() == QLatin1String("xcb");
}

}  // namespace

KeystrokeSender::KeystrokeSender() = default;
KeystrokeSender::~KeystrokeSender() = default;

void KeystrokeSender::send(const std::vector<KeyStroke>& strokes) {
    display_ = connection_.display();
    int event, error, major, minor;
    if (!display_ || !XTestQueryExtension(display_, &event, &error, &major, &minor))
        throw script::Failure(script::FailureKind::DeviceIOError, "no X display with XTest for keystrokes");
    if (strokes.empty()) return;

    keepOwnWindowsPassive(true);
    struct Restore {
        KeystrokeSender& sender;
        ~Restore() { sender.keepOwnWindowsPassive(false); }
    } restore{*this};
    const auto own = [this] { return ownWindows(); };
    try {
        if (game_.watching()) game_.awaitFocus(own);
        else waitWhileFocusIsOurs();
        loadKeyboardMap();
        releaseHeldModifiers();
        // The focus can leave the game between two keys (a click the desktop
        // acted on, a compositor's own shortcut): the rest waits until it is back.
        for (const KeyStroke& stroke : strokes) {
            if (game_.watching()) game_.awaitFocus(own);
            pressAndRelease(stroke);
        }
    } catch (...) {
        endDrive();
        throw;
    }
    waitUntilProcessed();
    returnSpareKeycodes();
}

void KeystrokeSender::keepOwnWindowsPassive(bool passive) {
    if (!isOurX11Application()) return;
    const int before = passive_;
    passive_ = std::max(0, passive_ + (passive ? 1 : -1));
    if ((before > 0) == (passive_ > 0)) return;
    // X window managers keep the focus where it is on a click into a window
    // that takes none; some of them move it away on a click that passes
    // through (onto the frame or the desktop). A Wayland compositor moves
    // the focus on the click itself, unless the click passes through.
    Qt::WindowFlags passiveFlags = Qt::WindowDoesNotAcceptFocus;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) passiveFlags |= Qt::WindowTransparentForInput;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->handle()) continue;
        // Only what was added here is taken away again.
        const QVariant added = window->property("lorvanePassiveFlags");
        if (passive_ > 0 && !added.isValid()) {
            const Qt::WindowFlags adding = passiveFlags & ~window->flags();
            window->setProperty("lorvanePassiveFlags", static_cast<int>(adding));
            window->setFlags(window->flags() | adding);
        } else if (passive_ == 0 && added.isValid()) {
            window->setFlags(window->flags() & ~Qt::WindowFlags(added.toInt()));
            window->setProperty("lorvanePassiveFlags", QVariant());
        }
    }
}

bool KeystrokeSender::gameStillThere() {
    if (!game_.watching()) return true;
    return game_.look([this] { return ownWindows(); });
}

// The X server's time of the player's last key or click in one of our
// windows, as the toolkit records it for the window manager; 0 when none.
unsigned long KeystrokeSender::playersLastInputTime() {
    unsigned long latest = 0;
    if (!display_) return latest;
    XErrorTrap trap(display_);
    const Atom timeWindowAtom = XInternAtom(display_, "_NET_WM_USER_TIME_WINDOW", False);
    const Atom userTimeAtom = XInternAtom(display_, "_NET_WM_USER_TIME", False);
    auto property = [this](Window window, Atom name, Atom type) -> unsigned long {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        unsigned long value = 0;
        if (XGetWindowProperty(display_, window, name, 0, 1, False, type, &actual, &format, &count, &after,
                               &data) == Success && data) {
            if (actual == type && format == 32 && count == 1) value = *reinterpret_cast<unsigned long*>(data);
            XFree(data);
        }
        return value;
    };
    for (unsigned long window : ownWindows()) {
        const unsigned long timeWindow = property(window, timeWindowAtom, XA_WINDOW);
        const unsigned long time = property(timeWindow ? timeWindow : window, userTimeAtom, XA_CARDINAL);
        // Server time wraps after 49 days: later means a small step forward.
        if (time && (!latest || static_cast<std::int32_t>(static_cast<std::uint32_t>(time - latest)) > 0))
            latest = time;
    }
    return trap.failed() ? 0 : latest;
}

std::set<unsigned long> KeystrokeSender::ownWindows() {
    std::set<unsigned long> ids;
    if (!isOurX11Application()) return ids;
    for (QWindow* window : QGuiApplication::allWindows())
        if (window->handle()) ids.insert(static_cast<unsigned long>(window->winId()));
    return ids;
}

// The top-level (the window that speaks the window manager's protocols, else
// the child of the root) holding the focus; `ours` tells whether the focus
// lies in one of this process's windows. None when nothing has the focus.
Window KeystrokeSender::focusedTopLevel(bool& ours) {
    ours = false;
    XErrorTrap trap(display_);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    const Window root = DefaultRootWindow(display_);
    if (focus == None || focus == PointerRoot || focus == root) return None;

    const auto own = ownWindows();
    const Atom pingAtom = XInternAtom(display_, "_NET_WM_PING", False);
    Window withPing = None;
    Window below = focus;
    for (Window w = focus; w != None && w != root;) {
        if (own.count(w)) ours = true;
        if (withPing == None) {
            Atom* protocols = nullptr;
            int count = 0;
            if (XGetWMProtocols(display_, w, &protocols, &count)) {
                for (int i = 0; i < count; ++i)
                    if (protocols[i] == pingAtom) withPing = w;
                XFree(protocols);
            }
        }
        Window rootReturn, parent;
        Window* children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(display_, w, &rootReturn, &parent, &children, &n)) break;
        if (children) XFree(children);
        below = w;
        w = parent;
    }
    if (trap.failed()) return None;
    return withPing != None ? withPing : below;
}

std::string KeystrokeSender::programStarting(const std::string& name) {
    display_ = connection_.display();
    const std::string id = game_.starting(display_, name, playersLastInputTime());
    beginDrive();
    return id;
}

void KeystrokeSender::programStarted(pid_t pid, ProgramEnding ending) { game_.started(pid, std::move(ending)); }

void KeystrokeSender::programNotStarted() {
    game_.notStarted();
    endDrive();
}

// The drive lasts while the sequence that started the program runs: its
// waits service events in loops nested in the main one. Once it is back in
// the main loop (or has failed) the windows take the focus again, as a start
// window that stays open after the game was set up must.
void KeystrokeSender::beginDrive() {
    if (!isOurX11Application()) return;
    if (!driveEnd_) {
        driveEnd_ = std::make_unique<QTimer>();
        driveEnd_->setInterval(200);
        QObject::connect(driveEnd_.get(), &QTimer::timeout, [this] {
            if (QThread::currentThread()->loopLevel() <= 1) endDrive();
        });
    }
    if (!driving_) keepOwnWindowsPassive(true);
    driving_ = true;
    driveEnd_->start();
}

void KeystrokeSender::endDrive() {
    if (!driving_) return;
    driving_ = false;
    driveEnd_->stop();
    keepOwnWindowsPassive(false);
}

void KeystrokeSender::waitWhileFocusIsOurs() {
    if (!isOurX11Application()) return;
    serviceEventsUntil(
        [this] {
            bool ours = false;
            focusedTopLevel(ours);
            return !ours;
        },
        focusWaitSeconds);
}

void KeystrokeSender::releaseHeldModifiers() {
    XModifierKeymap* map = XGetModifierMapping(display_);
    if (!map) return;
    auto heldModifiers = [&] {
        char keys[32];
        XQueryKeymap(display_, keys);
        std::vector<unsigned> held;
        for (int i = 0; i < 8 * map->max_keypermod; ++i) {
            const unsigned kc = map->modifiermap[i];
            if (kc != 0 && (keys[kc / 8] & (1 << (kc % 8)))) held.push_back(kc);
        }
        return held;
    };
    for (unsigned kc : heldModifiers()) tap(kc, false);
    // A key held on the player's own keyboard is not ours to release: a
    // press and release from our device lets the server drop it as well.
    for (unsigned kc : heldModifiers()) {
        tap(kc, true);
        tap(kc, false);
    }
    XFreeModifiermap(map);
}

void KeystrokeSender::loadKeyboardMap() {
    int maxKeycode = 0;
    XDisplayKeycodes(display_, &minKeycode_, &maxKeycode);
    keycodeCount_ = maxKeycode - minKeycode_ + 1;
    keyboardMap_.clear();
    KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(minKeycode_), keycodeCount_,
                                      &symbolsPerKeycode_);
    if (!map) return;
    keyboardMap_.assign(map, map + keycodeCount_ * symbolsPerKeycode_);
    XFree(map);
}

KeySym KeystrokeSender::symbolAt(int keycode, int level) const {
    const std::size_t index = static_cast<std::size_t>((keycode - minKeycode_) * symbolsPerKeycode_ + level);
    return index < keyboardMap_.size() ? keyboardMap_[index] : NoSymbol;
}

KeystrokeSender::Resolved KeystrokeSender::resolve(unsigned long keysym, bool character) {
    // Plain level first, then the shifted one.
    for (int level = 0; level < std::min(symbolsPerKeycode_, 2); ++level)
        for (int kc = minKeycode_; kc < minKeycode_ + keycodeCount_; ++kc)
            if (symbolAt(kc, level) == keysym) return {static_cast<unsigned>(kc), level == 1 && character};
    return {borrowSpareKeycode(keysym), false};
}

// For a character the keyboard map lacks: an unused keycode, mapped to it
// for the time of this call.
unsigned KeystrokeSender::borrowSpareKeycode(unsigned long keysym) {
    unsigned spare = 0;
    for (int kc = minKeycode_ + keycodeCount_ - 1; kc >= minKeycode_ && !spare; --kc) {
        bool empty = true;
        for (int level = 0; level < symbolsPerKeycode_; ++level)
            if (symbolAt(kc, level) != NoSymbol) empty = false;
        if (empty) spare = static_cast<unsigned>(kc);
    }
    if (!spare)
        throw script::Failure(script::FailureKind::DeviceIOError, "no key for a character to send");
    KeySym both[2] = {keysym, keysym};
    XChangeKeyboardMapping(display_, static_cast<int>(spare), 2, both, 1);
    XSync(display_, False);
    borrowed_.push_back(spare);
    loadKeyboardMap();
    // The receiver refreshes its keyboard map on the mapping notice first.
    waitUntilProcessed();
    return spare;
}

void KeystrokeSender::returnSpareKeycodes() {
    if (borrowed_.empty()) return;
    for (unsigned kc : borrowed_) {
        KeySym none = NoSymbol;
        XChangeKeyboardMapping(display_, static_cast<int>(kc), 1, &none, 1);
    }
    borrowed_.clear();
    XSync(display_, False);
}

void KeystrokeSender::tap(unsigned keycode, bool press) {
    XTestFakeKeyEvent(display_, keycode, press ? True : False, CurrentTime);
    XSync(display_, False);
}

void KeystrokeSender::pressAndRelease(const KeyStroke& stroke) {
    const Resolved key = resolve(stroke.keysym, stroke.character);
    auto modifierKey = [this](KeySym first, KeySym second) {
        KeyCode kc = XKeysymToKeycode(display_, first);
        return static_cast<unsigned>(kc ? kc : XKeysymToKeycode(display_, second));
    };
    std::vector<unsigned> modifiers;
    if (stroke.shift || key.needsShift) modifiers.push_back(modifierKey(XK_Shift_L, XK_Shift_R));
    if (stroke.control) modifiers.push_back(modifierKey(XK_Control_L, XK_Control_R));
    if (stroke.alt) modifiers.push_back(modifierKey(XK_Alt_L, XK_Meta_L));
    for (unsigned kc : modifiers)
        if (kc) tap(kc, true);
    tap(key.keycode, true);
    tap(key.keycode, false);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        if (*it) tap(*it, false);
}

// The keys are in the focused program's queue after XSync; a _NET_WM_PING
// answered by its top-level shows the program has read past them. A program
// that does not speak the protocol gets a short pause instead.
void KeystrokeSender::waitUntilProcessed() {
    XSync(display_, False);
    bool ours = false;
    const Window target = focusedTopLevel(ours);
    const Atom protocolsAtom = XInternAtom(display_, "WM_PROTOCOLS", False);
    const Atom pingAtom = XInternAtom(display_, "_NET_WM_PING", False);
    bool speaksPing = false;
    if (target != None && !ours && !silentToPing_.count(target)) {
        XErrorTrap trap(display_);
        Atom* protocols = nullptr;
        int count = 0;
        if (XGetWMProtocols(display_, target, &protocols, &count)) {
            for (int i = 0; i < count; ++i)
                if (protocols[i] == pingAtom) speaksPing = true;
            XFree(protocols);
        }
        if (trap.failed()) speaksPing = false;
    }
    if (!speaksPing) {
        timespec pause{0, static_cast<long>(settleSeconds * 1e9)};
        nanosleep(&pause, nullptr);
        return;
    }

    // Answers come to the root, where the game's window is watched as well.
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    const long stamp = ++pingSerial_;
    XEvent ping{};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = target;
    ping.xclient.message_type = protocolsAtom;
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = static_cast<long>(pingAtom);
    ping.xclient.data.l[1] = stamp;
    ping.xclient.data.l[2] = static_cast<long>(target);
    {
        XErrorTrap trap(display_);
        XSendEvent(display_, target, False, NoEventMask, &ping);
        XSync(display_, False);
    }
    const double deadline = monotonicSeconds() + pingTimeoutSeconds;
    bool answered = false;
    while (!answered) {
        while (!answered && XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            answered = event.type == ClientMessage && event.xclient.message_type == protocolsAtom &&
                       static_cast<Atom>(event.xclient.data.l[0]) == pingAtom &&
                       event.xclient.data.l[1] == stamp;
            if (!answered) game_.observe(event);
        }
        const double remaining = deadline - monotonicSeconds();
        if (answered || remaining <= 0) break;
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(remaining * 1000.0) + 1);
    }
    if (!answered) silentToPing_.insert(target);
}

}  // namespace platform
