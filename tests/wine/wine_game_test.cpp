// A real Windows game, run through Wine, gets every key the launcher sends it
// and the launcher none: with no window manager and under openbox, from Play
// and from the skip key, also when the game's window comes 10 seconds late.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game_folder.h"
#include "launcher_layout.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace std::chrono_literals;
using namespace desktop_driver;

namespace {

const std::string kPlayKeys = "Space\nSpace\nSpace\nAlt+G\nReturn\n";
const std::string kSkipKeys = "Alt+G\nReturn\n";

// Every Wine process of the test prefix ends with the test.
struct WinePrefix {
    WinePrefix() {
        setenv("WINEPREFIX", WINE_PREFIX_DIR, 1);
        setenv("WINEDEBUG", "-all", 1);
    }
    ~WinePrefix() {
        ChildProcess stop(WINESERVER_PROGRAM, std::filesystem::temp_directory_path(), {"-k"});
        stop.waitForExit(20s);
    }
};

// Starts the launcher in a game folder holding the Windows game, waits for
// the start screen and hands it `act`; returns the game's key log once it is
// as long as `expected`.
template <typename Act>
std::string runLauncher(XSession& x, const std::string& expected, const std::string& shot, Act act) {
    e2e::GameFolder game(e2e::menuScriptFor(e2e::testMenu()));
    auto& launcher = game.startLauncher();
    auto start = x.waitForWindow(layout::startTitle, 20s);
    EXPECT_TRUE(start) << game.launcherStderr();
    if (!start) return {};
    sleepFor(1200ms);  // the presentation's first pause
    act(x.geometry(*start));
    const std::string log = e2e::waitForKeyLog(game, expected, 150s);
    EXPECT_EQ(launcher.waitForExit(20s), 0) << game.launcherStderr();
    if (auto window = x.findWindow(layout::gameTitle)) e2e::keepScreenshot(x.capture(x.geometry(*window)), shot);
    return log;
}

void playAndSkip(XSession& x, const std::string& desktop, int skipWindowDelay) {
    WinePrefix wine;
    EXPECT_EQ(runLauncher(x, kPlayKeys, desktop + "-play",
                          [&](QRect area) { x.click(area.topLeft() + layout::command1.center()); }),
              kPlayKeys);
    setenv("ZEMBROT_WINDOW_DELAY", std::to_string(skipWindowDelay).c_str(), 1);
    EXPECT_EQ(runLauncher(x, kSkipKeys, desktop + "-skip", [&](QRect) { x.key("s"); }), kSkipKeys);
    unsetenv("ZEMBROT_WINDOW_DELAY");
}

}  // namespace

// A Wine window takes no focus by itself; without a window manager nobody
// else gives it one.
TEST(WineGame, GetsItsKeysWithoutAWindowManagerAlsoWhenItsWindowComesLate) {
    testing_support::XvfbServer server;
    XSession x;
    playAndSkip(x, "no-wm", 10);
}

TEST(WineGame, GetsItsKeysUnderOpenbox) {
    testing_support::XvfbServer server;
    XSession x;
    const auto folder = e2e::makeTemporaryFolder("openbox-");
    {
        ChildProcess openbox(OPENBOX_PROGRAM, folder, {"--sm-disable"}, folder / "openbox.stderr");
        ASSERT_TRUE(waitFor([&] { return e2e::windowManagerRunning(x); }, 20s)) << readFile(folder / "openbox.stderr");
        playAndSkip(x, "openbox", 0);
    }
    std::filesystem::remove_all(folder);
}
