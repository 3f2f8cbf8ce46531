// Play: the logo, the intro clip inside the start window, and the game driven
// into play while the player's keyboard is blocked.

#include <gtest/gtest.h>

#include "game_folder.h"
#include "launcher_layout.h"
#include "picture_match.h"
#include "window_managers.h"

#include <cstdlib>
#include <fstream>


using namespace std::chrono_literals;
using namespace desktop_driver;

namespace {

// Right of the button column the logo's planet is covered by no control.
const QRect logoProbe(230, 300, 60, 60);

bool showsLogo(XSession& x, QRect start, const QImage& logo) {
    return matchingShare(x.capture(start), logoProbe, logo, layout::image1Origin) > 0.9;
}

// The clip's frame runs along its edges: it must start 10 pixels in from the
// window's left and top edges, and nothing of it may lie left of that.
bool showsClipAt10_10(XSession& x, QRect start) {
    const QImage shot = x.capture(start);
    const QPoint o = layout::clipOrigin;
    return colourShare(shot, QRect(o.x() + 1, o.y() + 40, 5, 160), e2e::clipFrameColour, 48) > 0.9 &&
           colourShare(shot, QRect(o.x() + 40, o.y() + 1, 240, 5), e2e::clipFrameColour, 48) > 0.9 &&
           colourShare(shot, QRect(0, o.y() + 40, o.x() - 2, 160), e2e::clipFrameColour, 48) < 0.1 &&
           colourShare(shot, QRect(o.x() + 40, 0, 240, o.y() - 2), e2e::clipFrameColour, 48) < 0.1;
}

}  // namespace

TEST(Play, LogoClipThenTheGameGetsItsKeysAndNothingThePlayerTypes) {
    testing_support::XvfbServer server;
    XSession x;
    auto menu = e2e::testMenu();
    menu.field("TIMEDELAY") = "2";  // long enough to watch the logo and the clip
    e2e::GameFolder game(e2e::menuScriptFor(menu));
    const QImage logo = e2e::demoPicture("logo.bmp");

    auto& launcher = game.startLauncher();
    auto start = x.waitForWindow(layout::startTitle, 10s);
    ASSERT_TRUE(start) << game.launcherStderr();
    sleepFor(1200ms);
    const QRect area = x.geometry(*start);
    EXPECT_FALSE(showsLogo(x, area, logo));
    x.click(area.topLeft() + layout::command1.center());

    ASSERT_TRUE(waitFor([&] { return showsLogo(x, area, logo); }, 5s)) << "the logo did not show";
    e2e::keepScreenshot(x.capture(area), "play-logo");
    ASSERT_TRUE(waitFor([&] { return showsClipAt10_10(x, area); }, 5s)) << "the clip did not play at 10, 10";
    e2e::keepScreenshot(x.capture(area), "play-clip");

    ASSERT_TRUE(x.waitForWindow(layout::gameTitle, 10s)) << "the game did not start";
    // While the slides run the player's keyboard is blocked: what is typed on
    // it must not reach the game.
    ASSERT_TRUE(waitFor([&] { return game.keyLog().find("Space") != std::string::npos; }, 10s));
    x.keyOnDevice("Xvfb keyboard", "x");
    x.keyOnDevice("Xvfb keyboard", "Return");
    const std::string expected = "Space\nSpace\nSpace\nAlt+G\nReturn\n";
    EXPECT_EQ(e2e::waitForKeyLog(game, expected, 15s), expected);
    EXPECT_EQ(launcher.waitForExit(10s), 0) << game.launcherStderr();

    // Once the launcher is done, the same keyboard reaches the game again.
    x.keyOnDevice("Xvfb keyboard", "q");
    EXPECT_EQ(e2e::waitForKeyLog(game, expected + "Q\n", 5s), expected + "Q\n");
    if (auto window = x.findWindow(layout::gameTitle)) e2e::keepScreenshot(x.capture(x.geometry(*window)), "play-game");
}

namespace {

const std::string kPlayKeys = "Space\nSpace\nSpace\nAlt+G\nReturn\n";

void clickPlay(XSession& x, e2e::GameFolder& game, QRect& area) {
    auto start = x.waitForWindow(layout::startTitle, 10s);
    ASSERT_TRUE(start) << game.launcherStderr();
    sleepFor(1200ms);  // the presentation's first pause
    area = x.geometry(*start);
    x.click(area.topLeft() + layout::command1.center());
}

}  // namespace

TEST(Play, GameWhoseWindowComesTenSecondsLateGetsEveryKey) {
    testing_support::XvfbServer server;
    XSession x;
    e2e::GameFolder game(e2e::menuScriptFor(e2e::testMenu()));
    setenv("ZEMBROT_WINDOW_DELAY", "10", 1);
    auto& launcher = game.startLauncher();
    unsetenv("ZEMBROT_WINDOW_DELAY");
    QRect area;
    clickPlay(x, game, area);
    EXPECT_EQ(e2e::waitForKeyLog(game, kPlayKeys, 40s), kPlayKeys) << game.launcherStderr();
    EXPECT_EQ(launcher.waitForExit(10s), 0) << game.launcherStderr();
}

// Play was pressed: a Return meant for the logo closes the start window but
// does not cancel the game.
TEST(Play, ReturnDuringTheLogoClosesTheStartWindowAndTheGameStillGetsItsKeys) {
    testing_support::XvfbServer server;
    XSession x;
    auto menu = e2e::testMenu();
    menu.text[2] = "3";  // TIMEDELAY: the logo stays a while
    e2e::GameFolder game(e2e::menuScriptFor(menu));
    const QImage logo = e2e::demoPicture("logo.bmp");
    auto& launcher = game.startLauncher();
    QRect area;
    clickPlay(x, game, area);
    ASSERT_TRUE(waitFor([&] { return showsLogo(x, area, logo); }, 5s)) << "the logo did not show";
    x.key("Return");
    EXPECT_TRUE(x.waitUntilGone(layout::startTitle, 5s));
    EXPECT_EQ(e2e::waitForKeyLog(game, kPlayKeys, 30s), kPlayKeys) << game.launcherStderr();
    EXPECT_EQ(launcher.waitForExit(10s), 0) << game.launcherStderr();
}

TEST(Play, GameThatEndsBeforeItsWindowIsReportedWithItsExitStatusAndTheKeyboardReleased) {
    testing_support::XvfbServer server;
    XSession x;
    auto menu = e2e::testMenu();
    menu.text[2] = "0";  // TIMEDELAY: no logo or clip time
    e2e::GameFolder game(e2e::menuScriptFor(menu));
    std::filesystem::remove(game.path() / "zembrot.exe");
    std::ofstream(game.path() / "zembrot.exe") << "#!/bin/sh\nexit 3\n";
    std::filesystem::permissions(game.path() / "zembrot.exe", std::filesystem::perms::owner_all);
    auto& launcher = game.startLauncher();
    QRect area;
    clickPlay(x, game, area);
    const std::string report = "zembrot.exe ended before it opened a window (exit status 3)";
    EXPECT_TRUE(waitFor([&] { return game.launcherStderr().find(report) != std::string::npos; }, 15s))
        << game.launcherStderr();
    EXPECT_TRUE(e2e::playersKeyboardFree(x));
    EXPECT_TRUE(launcher.running());  // the report stays until the player ends it
    EXPECT_EQ(game.keyLog(), "");
}
