#pragma once
// Drives an X display from outside, as a person at it would: finds windows by
// title, moves the pointer and clicks, types keys, reads the screen.
// Keys and clicks are synthesised with XTest and reach whatever window has the
// keyboard focus or lies under the pointer, exactly like real input.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>

struct _XDisplay;

namespace desktop_driver {

// An X window id (Xlib's Window), kept free of Xlib's macros here.
using Window = unsigned long;

class XSession {
public:
    // Opens the display named in DISPLAY; throws std::runtime_error when it cannot.
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    _XDisplay* display() const { return display_; }

    // Viewable top-level windows with this exact title (_NET_WM_NAME or WM_NAME),
    // searched through the whole tree so that it works with and without a
    // window manager.
    std::vector<Window> windowsTitled(const std::string& title);
    std::optional<Window> findWindow(const std::string& title);
    std::optional<Window> waitForWindow(const std::string& title, std::chrono::milliseconds timeout);
    bool waitUntilGone(const std::string& title, std::chrono::milliseconds timeout);

    // The window's client area in root coordinates.
    QRect geometry(Window window);
    // The client area with the frame a window manager put around it
    // (_NET_FRAME_EXTENTS); the client area alone where there is none.
    QRect outerGeometry(Window window);
    Window focusedWindow();
    // Gives `window` the keyboard focus, as a window manager does on a click.
    void focus(Window window);
    std::string title(Window window);

    void movePointer(QPoint rootPosition);
    void click(QPoint rootPosition);
    // Presses and releases one key given as an X keysym name ("space",
    // "Return", "Down", "s"); each name in `modifiers` ("Alt_L", "Shift_L",
    // "Control_L") is held around it.
    void key(const std::string& keysymName, const std::vector<std::string>& modifiers = {});
    // Types printable ASCII text, with Shift where the character needs it.
    void type(const std::string& text);
    // A key press and release on one slave device (for instance "Xvfb
    // keyboard"), the way that physical keyboard would send it.
    void keyOnDevice(const std::string& deviceName, const std::string& keysymName);
    // A click of the left button on one slave pointer (for instance "Xvfb
    // mouse") wherever the pointer stands.
    void clickOnDevice(const std::string& deviceName);

    // The whole screen, or a part of it.
    QImage capture();
    QImage capture(QRect rootArea);

private:
    unsigned char keycodeFor(unsigned long keysym, bool& needsShift);
    void settle();

    _XDisplay* display_ = nullptr;
};

// Waits, polling `condition` every 50 ms; true when it held before `timeout`.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds timeout);

void sleepFor(std::chrono::milliseconds duration);

}  // namespace desktop_driver

#include "x_session_inl.h"
