// CPU use and overshoot of a 10-second WaitTimeDelay3 on the idle start screen.
#include <QApplication>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "bench_folder.h"
#include "view/fonts.h"
#include "launcher/launcher_windows.h"
#include "launcher/start.h"
#include "platform/platform.h"
#include "xvfb_server.h"

namespace {
double seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}
}  // namespace

int main(int argc, char** argv) {
    testing_support::XvfbServer xvfb;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    view::installFontSubstitutions();
    const auto folder = launcher_bench::makeGameFolder("lorvane-wait-bench", 10);
    std::filesystem::current_path(folder);

    auto system = platform::createLinuxPlatform();
    launcher::LauncherWindows windows(*system);
    launcher::start& window = windows.loadStart();

    const double wallBefore = seconds(CLOCK_MONOTONIC), cpuBefore = seconds(CLOCK_PROCESS_CPUTIME_ID);
    window.menu().WaitTimeDelay3();
    const double wall = seconds(CLOCK_MONOTONIC) - wallBefore;
    const double cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuBefore;
    std::printf("WaitTimeDelay3 of %d s on the idle start screen: lasted %.3f s, overshoot %.1f ms (goal < 20), "
                "CPU %.3f%% of one core (goal < 1)\n",
                window.menu().intTimeDelay3, wall, (wall - window.menu().intTimeDelay3) * 1000, cpu / wall * 100);
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
    return 0;
}
