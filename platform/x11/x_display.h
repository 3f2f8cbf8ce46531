#pragma once
// A connection of our own to the X server, and a way to survive its errors.

#include <X11/Xlib.h>

namespace platform {

// Opens DISPLAY on first use; closing it ends every grab it holds.
class XConnection {
public:
    XConnection() = default;
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    // Null when there is no X server.
    Display* display();
    Window root();

private:
    Display* display_ = nullptr;
    bool tried_ = false;
};

// While alive, X protocol errors are collected instead of ending the program
// (Xlib's default handler exits). Call sync() before reading failed().
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    bool failed();

private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
};

}  // namespace platform
