#include "player_devices.h"

#include <X11/extensions/XTest.h>

#include <string>

namespace testing_support {

PlayerDevices::PlayerDevices(const char* displayName) : display_(XOpenDisplay(displayName)) {
    if (!display_) return;
    int count = 0;
    XDeviceInfo* devices = XListInputDevices(display_, &count);
    for (int i = 0; i < count; ++i) {
        const std::string name = devices[i].name;
        if (name == "Xvfb keyboard") keyboard_ = XOpenDevice(display_, devices[i].id);
        if (name == "Xvfb mouse") mouse_ = XOpenDevice(display_, devices[i].id);
    }
    XFreeDeviceList(devices);
}

PlayerDevices::~PlayerDevices() {
    if (!display_) return;
    if (keyboard_) XCloseDevice(display_, keyboard_);
    if (mouse_) XCloseDevice(display_, mouse_);
    XCloseDisplay(display_);
}

void PlayerDevices::key(KeySym keysym, bool press) {
    int axes[1] = {0};
    XTestFakeDeviceKeyEvent(display_, keyboard_, XKeysymToKeycode(display_, keysym), press, axes, 0, CurrentTime);
    XSync(display_, False);
}

void PlayerDevices::click(int button) {
    int axes[1] = {0};
    XTestFakeDeviceButtonEvent(display_, mouse_, static_cast<unsigned>(button), True, axes, 0, CurrentTime);
    XTestFakeDeviceButtonEvent(display_, mouse_, static_cast<unsigned>(button), False, axes, 0, CurrentTime);
    XSync(display_, False);
}

void PlayerDevices::movePointer(int x, int y) {
    XTestFakeMotionEvent(display_, 0, x, y, CurrentTime);
    XSync(display_, False);
}

}  // namespace testing_support
