#pragma once
// Types parsed keystrokes into the window that has the X focus, through XTest.

#include <set>
#include <vector>

#include "platform/keystroke_notation.h"
#include "platform/x_display.h"

namespace platform {

class KeystrokeSender {
public:
    // Sends the keys and returns once the focused program has taken them.
    // Throws script::Failure(DeviceIOError) without an X server or XTest.
    void send(const std::vector<KeyStroke>& strokes);
    // A program was just started: keys sent soon after wait for a window to
    // take the focus, also when ours has already let it go (a hidden window
    // hands the focus to the root).
    void programStarted();

private:
    struct Resolved {
        unsigned keycode = 0;
        bool needsShift = false;
    };
    void loadKeyboardMap();
    KeySym symbolAt(int keycode, int level) const;
    Resolved resolve(unsigned long keysym, bool character);
    unsigned borrowSpareKeycode(unsigned long keysym);
    void returnSpareKeycodes();
    void waitWhileFocusIsOurs();
    void releaseHeldModifiers();
    void pressAndRelease(const KeyStroke& stroke);
    void tap(unsigned keycode, bool press);
    void waitUntilProcessed();
    Window focusedTopLevel(bool& ours);
    std::set<unsigned long> ownWindows();

    XConnection connection_;
    Display* display_ = nullptr;
    std::vector<KeySym> keyboardMap_;
    int minKeycode_ = 0, keycodeCount_ = 0, symbolsPerKeycode_ = 0;
    std::vector<unsigned> borrowed_;
    long pingSerial_ = 0;
    double programStartedAt_ = -1e9;
};

}  // namespace platform
