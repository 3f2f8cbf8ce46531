// Start-up against the size of the game's Data folder, as a player meets it:
// the demo game folder with its own script and files, without
// Data/background.bmp (which no exact name then answers), once as it is and
// once with 20,000 extra empty files in Data, started in alternating rounds;
// time from exec to the start window being mapped.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "first_frame.h"
#include "xvfb_server.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExtraFiles = 20000;

fs::path copyOfTheDemo(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::copy(DEMO_FOLDER, folder, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    fs::remove(folder / "Data" / "background.bmp");
    return folder;
}

}  // namespace

int main() {
    const fs::path plain = copyOfTheDemo("lorvane-data-folder-plain");
    const fs::path crowded = copyOfTheDemo("lorvane-data-folder-crowded");
    for (int i = 0; i < kExtraFiles; ++i) std::ofstream(crowded / "Data" / ("level" + std::to_string(i) + ".dat"));

    testing_support::XvfbServer xvfb;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    bench::Series withFiles{"20,000 extra files in Data", {}}, without{"the same folder without them", {}};
    // Warm the file caches once.
    bench::timeToFirstFrame(display, {LORVANE_PATH}, crowded);
    bench::timeToFirstFrame(display, {LORVANE_PATH}, plain);
    const double loadBefore = bench::loadAverage();
    const int rounds = bench::roundsFromEnvironment(21);
    for (int round = 0; round < rounds; ++round) {
        for (auto [folder, series] : {std::pair{&crowded, &withFiles}, std::pair{&plain, &without}}) {
            const double seconds = bench::timeToFirstFrame(display, {LORVANE_PATH}, *folder).mappedSeconds;
            if (seconds < 0) {
                std::fprintf(stderr, "lorvane never mapped its start window in %s\n", folder->c_str());
                return 1;
            }
            series->seconds.push_back(seconds);
        }
    }
    XCloseDisplay(display);
    fs::remove_all(plain);
    fs::remove_all(crowded);

    std::printf("Data folder: the demo folder without Data/background.bmp, %d alternating rounds "
                "(load average %.2f before, %.2f after):\n",
                rounds, loadBefore, bench::loadAverage());
    bench::printRatio("exec -> start window mapped, 20,000 extra files against none", withFiles, without, "<= 1.10");
    return 0;
}
