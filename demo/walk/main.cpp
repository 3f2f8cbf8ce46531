// A short walk through the demo game folder on an X display with nobody at
// it: the start screen, the help screen, Play, the logo, the intro clip, and
// the game receiving its keys. Saves what it sees as PNG files and prints the
// game's key log. Exit status 0 when the game received what it should.
//
// Usage: demo_walk <build folder>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

#include <QGuiApplication>
#include <QImage>

#include "child_process.h"
#include "launcher_layout.h"
#include "picture_match.h"
#include "x_session.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace desktop_driver;
using testing_support::ChildProcess;
using testing_support::readFile;
using testing_support::endProcessesWorkingIn;

namespace {

const std::string expectedKeys = "Space\nSpace\nSpace\nAlt+G\nReturn\n";
const QColor clipFrameColour(40, 200, 220);

class Walk {
public:
    Walk(fs::path build, XSession& x)
        : build_(std::move(build)), folder_(build_ / "demo"), lorvane_(build_ / "bin" / "lorvane"), x_(x) {
        shots_ = build_ / "demo" / "screenshots";
        fs::create_directories(shots_);
    }

    int run() {
        fs::remove(folder_ / "zembrot.log");
        if (!splashLayout()) return 1;

        step("The start screen");
        ChildProcess launcher(lorvane_, folder_, {}, shots_ / "lorvane.stderr");
        auto start = x_.waitForWindow(layout::startTitle, 10s);
        if (!start) {
            fail("the start screen did not appear");
            return 1;
        }
        sleepFor(1500ms);  // the presentation's first pause, and the music starting
        const QRect startArea = x_.geometry(*start);
        save("1-start-screen.png", startArea);

        const bool walked = help(startArea) && logo(startArea) && introClip(startArea) && game(launcher);
        return walked ? 0 : 1;
    }

private:
    bool splashLayout() {
        step("The splash layout (build/demo-splash)");
        ChildProcess splash(lorvane_, build_ / "demo-splash", {}, shots_ / "lorvane-splash.stderr");
        auto window = x_.waitForWindow(layout::startTitle, 10s);
        if (!window) return fail("the splash start screen did not appear");
        sleepFor(1500ms);
        save("0-splash-screen.png", x_.geometry(*window));
        x_.click(x_.geometry(*window).topLeft() + layout::command6.center());
        if (!splash.waitForExit(10s)) return fail("Stop did not close the splash start screen");
        return true;
    }

    bool help(const QRect& startArea) {
        step("Help");
        const QImage help(QString::fromStdString((folder_ / "Data" / "help.bmp").string()));
        x_.click(startArea.topLeft() + layout::command3.center());
        auto dialog = x_.waitForWindow(layout::helpTitle, 10s);
        if (!dialog) return fail("the help screen did not appear");
        const QRect dialogArea = x_.geometry(*dialog);
        const bool helpShown = waitFor([&] {
            return matchingShare(x_.capture(dialogArea), QRect(20, 20, 200, 200), help, layout::image2Origin) > 0.9;
        }, 5s);
        save("2-help-screen.png", dialogArea);
        if (!helpShown) return fail("the help screen does not show the help picture");
        x_.click(dialogArea.topLeft() + layout::okButton.center());
        if (!x_.waitUntilGone(layout::helpTitle, 5s)) return fail("OK did not close the help screen");
        return true;
    }

    bool logo(const QRect& startArea) {
        step("Play: the logo");
        const QImage logo(QString::fromStdString((folder_ / "Data" / "logo.bmp").string()));
        x_.click(startArea.topLeft() + layout::command1.center());
        // Right of the button column the logo's planet is not covered by any control.
        const QRect planetArea(230, 300, 60, 60);
        const bool logoShown = waitFor([&] {
            return matchingShare(x_.capture(startArea), planetArea, logo, layout::image1Origin) > 0.95;
        }, 10s);
        if (!logoShown) return fail("the logo did not appear");
        sleepFor(300ms);
        save("3-logo.png", startArea);
        return true;
    }

