// A script the launcher cannot read: a report naming the failure, exit
// status 1, and no start screen.

#include <gtest/gtest.h>

#include "game_folder.h"
#include "launcher_layout.h"

using namespace std::chrono_literals;
using namespace desktop_driver;

namespace {

// TIMEDELAY beyond the 16-bit range.
std::string brokenScript() {
    auto menu = e2e::testMenu();
    menu.field("TIMEDELAY") = "40000";
    return e2e::menuScriptFor(menu);
}

}  // namespace

TEST(BrokenScript, ReportsTheFailureAndNeverShowsTheStartScreen) {
    testing_support::XvfbServer server;
    XSession x;
    e2e::GameFolder game(brokenScript());
    auto& launcher = game.startLauncher();
    bool startSeen = false, reportSeen = false;
    std::optional<int> status;
    // The report waits for its OK; answer it when it is there.
    const bool ended = waitFor([&] {
        if (x.findWindow(layout::startTitle)) startSeen = true;
        if (auto box = x.findWindow("Lorvane")) {
            reportSeen = true;
            e2e::keepScreenshot(x.capture(), "broken-script-report");
            x.focus(*box);
            x.key("Return");
        }
        return (status = launcher.waitForExit(0ms)).has_value();
    }, 20s);
    ASSERT_TRUE(ended);
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(startSeen);
    EXPECT_TRUE(reportSeen) << "no report window";
    EXPECT_NE(game.launcherStderr().find("Overflow"), std::string::npos) << game.launcherStderr();
}
