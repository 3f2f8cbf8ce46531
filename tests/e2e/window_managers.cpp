#include "window_managers.h"

#include <fstream>
#include <sstream>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include "game_folder.h"

using namespace std::chrono_literals;

namespace e2e {

namespace {

// The distribution's i3 configuration without the programs it starts (the
// bar and the session helpers): the window manager as a player has it.
std::filesystem::path i3Configuration(const std::filesystem::path& folder) {
    std::ifstream in("/etc/i3/config");
    const auto file = folder / "i3.config";
    std::ofstream out(file);
    std::string line;
    int barDepth = 0;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "bar") barDepth = 1;
        else if (barDepth > 0 && first == "}") {
            barDepth = 0;
            continue;
        }
        if (barDepth > 0 || first == "exec" || first == "exec_always") continue;
        out << line << '\n';
    }
    return file;
}

}  // namespace

std::string nameOf(WindowManager kind) {
    switch (kind) {
        case WindowManager::Bare: return "no window manager";
        case WindowManager::Openbox: return "openbox";
        case WindowManager::I3: return "i3";
    }
    return {};
}

bool available(WindowManager kind) {
    switch (kind) {
        case WindowManager::Bare: return true;
        case WindowManager::Openbox: return !std::string(OPENBOX_PROGRAM).empty();
        case WindowManager::I3: return !std::string(I3_PROGRAM).empty() && std::filesystem::exists("/etc/i3/config");
    }
    return false;
}

WindowManagerRun::WindowManagerRun(WindowManager kind, desktop_driver::XSession& x,
                                   const std::filesystem::path& folder) {
    if (kind == WindowManager::Bare) return;
    std::vector<std::string> arguments;
    std::string program;
    if (kind == WindowManager::Openbox) {
        program = OPENBOX_PROGRAM;
        arguments = {"--sm-disable"};
    } else {
        program = I3_PROGRAM;
        arguments = {"-c", i3Configuration(folder).string()};
    }
    log_ = folder / (nameOf(kind) + ".stderr");
    process_ = std::make_unique<testing_support::ChildProcess>(program, folder, arguments, log_);
    ready_ = desktop_driver::waitFor([&] { return windowManagerRunning(x); }, 20s) && windowManagerTakesNewWindows(x);
}

std::string WindowManagerRun::log() const { return log_.empty() ? "" : testing_support::readFile(log_); }

bool playersKeyboardFree(desktop_driver::XSession& x) {
    int count = 0, keyboard = -1;
    XIDeviceInfo* devices = XIQueryDevice(x.display(), XIAllDevices, &count);
    for (int i = 0; i < count; ++i)
        if (std::string(devices[i].name) == "Xvfb keyboard") keyboard = devices[i].deviceid;
    XIFreeDeviceInfo(devices);
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{keyboard, sizeof bits, bits};
    const bool free = XIGrabDevice(x.display(), keyboard, DefaultRootWindow(x.display()), CurrentTime, None,
                                   XIGrabModeAsync, XIGrabModeAsync, False, &mask) == Success;
    if (free) XIUngrabDevice(x.display(), keyboard, CurrentTime);
    XSync(x.display(), False);
    return free;
}

}  // namespace e2e
