// Varno's start, side by side with a plain Qt window of 80 widgets in the
// same fonts, in alternating rounds: time from the start to the first frame.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "first_frame.h"
#include "xvfb_server.h"

int main() {
    testing_support::XvfbServer xvfb;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    // The editor keeps its files in the home folder: a fresh one of ours.
    const auto home = std::filesystem::temp_directory_path() / ("varno-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(home);
    setenv("HOME", home.c_str(), 1);

    // Both windows are centred on the 1024 x 768 screen; until a window has
    // drawn, the screen there stays the root's black.
    const bench::FrameSeen drawn = [](Display* d) {
        for (auto [x, y] : {std::pair{512, 384}, {420, 300}, {600, 460}})
            if (bench::pixelAt(d, x, y) != 0) return true;
        return false;
    };
    const std::vector<std::string> varno{VARNO_PATH}, bare{BARE_FORM_PATH};
    bench::timeToFirstFrame(display, varno, home, drawn);
    bench::timeToFirstFrame(display, bare, home, drawn);
    const int rounds = bench::roundsFromEnvironment(15);
    std::vector<double> v, b, paired;
    for (int round = 0; round < rounds; ++round) {
        v.push_back(bench::timeToFirstFrame(display, varno, home, drawn).seconds);
        b.push_back(bench::timeToFirstFrame(display, bare, home, drawn).seconds);
        if (v.back() < 0 || b.back() < 0) {
            std::fprintf(stderr, "a window never showed its first frame\n");
            return 1;
        }
        paired.push_back(v.back() / b.back());
    }
    XCloseDisplay(display);
    std::filesystem::remove_all(home);
    const auto sv = bench::summarise(v), sb = bench::summarise(b);
    std::printf("exec -> first frame, %d alternating rounds:\n"
                "varno against a bare window with 80 widgets in the same fonts: ratio %.2f (goal <= 1.05; "
                "median of the rounds' own ratios %.2f)\n    varno %s\n    bare window %s\n",
                rounds, sv.median / sb.median, bench::summarise(paired).median,
                bench::describeMilliseconds(sv).c_str(), bench::describeMilliseconds(sb).c_str());
    return 0;
}
