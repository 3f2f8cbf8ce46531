// Play on the launcher: from the end of the logo's wait to the clip's first
// frame on the screen, side by side in alternating rounds with a GStreamer
// program that is already initialised playing the same clip. Background
// music plays meanwhile, as a script's BGMID makes it, so closing it counts.
#include <QColor>
#include <QImage>  // Qt before Xlib

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>
#include <vector>

#include "child_process.h"
#include "first_frame.h"
#include "test_media.h"
#include "xvfb_server.h"

namespace {

namespace fs = std::filesystem;
using bench::Clock;
using testing_support::ChildProcess;
using testing_support::Output;

constexpr std::uint32_t kWindowColour = 0x101440, kLogoColour = 0xC03020, kClipColour = 0x20C040;
constexpr double kLogoSeconds = 1;
// The start window's client area on the 1024 x 768 screen, and a pixel the
// clip covers once it plays at 10,10.
constexpr int kLeft = 347, kTop = 175, kProbeX = kLeft + 90, kProbeY = kTop + 70;

bool waitForColour(Display* display, std::uint32_t colour, Clock::time_point& seen) {
    for (const auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end; usleep(500))
        if (bench::colourDistance(bench::pixelAt(display, kProbeX, kProbeY), colour) < 40) {
            seen = Clock::now();
            return true;
        }
    return false;
}

fs::path makeGameFolder() {
    const auto folder = fs::temp_directory_path() / ("lorvane-play-bench-" + std::to_string(getpid()));
    fs::create_directories(folder / "Data");
    std::ofstream(folder / "Data" / "kelo.pod", std::ios::binary)
        << "TITLE,\"Zembrot\"\r\nBACKCOLOR,16,20,64\r\nCMD1,Play\r\nCMD2V,False\r\nCMD3V,False\r\nBSND,0\r\n"
           "TIMEDELAY,1\r\nBGMID,Data\\theme.mid\r\n";
    QImage logo(345, 416, QImage::Format_RGB32);
    logo.fill(QColor::fromRgb(kLogoColour));
    logo.save(QString::fromStdString((folder / "Data" / "logo.bmp").string()), "BMP");
    platform_tests::makeClip(folder / "Data" / "test.avi", kClipColour, 160, 120, 3);
    platform_tests::makeTune(folder / "Data" / "theme.mid", 60);
    return folder;
}

// Killed, and a moment for the server to forget its windows before the next round.
void end(ChildProcess& program) {
    program.kill();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

// Seconds from the end of the logo's wait to the clip's first frame.
double launcherRound(Display* display, const fs::path& folder) {
    ChildProcess lorvane({.arguments = {LORVANE_PATH},
                          .folder = folder,
                          .environment = {{"QT_QPA_PLATFORM", std::nullopt}},
                          .err = Output::discard()});
    Clock::time_point logo, clip;
    double seconds = -1;
    if (waitForColour(display, kWindowColour, logo)) {
        // The start screen begins its music 0.95 s after it shows; Play is
        // pressed once the music plays, so that closing it counts.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        XTestFakeMotionEvent(display, -1, kLeft + 164, kTop + 257, 0);
        XTestFakeButtonEvent(display, 1, True, 0);
        XTestFakeButtonEvent(display, 1, False, 0);
        XSync(display, False);
        if (waitForColour(display, kLogoColour, logo) && waitForColour(display, kClipColour, clip))
            seconds = std::chrono::duration<double>(clip - logo).count() - kLogoSeconds;
    }
    end(lorvane);
    return seconds;
}

// Seconds from the request to play to the clip's first frame.
double readyPlayerRound(Display* display, const fs::path& folder) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "%x", kLogoColour);
    ChildProcess player({.arguments = {READY_PLAYER_PATH, (folder / "Data" / "test.avi").string(), colour},
                         .out = Output::capture(),
                         .err = Output::discard(),
                         .input = true});
    std::string ready;
    double seconds = -1;
    Clock::time_point shown, clip;
    if (player.readLine(ready, std::chrono::seconds(20)) && ready == "ready" &&
        waitForColour(display, kLogoColour, shown)) {
        const auto asked = Clock::now();
        if (player.writeInput("p") && waitForColour(display, kClipColour, clip))
            seconds = std::chrono::duration<double>(clip - asked).count();
    }
    end(player);
    return seconds;
}

}  // namespace

int main() {
    testing_support::XvfbServer xvfb;
    const fs::path folder = makeGameFolder();
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    launcherRound(display, folder);  // warm the caches once
    readyPlayerRound(display, folder);
    const int rounds = bench::roundsFromEnvironment(10);
    std::vector<double> launcher, ready, paired;
    for (int round = 0; round < rounds; ++round) {
        launcher.push_back(launcherRound(display, folder));
        ready.push_back(readyPlayerRound(display, folder));
        if (launcher.back() < 0 || ready.back() < 0) {
            std::fprintf(stderr, "a clip never showed\n");
            return 1;
        }
        paired.push_back(launcher.back() / ready.back());
    }
    XCloseDisplay(display);
    fs::remove_all(folder);
    const auto l = bench::summarise(launcher), r = bench::summarise(ready);
    std::printf("Play -> the clip's first frame on the screen after the logo's wait, %d alternating rounds "
                "(background music playing):\nlorvane against a GStreamer program already initialised playing the "
                "same clip: ratio %.2f (goal <= 1.0; median of the rounds' own ratios %.2f)\n"
                "    lorvane %s\n    ready player %s\n",
                rounds, l.median / r.median, bench::summarise(paired).median,
                bench::describeMilliseconds(l).c_str(), bench::describeMilliseconds(r).c_str());
    return 0;
}
