#include "desktop_trace.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace desktops {

namespace {

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

std::string hex(unsigned long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

std::vector<unsigned long> property(Display* display, ::Window window, const char* name, Atom type) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 4096, False, type, &actual,
                           &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data) XFree(data);
    return values;
}

std::string stringProperty(Display* display, ::Window window, const char* name) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, AnyPropertyType,
                           &actual, &format, &count, &after, &data) == Success &&
        data && format == 8)
        value.assign(reinterpret_cast<const char*>(data), count);
    if (data) XFree(data);
    return value;
}

std::string title(Display* display, ::Window window) {
    std::string name = stringProperty(display, window, "_NET_WM_NAME");
    return name.empty() ? stringProperty(display, window, "WM_NAME") : name;
}

// The window that carries the title: the window itself, one of its
// ancestors (the focus may sit in a child), or the client in a frame.
::Window titled(Display* display, ::Window window) {
    const ::Window rootWindow = DefaultRootWindow(display);
    for (::Window at = window; at && at != rootWindow;) {
        if (!title(display, at).empty()) return at;
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, at, &root, &parent, &children, &count)) break;
        for (unsigned i = 0; at == window && i < count; ++i)
            if (!title(display, children[i]).empty()) {
                const ::Window client = children[i];
                XFree(children);
                return client;
            }
        if (children) XFree(children);
        at = parent;
    }
    return window;
}

}  // namespace

DesktopTrace::DesktopTrace() {
    XSetErrorHandler(ignoreErrors);
    display_ = XOpenDisplay(nullptr);
    if (!display_) throw std::runtime_error("the trace cannot open the X display");
    XSelectInput(display_, DefaultRootWindow(display_), PropertyChangeMask | SubstructureNotifyMask | KeyPressMask);
    XSync(display_, False);
    clients_ = property(display_, DefaultRootWindow(display_), "_NET_CLIENT_LIST", XA_WINDOW);
    thread_ = std::thread([this] { run(); });
}

DesktopTrace::~DesktopTrace() {
    stop_ = true;
    thread_.join();
    XCloseDisplay(display_);
}

void DesktopTrace::watchKeys(unsigned long window) {
    std::lock_guard<std::mutex> lock(mutex_);
    toWatch_.push_back(window);
}

std::string DesktopTrace::text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string all;
    for (const auto& line : lines_) all += line + "\n";
    return all;
}

void DesktopTrace::note(const std::string& line) { record("test: " + line); }

void DesktopTrace::record(const std::string& line) {
    const std::chrono::duration<double> since = std::chrono::steady_clock::now() - start_;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%7.3f ", since.count());
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(stamp + line);
}

std::string DesktopTrace::describe(unsigned long window) {
    if (window == None) return "none";
    if (window == PointerRoot) return "pointer root";
    if (window == DefaultRootWindow(display_)) return "the root window";
    const ::Window client = titled(display_, window);
    std::string line = hex(window);
    if (client != window) line += " (in " + hex(client) + ")";
    line += " \"" + title(display_, client) + "\"";
    return line;
}

void DesktopTrace::run() {
    while (!stop_) {
        std::vector<unsigned long> watch;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            watch.swap(toWatch_);
        }
        for (const auto window : watch) {
            // Key presses are not exclusive: the window's own program still gets them.
            XSelectInput(display_, window, KeyPressMask);
            record("watching keys on " + describe(window));
        }
        pollFocus();
        handleEvents();
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, 10);
    }
}

void DesktopTrace::pollFocus() {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == focus_) return;
    focus_ = focus;
    record("focus: " + describe(focus));
}

void DesktopTrace::handleEvents() {
    const ::Window root = DefaultRootWindow(display_);
    const Atom activeWindow = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    const Atom clientList = XInternAtom(display_, "_NET_CLIENT_LIST", False);
    const Atom startupBegin = XInternAtom(display_, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom startupMore = XInternAtom(display_, "_NET_STARTUP_INFO", False);
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == KeyPress) {
            ++strayKeys_;
            record("KEY (keycode " + std::to_string(event.xkey.keycode) + ", state " + hex(event.xkey.state) +
                   ") reached " + describe(event.xkey.window));
        } else if (event.type == PropertyNotify && event.xproperty.window == root) {
            if (event.xproperty.atom == activeWindow) {
                const auto active = property(display_, root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
                const unsigned long now = active.empty() ? 0 : active[0];
                if (now != active_) record("active window: " + describe(active_ = now));
            } else if (event.xproperty.atom == clientList) {
                const auto clients = property(display_, root, "_NET_CLIENT_LIST", XA_WINDOW);
                for (const auto client : clients)
                    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) {
                        const auto pid = property(display_, client, "_NET_WM_PID", XA_CARDINAL);
                        const std::string startupId = stringProperty(display_, client, "_NET_STARTUP_ID");
                        record("listed by the window manager: " + describe(client) +
                               (pid.empty() ? " without _NET_WM_PID" : " pid " + std::to_string(pid[0])) +
                               (startupId.empty() ? "" : " startup id " + startupId));
                    }
                clients_ = clients;
            }
        } else if (event.type == ClientMessage) {
            const auto& message = event.xclient;
            if (message.message_type == activeWindow) {
                record("activation asked for " + describe(message.window) + " (source " +
                       std::to_string(message.data.l[0]) + ", time " + std::to_string(message.data.l[1]) + ")");
            } else if (message.message_type == startupBegin || message.message_type == startupMore) {
                if (message.message_type == startupBegin) startupMessage_.clear();
                const std::string part(message.data.b, sizeof message.data.b);
                startupMessage_ += part.substr(0, part.find('\0'));
                if (part.find('\0') != std::string::npos) record("startup notification: " + startupMessage_);
            }
        }
    }
}

}  // namespace desktops
