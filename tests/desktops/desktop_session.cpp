#include "desktop_session.h"

// Qt's headers before Xlib's macros.
#include "game_folder.h"
#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace desktops {

namespace {

// The Wayland socket a nested mutter is asked to open.
const char* const kMutterSocket = "lorvane-wayland";
// The unprivileged user sway runs as (it refuses root).
const char* const kSwayUser = "nobody";
const char* const kSwayGroup = "nogroup";

const std::vector<DesktopKind> kDesktops = {
    {Desktop::Bare, "bare", "", false},
    {Desktop::Openbox, "openbox", OPENBOX_PROGRAM, false},
    {Desktop::Xfwm4, "xfwm4", XFWM4_PROGRAM, false},
    {Desktop::I3, "i3", I3_PROGRAM, false},
    {Desktop::Mutter, "mutter", MUTTER_PROGRAM, true},
    {Desktop::Sway, "sway", SWAY_PROGRAM, true},
};

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A distribution's window-manager configuration without the lines that
// start with one of `dropped`: autostart `exec` lines, and what names files
// a minimal installation lacks.
std::string configWithout(const fs::path& path, const std::vector<std::string>& dropped) {
    std::ifstream in(path);
    std::string line, kept;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t");
        const auto drop = [&](const std::string& start) {
            return first != std::string::npos && line.compare(first, start.size(), start) == 0;
        };
        if (std::none_of(dropped.begin(), dropped.end(), drop)) kept += line + "\n";
    }
    return kept;
}

// A line "Using public X11 display :N, ..." of mutter's log gives ":N".
std::optional<std::string> mutterXDisplay(const fs::path& log) {
    const std::string text = testing_support::readFile(log);
    const std::string marker = "Using public X11 display ";
    const auto at = text.find(marker);
    if (at == std::string::npos) return std::nullopt;
    const auto start = at + marker.size();
    const auto end = text.find_first_of(", \n", start);
    if (end == std::string::npos) return std::nullopt;
    return text.substr(start, end - start);
}

std::optional<fs::path> fileStartingWith(const fs::path& folder, const std::string& prefix) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().filename().string().rfind(prefix, 0) == 0) return entry.path();
    return std::nullopt;
}

// Where the compositor's window lies on the Xvfb: the origin of its output.
QPoint compositorWindowOrigin(const std::string& xvfbDisplay) {
    Display* display = XOpenDisplay(xvfbDisplay.c_str());
    if (!display) return {};
    QPoint origin;
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable) {
                origin = QPoint(attributes.x, attributes.y);
                break;
            }
        }
        if (children) XFree(children);
    }
    XCloseDisplay(display);
    return origin;
}

}  // namespace

const std::vector<DesktopKind>& allDesktops() { return kDesktops; }

const DesktopKind& kindOf(Desktop desktop) {
    for (const auto& kind : kDesktops)
        if (kind.desktop == desktop) return kind;
    throw std::logic_error("unknown desktop");
}

bool installed(Desktop desktop) {
    const DesktopKind& kind = kindOf(desktop);
    return desktop == Desktop::Bare || *kind.program != 0;
}

DesktopSession::DesktopSession(Desktop desktop)
    : desktop_(desktop), folder_(e2e::makeTemporaryFolder(std::string("desktop-") + kindOf(desktop).name + "-")),
      programDisplay_(xvfb_.display()) {
    startBus();
    setSessionVariable("XDG_SESSION_TYPE", kind().wayland ? "wayland" : "x11");
    if (!kind().wayland) {
        setSessionVariable("WAYLAND_DISPLAY", std::nullopt);
    }
    switch (desktop) {
    case Desktop::Bare:
        ready_ = true;
        break;
    case Desktop::Openbox:
        startWindowManager(OPENBOX_PROGRAM, {"--sm-disable"});
        break;
    case Desktop::Xfwm4:
        startWindowManager(XFWM4_PROGRAM, {"--sm-client-disable"});
        break;
    case Desktop::I3:
        writeFile(folder_ / "i3.config", configWithout("/etc/i3/config", {"exec "}));
        startWindowManager(I3_PROGRAM, {"-c", (folder_ / "i3.config").string()});
        break;
    case Desktop::Mutter:
        startMutter();
        break;
    case Desktop::Sway:
        startSway();
        break;
    }
}