    bool introClip(const QRect& startArea) {
        step("The intro clip");
        auto clipShowing = [&] {
            const QImage shot = x_.capture(startArea);
            const QPoint o = layout::clipOrigin;
            return colourShare(shot, QRect(o.x() + 1, o.y() + 40, 5, 160), clipFrameColour, 48) > 0.9 &&
                   colourShare(shot, QRect(o.x() + 40, o.y() + 1, 240, 5), clipFrameColour, 48) > 0.9 &&
                   colourShare(shot, QRect(0, o.y() + 40, o.x() - 2, 160), clipFrameColour, 48) < 0.1;
        };
        if (!waitFor(clipShowing, 10s)) return fail("the intro clip did not play inside the start window at 10, 10");
        save("4-intro-clip.png", startArea);
        sleepFor(2200ms);  // later in the clip the title has come up
        if (clipShowing()) save("4-intro-clip.png", startArea);
        return true;
    }

    bool game(ChildProcess& launcher) {
        step("The game");
        auto game = x_.waitForWindow(layout::gameTitle, 15s);
        if (!game) return fail("the game's window did not appear");
        const fs::path log = folder_ / "zembrot.log";
        waitFor([&] { return readFile(log).find("Space") != std::string::npos; }, 15s);
        sleepFor(200ms);
        save("5-game-slides.png", x_.geometry(*game));
        // After the slides, Alt+G opens the game menu over the title screen.
        waitFor([&] { return readFile(log).find("Alt+G") != std::string::npos; }, 20s);
        sleepFor(200ms);
        save("6-game-menu.png", x_.geometry(*game));
        waitFor([&] { return readFile(log).size() >= expectedKeys.size(); }, 20s);
        sleepFor(300ms);
        save("7-game-playing.png", x_.geometry(*game));
        const auto launcherStatus = launcher.waitForExit(10s);

        const std::string keys = readFile(log);
        std::cout << "\nThe game's key log (" << log.string() << "):\n" << keys;
        x_.key("Escape");  // the game quits on Escape
        endProcessesWorkingIn(folder_);
        std::cout << "\nScreenshots: " << shots_.string() << "\n";
        for (const auto& name : saved_) std::cout << "  " << name << "\n";
        if (!launcherStatus) return fail("the launcher did not end after starting the game");
        if (keys != expectedKeys) return fail("the game did not receive Space, Space, Space, Alt+G, Return");
        std::cout << "\nThe game received Space x3, Alt+G and Return: the demo works.\n";
        return true;
    }

    void step(const std::string& what) { std::cout << "- " << what << std::endl; }

    void save(const std::string& name, QRect area) {
        x_.capture(area).save(QString::fromStdString((shots_ / name).string()), "PNG");
        if (std::find(saved_.begin(), saved_.end(), name) == saved_.end()) saved_.push_back(name);
    }

    bool fail(const std::string& why) {
        save("failure.png", QRect(0, 0, 1024, 768));
        std::cerr << "demo walk: " << why << " (see " << (shots_ / "failure.png").string() << ")\n";
        endProcessesWorkingIn(build_ / "demo");
        endProcessesWorkingIn(build_ / "demo-splash");
        return false;
    }

    fs::path build_, folder_, lorvane_, shots_;
    XSession& x_;
    std::vector<std::string> saved_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_walk <build folder>\n");
        return 2;
    }
    // Pictures are read and written through Qt; the display is only watched.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The programs the walk starts must use the display, not this setting.
    if (platform.isEmpty()) qunsetenv("QT_QPA_PLATFORM");
    else qputenv("QT_QPA_PLATFORM", platform);
    try {
        XSession x;
        return Walk(fs::absolute(argv[1]), x).run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "demo walk: %s\n", error.what());
        return 1;
    }
}
