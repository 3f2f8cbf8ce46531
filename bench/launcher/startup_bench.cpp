// Lorvane's start on the demo folder, side by side with bare Qt windows
// started the same way in alternating rounds: time from the fork to the
// first frame on the screen, and peak memory by then.
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
    const char* name;
    std::vector<std::string> command;
    std::vector<double> seconds, megabytes;
};

void printRatio(const char* what, const Contender& a, const Contender& b, const char* goal) {
    const auto sa = bench::summarise(a.seconds), sb = bench::summarise(b.seconds);
    std::vector<double> paired;
    for (std::size_t i = 0; i < a.seconds.size(); ++i) paired.push_back(a.seconds[i] / b.seconds[i]);
    std::printf("%s: ratio %.2f (goal %s; median of the rounds' own ratios %.2f)\n    %s %s\n    %s %s\n", what,
                sa.median / sb.median, goal, bench::summarise(paired).median, a.name,
                bench::describeMilliseconds(sa).c_str(), b.name, bench::describeMilliseconds(sb).c_str());
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
        {"lorvane", {LORVANE_PATH}, {}, {}},
        {"bare Qt window", {BARE_WINDOW_PATH}, {}, {}},
        {"bare window doing the same visible work", {BARE_WINDOW_PATH, "same-work"}, {}, {}},
    };
    // Warm the file caches once.
    for (const Contender& c : contenders) bench::timeToFirstFrame(display, c.command, DEMO_FOLDER, windowColourShows);
    const int rounds = bench::roundsFromEnvironment(15);
    for (int round = 0; round < rounds; ++round) {
        for (Contender& c : contenders) {
            const auto frame = bench::timeToFirstFrame(display, c.command, DEMO_FOLDER, windowColourShows);
            if (frame.seconds < 0) {
                std::fprintf(stderr, "%s never showed its first frame\n", c.name);
                return 1;
            }
            c.seconds.push_back(frame.seconds);
            c.megabytes.push_back(frame.peakMegabytes);
        }
    }
    XCloseDisplay(display);

    std::printf("exec -> first frame on the demo folder, %d alternating rounds:\n", rounds);
    printRatio("lorvane against a bare Qt window", contenders[0], contenders[1], "<= 1.35");
    printRatio("lorvane against a bare window with the same labels, fonts and pictures", contenders[0],
               contenders[2], "<= 1.05");
    printRatio("  (that window against the bare one, for scale)", contenders[2], contenders[1], "-");
    const double lMB = bench::summarise(contenders[0].megabytes).median;
    const double bMB = bench::summarise(contenders[1].megabytes).median;
    const double sMB = bench::summarise(contenders[2].megabytes).median;
    std::printf("peak memory at the first frame: lorvane %.1f MB (goal <= 27), bare window %.1f MB, ratio %.2f; "
                "same-work window %.1f MB\n",
                lMB, bMB, lMB / bMB, sMB);
    return 0;
}