DesktopSession::~DesktopSession() {
    desktopProcess_.reset();
    // What the desktop started in turn (Xwayland, bars, status lines) works
    // in the desktop's folder.
    testing_support::endProcessesWorkingIn(folder_);
    bus_.reset();
    for (const auto& [name, value] : replacedVariables_) {
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string DesktopSession::why() const {
    std::string text = failure_;
    for (const char* log : {"desktop.log", "sway.log", "mutter.log"}) {
        const std::string logged = testing_support::readFile(folder_ / log);
        if (!logged.empty()) text += std::string("\n--- ") + log + "\n" + logged;
    }
    return text;
}

QImage DesktopSession::playerScreen() const {
    const std::string programs = programDisplay_;
    setenv("DISPLAY", xvfb_.display().c_str(), 1);
    QImage screen;
    try {
        desktop_driver::XSession player;
        screen = player.capture();
    } catch (const std::exception&) {
    }
    setenv("DISPLAY", programs.c_str(), 1);
    return screen;
}

void DesktopSession::setSessionVariable(const std::string& name, const std::optional<std::string>& value) {
    if (!replacedVariables_.count(name)) {
        const char* old = std::getenv(name.c_str());
        replacedVariables_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) setenv(name.c_str(), value->c_str(), 1);
    else unsetenv(name.c_str());
}

void DesktopSession::startBus() {
    // As a session starts its bus: the daemon says where it listens, and
    // lives until it is ended.
    try {
        bus_ = std::make_unique<testing_support::ChildProcess>(testing_support::Command{
            .arguments = {"dbus-daemon", "--session", "--nofork", "--print-address=1"},
            .out = testing_support::Output::capture()});
    } catch (const std::exception&) {
        return;
    }
    std::string address;
    if (bus_->readLine(address, 10s) && !address.empty()) setSessionVariable("DBUS_SESSION_BUS_ADDRESS", address);
}

void DesktopSession::startWindowManager(const std::string& program, const std::vector<std::string>& arguments) {
    desktopProcess_ =
        std::make_unique<testing_support::ChildProcess>(program, folder_, arguments, folder_ / "desktop.log");
    ready_ = waitForWindowManager();
}

bool DesktopSession::waitForWindowManager() {
    try {
        desktop_driver::XSession x;
        if (desktop_driver::waitFor([&] { return e2e::windowManagerRunning(x); }, 30s) &&
            e2e::windowManagerTakesNewWindows(x))
            return true;
        failure_ = std::string(kind().name) + " did not announce itself on " + programDisplay_;
    } catch (const std::exception& error) {
        failure_ = std::string("cannot open ") + programDisplay_ + ": " + error.what();
    }
    return false;
}

void DesktopSession::startMutter() {
    const fs::path runtime = folder_ / "run";
    fs::create_directory(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    // mutter logs the display of its Xwayland on standard output.
    desktopProcess_ = std::make_unique<testing_support::ChildProcess>(testing_support::Command{
        .arguments = {MUTTER_PROGRAM, "--nested", "--wayland", std::string("--wayland-display=") + kMutterSocket,
                      "--sm-disable"},
        .folder = folder_,
        .environment = {{"XDG_RUNTIME_DIR", runtime.string()}, {"MUTTER_DEBUG_DUMMY_MODE_SPECS", "1024x768"}},
        .out = testing_support::Output::toFile(folder_ / "mutter.log"),
        .err = testing_support::Output::sameAsOut()});
    std::optional<std::string> xDisplay;
    std::optional<fs::path> authority;
    desktop_driver::waitFor(
        [&] {
            return (xDisplay = mutterXDisplay(folder_ / "mutter.log")) &&
                   (authority = fileStartingWith(runtime, ".mutter-Xwaylandauth."));
        },
        30s);
    if (!xDisplay || !authority) {
        failure_ = "mutter named no Xwayland display, or left no authority file for it";
        return;
    }
    programDisplay_ = *xDisplay;
    setSessionVariable("DISPLAY", programDisplay_);
    setSessionVariable("XAUTHORITY", authority->string());
    setSessionVariable("WAYLAND_DISPLAY", kMutterSocket);
    setSessionVariable("XDG_RUNTIME_DIR", runtime.string());
    outputOrigin_ = compositorWindowOrigin(xvfb_.display());
    ready_ = waitForWindowManager();
}

void DesktopSession::startSway() {
    const passwd* user = getpwnam(kSwayUser);
    if (!user) {
        failure_ = std::string("no user ") + kSwayUser + " to run sway as";
        return;
    }
    // sway reads its folder as that user, and writes only to two of its own.
    fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    const fs::path runtime = folder_ / "run", out = folder_ / "out";
    for (const auto& owned : {runtime, out}) {
        fs::create_directory(owned);
        fs::permissions(owned, fs::perms::owner_all);
        if (chown(owned.c_str(), user->pw_uid, user->pw_gid) != 0) {
            failure_ = "cannot hand " + owned.string() + " to " + kSwayUser;
            return;
        }
    }
    // The distribution's configuration (without its wallpaper, which is a
    // package of its own, and its autostart lines), and one line more: its Xwayland lets
    // only sway's user in, so let root's programs in as well, and say which
    // displays the session has.
    const fs::path session = out / "session";
    writeFile(folder_ / "sway.config",
              configWithout("/etc/sway/config", {"exec ", "output * bg ", "include /etc/sway/config.d/"}) +
              "exec sh -c 'xhost +si:localuser:root >/dev/null && printf \"%s\\n%s\\n\" \"$DISPLAY\" "
              "\"$WAYLAND_DISPLAY\" >" + session.string() + ".new && mv " + session.string() + ".new " +
                  session.string() + "'\n");
    desktopProcess_ = std::make_unique<testing_support::ChildProcess>(
        "/usr/bin/env", folder_,
        std::vector<std::string>{"-i", "PATH=/usr/bin:/bin", "HOME=" + folder_.string(),
                                 "DISPLAY=" + xvfb_.display(), "XDG_RUNTIME_DIR=" + runtime.string(),
                                 "WLR_BACKENDS=x11", "WLR_RENDERER=pixman", "setpriv",
                                 std::string("--reuid=") + kSwayUser, std::string("--regid=") + kSwayGroup,
                                 "--clear-groups", SWAY_PROGRAM, "-c", (folder_ / "sway.config").string()},
        folder_ / "sway.log");
    if (!desktop_driver::waitFor([&] { return fs::exists(session); }, 30s)) {
        failure_ = "sway's Xwayland did not come up (or did not let root in)";
        return;
    }
    std::ifstream lines(session);
    std::string xDisplay, waylandDisplay;
    std::getline(lines, xDisplay);
    std::getline(lines, waylandDisplay);
    programDisplay_ = xDisplay;
    setSessionVariable("DISPLAY", programDisplay_);
    setSessionVariable("XAUTHORITY", std::nullopt);
    // The session's programs run as root here: a runtime folder of root's
    // own, and the compositor's socket by its full name.
    const fs::path rootRuntime = folder_ / "root-run";
    fs::create_directory(rootRuntime);
    fs::permissions(rootRuntime, fs::perms::owner_all);
    setSessionVariable("WAYLAND_DISPLAY", (runtime / waylandDisplay).string());
    setSessionVariable("XDG_RUNTIME_DIR", rootRuntime.string());
    outputOrigin_ = compositorWindowOrigin(xvfb_.display());
    ready_ = waitForWindowManager();
}

}  // namespace desktops
