#pragma once
// Blocks the player's keyboards and pointers with XInput2 grabs.

#include <memory>
#include <set>
#include <utility>

#include "platform/x11/x_display.h"

class QSocketNotifier;
class QTimer;

namespace platform {

// Grabs every slave keyboard and pointer that is not an XTEST device, so the
// player's input goes nowhere while synthesised keys still reach the focused
// window. The grabs belong to a connection of our own: the server drops them
// when the process ends, however it ends. Ctrl+Alt+Delete on the player's
// keyboard ends the block at once, as the player expects from the desktop
// the program was made for.
class InputBlock {
public:
    InputBlock();
    ~InputBlock();
    // True when every device is grabbed (or released); repeating is harmless.
    bool block();
    bool release();
    bool blocked() const { return blocked_; }

private:
    bool connect();
    bool grabAll();
    void readEvents();
    // True when this key press completes Ctrl+Alt+Delete.
    bool keyOnPlayersKeyboard(int device, int keycode, bool press);

    XConnection connection_;
    Display* display_ = nullptr;
    int xiOpcode_ = -1;
    bool blocked_ = false;
    std::set<int> grabbed_;
    std::set<std::pair<int, int>> held_;  // (device, keycode) pressed while grabbed
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> retry_;
};

}  // namespace platform
