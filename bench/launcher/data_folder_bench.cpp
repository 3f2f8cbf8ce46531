// Start-up time against the number of files in the game's Data folder, for a
// script without a background picture: every settings pass asks whether
// Data\background.bmp exists, which no exact name answers.
#include <QColor>  // Qt before Xlib

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "first_frame.h"
#include "xvfb_server.h"

namespace {

namespace fs = std::filesystem;

void addFiles(const fs::path& data, int count) {
    for (int i = 0; i < count; ++i) std::ofstream(data / ("level" + std::to_string(i) + ".dat"));
}

// Repeats a record so that the script has `records` of them in all.
void addRecords(const fs::path& script, int records) {
    std::ofstream out(script, std::ios::binary | std::ios::app);
    for (int i = 0; i < records; ++i) out << "TITLE2,\"The Last Colony\"\r\n";
}

// One pixel of the client area, well clear of every label and button: it
// takes the window's colour with its first frame.
constexpr int kProbeX = 347 + 20, kProbeY = 175 + 200;

double medianStart(const fs::path& folder, Display* display, int runs) {
    const std::uint32_t colour = launcher_bench::kBackground.rgb() & 0xFFFFFF;
    const bench::FrameSeen shown = [colour](Display* d) { return bench::pixelAt(d, kProbeX, kProbeY) == colour; };
    std::vector<double> seconds;
    bench::timeToFirstFrame(display, {LORVANE_PATH}, folder, shown);  // warm the caches
    for (int run = 0; run < runs; ++run) {
        const double s = bench::timeToFirstFrame(display, {LORVANE_PATH}, folder, shown).seconds;
        if (s < 0) return -1;
        seconds.push_back(s);
    }
    return bench::summarise(seconds).median;
}

}  // namespace

int main() {
    testing_support::XvfbServer xvfb;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    struct Case {
        int files, records;
    };
    std::printf("| files in Data | extra records | first frame (median of the rounds) |\n|---|---|---|\n");
    for (const Case c : {Case{0, 0}, Case{2000, 0}, Case{20000, 0}, Case{0, 10000}, Case{2000, 10000}}) {
        const fs::path folder = launcher_bench::makeGameFolder("lorvane-data-folder-bench");
        fs::remove(folder / "Data" / "background.bmp");
        addFiles(folder / "Data", c.files);
        addRecords(folder / "Data" / "kelo.pod", c.records);
        const double seconds = medianStart(folder, display, bench::roundsFromEnvironment(9));
        if (seconds < 0) std::printf("| %d | %d | more than 20 s |\n", c.files, c.records);
        else std::printf("| %d | %d | %.0f ms |\n", c.files, c.records, seconds * 1000);
        std::fflush(stdout);
        fs::remove_all(folder);
    }
    XCloseDisplay(display);
    return 0;
}
