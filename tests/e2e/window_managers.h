#pragma once
// The window managers the game drive is tried under, each started on the
// test's private X server, and the player's own keyboard as the server has it.

#include <filesystem>
#include <memory>
#include <string>

#include "child_process.h"
#include "x_session.h"

namespace e2e {

enum class WindowManager { Bare, Openbox, I3 };
std::string nameOf(WindowManager kind);
// Installed here; Bare (no window manager) always is.
bool available(WindowManager kind);

// Runs `kind` (its files in `folder`) until this goes away.
class WindowManagerRun {
public:
    WindowManagerRun(WindowManager kind, desktop_driver::XSession& x, const std::filesystem::path& folder);
    // The window manager announced itself (always true for Bare).
    bool ready() const { return ready_; }
    // What it wrote to standard error so far.
    std::string log() const;

private:
    std::filesystem::path log_;
    std::unique_ptr<testing_support::ChildProcess> process_;
    bool ready_ = true;
};

// No other client holds the player's keyboard: nothing blocks it.
bool playersKeyboardFree(desktop_driver::XSession& x);

}  // namespace e2e
