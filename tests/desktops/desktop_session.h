#pragma once
// A player's desktop on a private Xvfb: the bare server, an X window manager
// on it, or a Wayland compositor nested in it whose X programs run through
// its own Xwayland. The session's variables (DISPLAY, WAYLAND_DISPLAY,
// XDG_SESSION_TYPE, a session bus, ...) are set in this process while the
// object lives, so that the programs a test starts run as in that session;
// the player's keyboard and mouse stay those of the Xvfb underneath.

#include <QImage>
#include <QPoint>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "xvfb_server.h"

namespace desktops {

enum class Desktop { Bare, Openbox, Xfwm4, I3, Mutter, Sway };

struct DesktopKind {
    Desktop desktop;
    const char* name;     // as in test names and reports
    const char* program;  // what must be installed; empty for the bare server
    bool wayland;
};

const DesktopKind& kindOf(Desktop desktop);
const std::vector<DesktopKind>& allDesktops();
// The desktop's program is on this machine.
bool installed(Desktop desktop);

class DesktopSession {
public:
    explicit DesktopSession(Desktop desktop);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    const DesktopKind& kind() const { return kindOf(desktop_); }
    // The desktop came up; otherwise why() says what went wrong.
    bool ready() const { return ready_; }
    std::string why() const;

    // The Xvfb that holds the player's devices, and the X server the
    // desktop's programs use (the same one unless a compositor is nested).
    const std::string& playerDisplay() const { return xvfb_.display(); }
    const std::string& programDisplay() const { return programDisplay_; }
    // Where a point of the programs' screen lies on the player's screen.
    QPoint onPlayerScreen(QPoint programPoint) const { return programPoint + outputOrigin_; }
    // What the player sees: the whole screen of the Xvfb.
    QImage playerScreen() const;

private:
    void startBus();
    void startWindowManager(const std::string& program, const std::vector<std::string>& arguments);
    void startMutter();
    void startSway();
    bool waitForWindowManager();
    // Unset where `value` is empty.
    void setSessionVariable(const std::string& name, const std::optional<std::string>& value);

    Desktop desktop_;
    testing_support::XvfbServer xvfb_;
    std::filesystem::path folder_;
    std::string programDisplay_;
    QPoint outputOrigin_;
    std::unique_ptr<testing_support::ChildProcess> bus_;
    std::unique_ptr<testing_support::ChildProcess> desktopProcess_;
    std::map<std::string, std::optional<std::string>> replacedVariables_;
    std::string failure_;
    bool ready_ = false;
};

}  // namespace desktops
