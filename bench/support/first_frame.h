#pragma once
// Starting a program on the benchmark's X server and timing it: from its start
// to its first top-level window being mapped, and to the moment a pixel of
// its window shows what it draws.

#include <X11/Xlib.h>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// True once the screen shows the first frame.
using FrameSeen = std::function<bool(Display*)>;

struct FirstFrame {
    double mappedSeconds = -1;   // the first top-level window mapped; -1: not within 20 s
    double seconds = -1;         // the first frame seen; -1: never shown within 20 s
    double peakMegabytes = 0;    // the program's peak resident memory at its first frame
};

// Starts `command` in `folder` with the benchmark's own environment (no
// Qt platform forced, no session bus), waits for its first window to be
// mapped and then, when `seen` is given, for its first frame; then kills it.
// Without `seen` the peak memory is taken when the window is mapped.
FirstFrame timeToFirstFrame(Display* display, const std::vector<std::string>& command,
                            const std::filesystem::path& folder, const FrameSeen& seen = {});

// The colour of one pixel of the screen, 0xRRGGBB.
std::uint32_t pixelAt(Display* display, int x, int y);
// Largest channel difference of two 0xRRGGBB colours.
int colourDistance(std::uint32_t a, std::uint32_t b);

// The middle of the values, and how far apart the middle half lies.
struct Summary {
    double median = 0, lowerQuartile = 0, upperQuartile = 0;
};
Summary summarise(std::vector<double> values);
// "median 61.2 ms (quartiles 58.0-66.1)"
std::string describeMilliseconds(const Summary& summary);

// Rounds that alternate the programs compared, one round after another, so
// that a busy moment of the machine falls on all of them alike.
int roundsFromEnvironment(int fallback);

// One program's times over the rounds, and the line that sets two of them
// side by side: the ratio of the medians, the median of the rounds' own
// ratios, and each one's median and quartiles.
struct Series {
    std::string name;
    std::vector<double> seconds;
};
void printRatio(const char* what, const Series& a, const Series& b, const char* goal);

// The load average over the last minute, as uptime shows it.
double loadAverage();

}  // namespace bench
