// Lorvane's start on the demo folder, side by side with bare Qt windows
// started the same way in alternating rounds: time from the start to the start
// window being mapped and to its first frame on the screen, and peak memory
// at the first frame.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "first_frame.h"
#include "xvfb_server.h"

namespace {

// One pixel of the client area, well clear of every label and button: it
// takes the window's colour with its first frame.
constexpr int kProbeX = 347 + 20, kProbeY = 175 + 200;
constexpr std::uint32_t kWindowColour = 0x101440;

struct Contender {
    bench::Series mapped, shown;
    std::vector<std::string> command;
    std::vector<double> megabytes;
};

Contender contender(const char* name, std::vector<std::string> command) {
    return {{name, {}}, {name, {}}, std::move(command), {}};
}

}  // namespace

int main() {
    testing_support::XvfbServer xvfb;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    const bench::FrameSeen windowColourShows = [](Display* d) {
        return bench::pixelAt(d, kProbeX, kProbeY) == kWindowColour;
    };

    std::vector<Contender> contenders{
        contender("lorvane", {LORVANE_PATH}),
        contender("bare Qt window", {BARE_WINDOW_PATH}),
        contender("bare window doing the same visible work", {BARE_WINDOW_PATH, "same-work"}),
        contender("bare window with one line of text", {BARE_WINDOW_PATH, "text"}),
        contender("bare window doing the same work before it maps", {BARE_WINDOW_PATH, "sized-before-map"}),
    };
    // Warm the file caches once.
    for (const Contender& c : contenders) bench::timeToFirstFrame(display, c.command, DEMO_FOLDER, windowColourShows);
    const double loadBefore = bench::loadAverage();
    const int rounds = bench::roundsFromEnvironment(21);
    for (int round = 0; round < rounds; ++round) {
        for (Contender& c : contenders) {
            const auto frame = bench::timeToFirstFrame(display, c.command, DEMO_FOLDER, windowColourShows);
            if (frame.seconds < 0 || frame.mappedSeconds < 0) {
                std::fprintf(stderr, "%s never showed its first frame\n", c.mapped.name.c_str());
                return 1;
            }
            c.mapped.seconds.push_back(frame.mappedSeconds);
            c.shown.seconds.push_back(frame.seconds);
            c.megabytes.push_back(frame.peakMegabytes);
        }
    }
    XCloseDisplay(display);

    const Contender &lorvane = contenders[0], &bare = contenders[1], &sameWork = contenders[2], &text = contenders[3],
                    &sizedFirst = contenders[4];
    std::printf("Start-up on the demo folder, %d alternating rounds (load average %.2f before, %.2f after):\n",
                rounds, loadBefore, bench::loadAverage());
    bench::printRatio("exec -> start window mapped, lorvane against a bare Qt window of the same size", lorvane.mapped,
                      bare.mapped, "<= 1.15");
    // The floor of the figure above: a plain Qt program that, like the
    // launcher, sizes its self-sizing labels to their text before it maps.
    bench::printRatio("exec -> start window mapped, lorvane against a bare window doing the same work before it maps",
                      lorvane.mapped, sizedFirst.mapped, "-");
    bench::printRatio("exec -> first frame, lorvane against a bare Qt window", lorvane.shown, bare.shown, "-");
    bench::printRatio("exec -> first frame, lorvane against a bare window with the same labels, fonts and pictures",
                      lorvane.shown, sameWork.shown, "-");
    const double lMB = bench::summarise(lorvane.megabytes).median;
    const double bMB = bench::summarise(bare.megabytes).median;
    const double sMB = bench::summarise(sameWork.megabytes).median;
    const double tMB = bench::summarise(text.megabytes).median;
    std::printf("peak memory at the first frame: lorvane %.1f MB (goal <= 27), bare window %.1f MB, ratio %.2f\n"
                "    for scale: the bare window with one line of text %.1f MB, doing the same visible work %.1f MB\n",
                lMB, bMB, lMB / bMB, tMB, sMB);
    return 0;
}
