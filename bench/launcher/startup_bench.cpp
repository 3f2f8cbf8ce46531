// Time from process start to the first frame of the start window on Xvfb,
// against a bare Qt window of the same size started the same way.
#include <QImage>  // Qt before Xlib

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench_folder.h"
#include "xvfb_server.h"

namespace {

using Clock = std::chrono::steady_clock;

// One pixel of the client area, well clear of every label and button: it
// takes the background colour with the window's first frame.
constexpr int kProbeX = 347 + 20, kProbeY = 175 + 200;

double secondsToFirstFrame(const char* program, const std::filesystem::path& folder, Display* display,
                           const char* argument = nullptr) {
    const std::uint32_t wanted = launcher_bench::kBackground.rgb() & 0xFFFFFF;
    const Window root = DefaultRootWindow(display);
    const auto started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        unsetenv("QT_QPA_PLATFORM");
        execl(program, program, argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    double seconds = -1;
    while (Clock::now() - started < std::chrono::seconds(20)) {
        XImage* image = XGetImage(display, root, kProbeX, kProbeY, 1, 1, AllPlanes, ZPixmap);
        const std::uint32_t pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
        XDestroyImage(image);
        if (pixel == wanted) {
            seconds = std::chrono::duration<double>(Clock::now() - started).count();
            break;
        }
        usleep(500);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // Let the server forget the window before the next start.
    XSync(display, False);
    usleep(200000);
    return seconds;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    testing_support::XvfbServer xvfb;
    const auto folder = launcher_bench::makeGameFolder("lorvane-startup-bench");
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;

    constexpr int kRuns = 15;
    std::vector<double> launcher, bare, bareWithText;
    secondsToFirstFrame(BARE_WINDOW_PATH, folder, display);  // warm the caches once
    secondsToFirstFrame(LORVANE_PATH, folder, display);
    for (int run = 0; run < kRuns; ++run) {
        bare.push_back(secondsToFirstFrame(BARE_WINDOW_PATH, folder, display));
        launcher.push_back(secondsToFirstFrame(LORVANE_PATH, folder, display));
        bareWithText.push_back(secondsToFirstFrame(BARE_WINDOW_PATH, folder, display, "text"));
    }
    XCloseDisplay(display);
    std::filesystem::remove_all(folder);

    if (*std::min_element(launcher.begin(), launcher.end()) < 0 || *std::min_element(bare.begin(), bare.end()) < 0) {
        std::fprintf(stderr, "a window never showed its first frame\n");
        return 1;
    }
    const double l = median(launcher), b = median(bare);
    const double lFastest = *std::min_element(launcher.begin(), launcher.end());
    const double bFastest = *std::min_element(bare.begin(), bare.end());
    std::printf("first frame, median of %d alternating runs: lorvane %.1f ms, bare Qt window %.1f ms, "
                "ratio %.2f (goal <= 1.25)\n",
                kRuns, l * 1000, b * 1000, l / b);
    const double t = median(bareWithText);
    std::printf("  for scale: the bare window with one line of text %.1f ms, lorvane / that %.2f\n", t * 1000, l / t);
    std::printf("fastest runs: lorvane %.1f ms, bare Qt window %.1f ms, ratio %.2f\n", lFastest * 1000,
                bFastest * 1000, lFastest / bFastest);
    return 0;
}
