#pragma once
// The player's keyboard and mouse under Xvfb, driven through their real slave
// devices ("Xvfb keyboard", "Xvfb mouse") as a person would drive them.

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>

namespace testing_support {

class PlayerDevices {
public:
    // On the display named `displayName`, or on the one in DISPLAY.
    explicit PlayerDevices(const char* displayName = nullptr);
    ~PlayerDevices();
    PlayerDevices(const PlayerDevices&) = delete;
    PlayerDevices& operator=(const PlayerDevices&) = delete;

    bool ok() const { return keyboard_ && mouse_; }
    void key(KeySym keysym, bool press);
    void typeKey(KeySym keysym) { key(keysym, true), key(keysym, false); }
    void click(int button);
    // Puts the pointer at a screen position (through the core pointer).
    void movePointer(int x, int y);

private:
    Display* display_;
    XDevice* keyboard_ = nullptr;
    XDevice* mouse_ = nullptr;
};

}  // namespace testing_support
