#include "x_session.h"

// Xlib after Qt: its macros would break Qt's headers.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XTest.h>

#include <cstring>
#include <stdexcept>

namespace desktop_driver {

namespace {

// Windows come and go while they are looked at; a request about one that has
// just gone is no reason to end the program, as Xlib's default handler would.
int ignoreVanishedWindows(Display*, XErrorEvent*) { return 0; }

}  // namespace

XSession::XSession() {
    XSetErrorHandler(ignoreVanishedWindows);
    display_ = XOpenDisplay(nullptr);
    if (!display_) throw std::runtime_error("cannot open the X display");
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        throw std::runtime_error("the X server lacks the XTEST extension");
}

XSession::~XSession() {
    if (display_) XCloseDisplay(display_);
}

std::string XSession::title(Window window) {
    const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string result;
    if (XGetWindowProperty(display_, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success && data) {
        result.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        if (!result.empty()) return result;
    }
    char* name = nullptr;
    if (XFetchName(display_, window, &name) && name) {
        result = name;
        XFree(name);
    }
    return result;
}

std::vector<Window> XSession::windowsTitled(const std::string& wanted) {
    std::vector<Window> found;
    // Depth 3 reaches clients inside a window manager's frames.
    auto visit = [&](auto&& self, Window window, int depth) -> void {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display_, children[i], &attributes) ||
                attributes.map_state != IsViewable)
                continue;
            if (title(children[i]) == wanted) found.push_back(children[i]);
            else if (depth < 3) self(self, children[i], depth + 1);
        }
        if (children) XFree(children);
    };
    visit(visit, DefaultRootWindow(display_), 1);
    return found;
}

std::optional<Window> XSession::findWindow(const std::string& wanted) {
    auto windows = windowsTitled(wanted);
    if (windows.empty()) return std::nullopt;
    return windows.back();  // topmost in stacking order
}

std::optional<Window> XSession::waitForWindow(const std::string& wanted, std::chrono::milliseconds timeout) {
    std::optional<Window> window;
    waitFor([&] { return (window = findWindow(wanted)).has_value(); }, timeout);
    return window;
}

bool XSession::waitUntilGone(const std::string& wanted, std::chrono::milliseconds timeout) {
    return waitFor([&] { return !findWindow(wanted).has_value(); }, timeout);
}

QRect XSession::geometry(Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes)) return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

QRect XSession::outerGeometry(Window window) {
    QRect outer = geometry(window);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
    if (XGetWindowProperty(display_, window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 4) {
        const auto* sides = reinterpret_cast<const long*>(data);  // left, right, top, bottom
        outer.adjust(-static_cast<int>(sides[0]), -static_cast<int>(sides[2]), static_cast<int>(sides[1]),
                     static_cast<int>(sides[3]));
    }
    if (data) XFree(data);
    return outer;
}

Window XSession::focusedWindow() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
}

void XSession::focus(Window window) {
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    settle();
}

void XSession::settle() { XSync(display_, False); }

void XSession::movePointer(QPoint at) {
    XTestFakeMotionEvent(display_, -1, at.x(), at.y(), CurrentTime);
    settle();
}

void XSession::click(QPoint at) {
    movePointer(at);
    sleepFor(std::chrono::milliseconds(30));
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    settle();
    sleepFor(std::chrono::milliseconds(30));
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    settle();
}

unsigned char XSession::keycodeFor(unsigned long keysym, bool& needsShift) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (code == 0) throw std::runtime_error("no key for keysym " + std::to_string(keysym));
    needsShift = XkbKeycodeToKeysym(display_, code, 0, 0) != keysym &&
                 XkbKeycodeToKeysym(display_, code, 0, 1) == keysym;
    return code;
}

static KeySym keysymNamed(const std::string& name) {
    const KeySym keysym = XStringToKeysym(name.c_str());
    if (keysym == NoSymbol) throw std::runtime_error("unknown key name " + name);
    return keysym;
}

void XSession::key(const std::string& keysymName, const std::vector<std::string>& modifiers) {
    std::vector<KeyCode> held;
    for (const auto& modifier : modifiers) {
        bool shift = false;
        held.push_back(keycodeFor(keysymNamed(modifier), shift));
    }
    bool shift = false;
    const KeyCode code = keycodeFor(keysymNamed(keysymName), shift);
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    if (shift) held.push_back(shiftCode);
    for (KeyCode modifier : held) XTestFakeKeyEvent(display_, modifier, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    for (auto it = held.rbegin(); it != held.rend(); ++it) XTestFakeKeyEvent(display_, *it, False, CurrentTime);
    settle();
}

void XSession::type(const std::string& text) {
    for (char c : text) {
        // Printable ASCII keysyms are the character codes themselves.
        const auto keysym = static_cast<KeySym>(static_cast<unsigned char>(c));
        bool shift = false;
        const KeyCode code = keycodeFor(keysym, shift);
        const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
        if (shift) XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        if (shift) XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
        settle();
        // A moment per character, so that change handlers see every step.
        sleepFor(std::chrono::milliseconds(5));
    }
}

namespace {

// One slave device of the server, opened for XTest; null when there is none.
XDevice* openDevice(Display* display, const std::string& deviceName, int use) {
    int count = 0;
    XDeviceInfo* devices = XListInputDevices(display, &count);
    XID id = 0;
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        if (deviceName == devices[i].name && static_cast<int>(devices[i].use) == use) {
            id = devices[i].id;
            found = true;
        }
    }
    if (devices) XFreeDeviceList(devices);
    if (!found) throw std::runtime_error("no device named " + deviceName);
    XDevice* device = XOpenDevice(display, id);
    if (!device) throw std::runtime_error("cannot open " + deviceName);
    return device;
}

}  // namespace

void XSession::keyOnDevice(const std::string& deviceName, const std::string& keysymName) {
    XDevice* device = openDevice(display_, deviceName, IsXExtensionKeyboard);
    bool shift = false;
    const KeyCode code = keycodeFor(keysymNamed(keysymName), shift);
    XTestFakeDeviceKeyEvent(display_, device, code, True, nullptr, 0, CurrentTime);
    XTestFakeDeviceKeyEvent(display_, device, code, False, nullptr, 0, CurrentTime);
    settle();
    XCloseDevice(display_, device);
}

void XSession::clickOnDevice(const std::string& deviceName) {
    XDevice* device = openDevice(display_, deviceName, IsXExtensionPointer);
    XTestFakeDeviceButtonEvent(display_, device, 1, True, nullptr, 0, CurrentTime);
    settle();
    sleepFor(std::chrono::milliseconds(30));
    XTestFakeDeviceButtonEvent(display_, device, 1, False, nullptr, 0, CurrentTime);
    settle();
    XCloseDevice(display_, device);
}

QImage XSession::capture() {
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, DefaultRootWindow(display_), &attributes);
    return capture(QRect(0, 0, attributes.width, attributes.height));
}

QImage XSession::capture(QRect area) {
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), area.x(), area.y(),
                              static_cast<unsigned>(area.width()), static_cast<unsigned>(area.height()),
                              AllPlanes, ZPixmap);
    if (!image) return {};
    QImage result(area.width(), area.height(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < area.width(); ++x)
            row[x] = 0xff000000u | static_cast<QRgb>(XGetPixel(image, x, y) & 0xffffff);
    }
    XDestroyImage(image);
    return result;
}

}  // namespace desktop_driver
