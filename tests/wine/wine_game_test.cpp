// A real Windows game, run through Wine, gets every key the launcher sends it
// and the launcher none: with no window manager and under openbox, from Play
// and from the skip key, also when the game's window comes 10 seconds late.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game_folder.h"
#include "launcher_layout.h"
#include "wine_run.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace std::chrono_literals;
using namespace desktop_driver;
using namespace wine_run;

namespace {

void playAndSkip(XSession& x, const std::string& desktop, int skipWindowDelay) {
    WinePrefix wine(WINE_PREFIX_DIR);
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
    underOpenbox(x, [&] { playAndSkip(x, "openbox", 0); });
}
