#include "platform/x11/x_display.h"

namespace platform {

namespace {

int errorCount = 0;

int collectError(Display*, XErrorEvent*) {
    ++errorCount;
    return 0;
}

}  // namespace

XConnection::~XConnection() {
    if (display_) XCloseDisplay(display_);
}

Display* XConnection::display() {
    if (!tried_) {
        tried_ = true;
        display_ = XOpenDisplay(nullptr);
    }
    return display_;
}

Window XConnection::root() {
    Display* d = display();
    return d ? DefaultRootWindow(d) : None;
}

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    if (display_) XSync(display_, False);
    errorCount = 0;
    previous_ = XSetErrorHandler(collectError);
}

XErrorTrap::~XErrorTrap() {
    if (display_) XSync(display_, False);
    XSetErrorHandler(previous_);
}

bool XErrorTrap::failed() {
    if (display_) XSync(display_, False);
    return errorCount > 0;
}

}  // namespace platform
