// The start screen's other ways into the game, and its help screen.

#include <gtest/gtest.h>

#include "game_folder.h"
#include "launcher_layout.h"
#include "picture_match.h"

#include <X11/Xutil.h>

using namespace std::chrono_literals;
using namespace desktop_driver;
using testing_support::ChildProcess;

namespace {

struct StartScreen {
    testing_support::XvfbServer server;
    XSession x;
    e2e::GameFolder game{e2e::menuScriptFor(e2e::testMenu())};
    ChildProcess* launcher = nullptr;
    QRect area;

    // Starts the launcher; false when its start screen does not appear.
    bool open() {
        launcher = &game.startLauncher();
        auto window = x.waitForWindow(layout::startTitle, 10s);
        if (!window) return false;
        area = x.geometry(*window);
        sleepFor(1200ms);
        return true;
    }
};

}  // namespace

TEST(MenuButtons, SetupDrivesTheGameToItsOptionsAndTheLauncherStaysOpen) {
    StartScreen s;
    ASSERT_TRUE(s.open()) << s.game.launcherStderr();
    s.x.click(s.area.topLeft() + layout::command2.center());
    ASSERT_TRUE(s.x.waitForWindow(layout::gameTitle, 10s)) << "the game did not start";
    const std::string expected = "Alt+G\nDown\nDown\nDown\nDown\nDown\nDown\nReturn\nAlt+O\n";
    EXPECT_EQ(e2e::waitForKeyLog(s.game, expected, 10s), expected);
    if (auto window = s.x.findWindow(layout::gameTitle))
        e2e::keepScreenshot(s.x.capture(s.x.geometry(*window)), "setup-game-options");
    sleepFor(500ms);
    EXPECT_TRUE(s.launcher->running());
    const auto start = s.x.findWindow(layout::startTitle);
    ASSERT_TRUE(start) << "the start screen must stay";
    // The drive is over: the start screen takes the focus again.
    EXPECT_TRUE(waitFor([&] {
        XWMHints* hints = XGetWMHints(s.x.display(), *start);
        const bool takesFocus = !hints || !(hints->flags & InputHint) || hints->input;
        if (hints) XFree(hints);
        return takesFocus;
    }, 2s));
}

TEST(MenuButtons, SOnTheStartScreenStartsTheGameWithoutTheIntro) {
    StartScreen s;
    ASSERT_TRUE(s.open()) << s.game.launcherStderr();
    const QImage logo = e2e::demoPicture("logo.bmp");
    s.x.key("s");  // the start screen took the focus when it appeared
    bool logoSeen = false;
    const bool ended = waitFor([&] {
        if (s.x.findWindow(layout::startTitle) &&
            matchingShare(s.x.capture(s.area), QRect(230, 300, 60, 60), logo, layout::image1Origin) > 0.9)
            logoSeen = true;
        return !s.launcher->running();
    }, 15s);
    EXPECT_TRUE(ended) << "the launcher did not end";
    EXPECT_FALSE(logoSeen) << "the intro ran";
    EXPECT_EQ(e2e::waitForKeyLog(s.game, "Alt+G\nReturn\n", 5s), "Alt+G\nReturn\n") << "no slides, no Space";
}

TEST(MenuButtons, HelpShowsTheHelpPictureAndOkClosesIt) {
    StartScreen s;
    ASSERT_TRUE(s.open()) << s.game.launcherStderr();
    s.x.click(s.area.topLeft() + layout::command3.center());
    auto dialog = s.x.waitForWindow(layout::helpTitle, 10s);
    ASSERT_TRUE(dialog) << "no help screen";
    const QRect area = s.x.geometry(*dialog);
    const QImage help = e2e::demoPicture("help.bmp");
    EXPECT_TRUE(waitFor([&] {
        return matchingShare(s.x.capture(area), QRect(8, 8, 300, 340), help, layout::image2Origin) > 0.95;
    }, 5s)) << "the help picture does not show at its place";
    e2e::keepScreenshot(s.x.capture(area), "help-screen");
    s.x.click(area.topLeft() + layout::okButton.center());
    EXPECT_TRUE(s.x.waitUntilGone(layout::helpTitle, 5s)) << "OK did not close the help screen";
    EXPECT_TRUE(s.x.findWindow(layout::startTitle));
    EXPECT_TRUE(s.launcher->running());
    EXPECT_EQ(s.game.keyLog(), "");
}
