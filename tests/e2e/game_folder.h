#pragma once
// A game folder of its own for one test, on a private X server: the demo's
// media, the stand-in game, a menu script; and every process that works in
// it is ended when the test is over.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include <QImage>

#include "child_process.h"
#include "script/writer.h"
#include "x_session.h"
#include "xvfb_server.h"

namespace e2e {

// The test's menu: short delays, three slides, all four buttons in the main
// layout with colours and no pictures, the help picture.
script::EditorSnapshot testMenu();

class GameFolder {
public:
    // Copies the demo's media and the game; writes `menuScript` as Data/kelo.pod.
    explicit GameFolder(const std::string& menuScript);
    ~GameFolder();

    const std::filesystem::path& path() const { return path_; }
    std::string keyLog() const;
    // Starts the launcher here, with standard error kept for stderr().
    testing_support::ChildProcess& startLauncher();
    std::string launcherStderr() const;

private:
    std::filesystem::path path_;
    std::unique_ptr<testing_support::ChildProcess> launcher_;
};

std::string menuScriptFor(const script::EditorSnapshot& snapshot);
std::filesystem::path makeTemporaryFolder(const std::string& prefix);
QImage demoPicture(const std::string& name);
// Keeps a screenshot beside the test binary, for a person to look at.
void keepScreenshot(const QImage& image, const std::string& name);

// Waits until the key log is at least as long as `expected` (or the time is
// up) and returns it.
std::string waitForKeyLog(const GameFolder& folder, const std::string& expected,
                          std::chrono::milliseconds timeout);

// True once a window manager has announced itself on the display.
bool windowManagerRunning(desktop_driver::XSession& x);
// A window manager announces itself before it is done starting, and a
// window mapped meanwhile may stay unmanaged: maps a probe window (again,
// when it was passed over) until the window manager has taken it.
bool windowManagerTakesNewWindows(desktop_driver::XSession& x);

inline const QColor clipFrameColour(40, 200, 220);

}  // namespace e2e
