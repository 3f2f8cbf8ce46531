#pragma once
// Types parsed keystrokes through XTest into the started program's window,
// or, before any program was started, into the window that has the X focus.

#include <memory>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/keystroke_notation.h"
#include "platform/x11/game_window.h"
#include "platform/x11/x_display.h"

class QTimer;

namespace platform {

class KeystrokeSender {
public:
    KeystrokeSender();
    ~KeystrokeSender();
    // Sends the keys and returns once the focused program has taken them.
    // Throws script::Failure(DeviceIOError) without an X server or XTest.
    void send(const std::vector<KeyStroke>& strokes);
    // A program is about to be started: returns its DESKTOP_STARTUP_ID.
    std::string programStarting(const std::string& name);
    // It was started: from now on keys go to its window only, once it is
    // there, can read them and has the focus (see GameWindow).
    void programStarted(pid_t pid, ProgramEnding ending);
    void programNotStarted();
    // A look at the game between keys: false once the drive cannot go on.
    bool gameStillThere();
    // While the launcher drives the game its own windows take no focus, and
    // under a Wayland compositor no clicks either.
    void keepOwnWindowsPassive(bool passive);

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
    void beginDrive();
    void endDrive();
    unsigned long playersLastInputTime();

    XConnection connection_;
    Display* display_ = nullptr;
    std::vector<KeySym> keyboardMap_;
    int minKeycode_ = 0, keycodeCount_ = 0, symbolsPerKeycode_ = 0;
    std::vector<unsigned> borrowed_;
    long pingSerial_ = 0;
    // Windows that list the ping but left one unanswered: they get the short
    // pause from then on rather than a second's wait after every call.
    std::set<unsigned long> silentToPing_;
    GameWindow game_;
    int passive_ = 0;
    bool driving_ = false;
    std::unique_ptr<QTimer> driveEnd_;
};

}  // namespace platform
