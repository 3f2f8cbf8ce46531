// The player's first start of a Windows game through Wine: Wine sets up a
// brand-new prefix and shows its own progress window ("Wine") for a while
// before the game's comes. The launcher waits for the game's own window and
// every key reaches the game. A new prefix takes 10 to 20 seconds, so
// `make test` runs only the start without a window manager, where a wrong
// window loses the keys for sure; the start under openbox is run by hand:
//   build/bin/wine_first_start_tests
// Each prints how long the skip key's keys took to reach the game, and
// keeps a screenshot of Wine's window.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include <QImage>

#include "game_folder.h"
#include "wine_run.h"

using namespace std::chrono_literals;
using namespace desktop_driver;
using namespace wine_run;

namespace {

// The title of the window Wine shows while it sets up a prefix.
const std::string kWineSetupTitle = "Wine";

// Something is drawn in the picture: it is not one colour.
bool drawn(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != picture.pixel(0, 0)) return true;
    return false;
}

void firstStart(XSession& x, const std::string& desktop) {
    const auto folder = e2e::makeTemporaryFolder("wine-first-start-");
    {
        WinePrefix wine(folder / "prefix");
        bool setupShown = false;
        const auto pressed = std::chrono::steady_clock::now();
        const std::string log = runLauncher(x, kSkipKeys, desktop + "-first-start", [&](QRect) {
            x.key("s");
            if (auto setup = x.waitForWindow(kWineSetupTitle, 30s)) {
                setupShown = true;
                waitFor([&] { return drawn(x.capture(x.geometry(*setup))); }, 5s);
                e2e::keepScreenshot(x.capture(), desktop + "-wine-setup");
            }
        });
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - pressed;
        EXPECT_TRUE(setupShown) << "Wine showed no window while it set up the prefix";
        EXPECT_EQ(log, kSkipKeys);
        if (log == kSkipKeys)
            std::printf("%s: the skip key's keys reached the game %.1f s after it was pressed\n", desktop.c_str(),
                        took.count());
    }
    std::filesystem::remove_all(folder);
}

}  // namespace

TEST(WineFirstStart, TheGameGetsItsKeysWithoutAWindowManager) {
    testing_support::XvfbServer server;
    XSession x;
    firstStart(x, "no-wm");
}

TEST(WineFirstStart, TheGameGetsItsKeysUnderOpenbox) {
    testing_support::XvfbServer server;
    XSession x;
    underOpenbox(x, [&] { firstStart(x, "openbox"); });
}
