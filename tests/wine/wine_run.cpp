#include "wine_run.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "game_folder.h"
#include "launcher_layout.h"

using namespace std::chrono_literals;
using namespace desktop_driver;
using testing_support::ChildProcess;
using testing_support::readFile;

namespace wine_run {

WinePrefix::WinePrefix(const std::filesystem::path& prefix) {
    setenv("WINEPREFIX", prefix.c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
}

WinePrefix::~WinePrefix() {
    ChildProcess stop(WINESERVER_PROGRAM, std::filesystem::temp_directory_path(), {"-k"});
    stop.waitForExit(20s);
}

std::string runLauncher(XSession& x, const std::string& expected, const std::string& shot,
                        const std::function<void(QRect)>& act) {
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

void underOpenbox(XSession& x, const std::function<void()>& run) {
    const auto folder = e2e::makeTemporaryFolder("openbox-");
    {
        ChildProcess openbox(OPENBOX_PROGRAM, folder, {"--sm-disable"}, folder / "openbox.stderr");
        const bool managed = waitFor([&] { return e2e::windowManagerRunning(x); }, 20s);
        EXPECT_TRUE(managed) << readFile(folder / "openbox.stderr");
        if (managed) run();
    }
    std::filesystem::remove_all(folder);
}

}  // namespace wine_run
