#pragma once
// Types parsed keystrokes through XTest into the started program's window,
// or, before any program was started, into the window that has the X focus.

#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/keystroke_notation.h"
#include "platform/x11/game_window.h"
#include "platform/x11/x_display.h"

namespace platform {

class KeystrokeSender {
public:
    // Sends the keys and returns once the focused program has taken them.
    // Throws script::Failure(DeviceIOError) without an X server or XTest.
    void send(const std::vector<KeyStroke>& strokes);
    // A program was just started: from now on keys go to its window only,
    // once it is there and has the focus (see GameWindow).
    void programStarted(pid_t pid, const std::string& name, ProgramEnding ending);

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
    GameWindow game_;
};

}  // namespace platform
