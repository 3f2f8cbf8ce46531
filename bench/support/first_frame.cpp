#include "first_frame.h"

#include <X11/Xutil.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <unistd.h>

#include "child_process.h"

namespace bench {

namespace {

double peakResidentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

}  // namespace

std::uint32_t pixelAt(Display* display, int x, int y) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    const auto pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
    return pixel;
}

int colourDistance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16})
        largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

FirstFrame timeToFirstFrame(Display* display, const std::vector<std::string>& command,
                            const std::filesystem::path& folder, const FrameSeen& seen) {
    // Top-level windows are the root's children: their MapNotify comes to
    // whoever listens for the root's substructure. Forget earlier programs'.
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    const auto started = Clock::now();
    // Their warnings would only bury the figures.
    testing_support::ChildProcess program({.arguments = command,
                                           .folder = folder,
                                           .environment = {{"QT_QPA_PLATFORM", std::nullopt},
                                                           {"DBUS_SESSION_BUS_ADDRESS", std::nullopt}},
                                           .err = testing_support::Output::discard()});
    const pid_t pid = program.pid();
    const auto since = [&started] { return std::chrono::duration<double>(Clock::now() - started).count(); };
    FirstFrame result;
    while (Clock::now() - started < std::chrono::seconds(20)) {
        while (result.mappedSeconds < 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) result.mappedSeconds = since();
        }
        const bool mapped = result.mappedSeconds >= 0;
        if (seen && result.seconds < 0 && seen(display)) {
            result.seconds = since();
            result.peakMegabytes = peakResidentMegabytes(pid);
        }
        // A frame shows only on a mapped window, whose event may still be queued.
        if (mapped && (!seen || result.seconds >= 0)) {
            if (!seen) result.peakMegabytes = peakResidentMegabytes(pid);
            break;
        }
        usleep(250);
    }
    program.kill();
    XSelectInput(display, root, NoEventMask);
    // Let the server forget the window before the next start.
    XSync(display, True);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return result;
}

Summary summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    if (values.empty()) return {};
    const auto at = [&](double share) { return values[static_cast<std::size_t>(share * (values.size() - 1) + 0.5)]; };
    return {at(0.5), at(0.25), at(0.75)};
}

std::string describeMilliseconds(const Summary& summary) {
    char text[96];
    std::snprintf(text, sizeof text, "median %.1f ms (quartiles %.1f-%.1f)", summary.median * 1000,
                  summary.lowerQuartile * 1000, summary.upperQuartile * 1000);
    return text;
}

void printRatio(const char* what, const Series& a, const Series& b, const char* goal) {
    const auto sa = summarise(a.seconds), sb = summarise(b.seconds);
    std::vector<double> paired;
    for (std::size_t i = 0; i < a.seconds.size() && i < b.seconds.size(); ++i)
        paired.push_back(a.seconds[i] / b.seconds[i]);
    std::printf("%s: ratio %.2f (goal %s; median of the rounds' own ratios %.2f)\n    %s %s\n    %s %s\n", what,
                sa.median / sb.median, goal, summarise(paired).median, a.name.c_str(),
                describeMilliseconds(sa).c_str(), b.name.c_str(), describeMilliseconds(sb).c_str());
    std::fflush(stdout);
}

double loadAverage() {
    double load = -1;
    if (FILE* file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf", &load) != 1) load = -1;
        std::fclose(file);
    }
    return load;
}

int roundsFromEnvironment(int fallback) {
    const char* rounds = std::getenv("BENCH_ROUNDS");
    const int asked = rounds ? std::atoi(rounds) : 0;
    return asked > 0 ? asked : fallback;
}

}  // namespace bench
