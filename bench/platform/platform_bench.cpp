// Figures for the platform layer under a private Xvfb:
//  - CPU time used by a 10-second Wait (goal: under 1% of one core),
//  - how far waits overshoot their deadline (goal: under 20 ms),
//  - keystrokes per second into a window of another process, none lost.
#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

#include "child_process.h"
#include "platform/platform.h"
#include "xvfb_server.h"

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void benchWait(platform::Platform& p) {
    QWidget window;  // a shown window, as the launcher has during its waits
    window.setGeometry(0, 0, 320, 240);
    window.show();
    p.Wait(0.2);

    const double cpuBefore = cpuSeconds();
    const double start = p.MonotonicSeconds();
    p.Wait(10.0);
    const double elapsed = p.MonotonicSeconds() - start;
    const double cpu = cpuSeconds() - cpuBefore;
    std::printf("wait 10 s: took %.4f s, CPU %.4f s = %.3f%% of one core, overshoot %.2f ms\n", elapsed, cpu,
                100.0 * cpu / elapsed, (elapsed - 10.0) * 1000.0);

    double worst = 0, total = 0;
    const int rounds = 40;
    for (int i = 0; i < rounds; ++i) {
        const double length = 0.05 + 0.01 * (i % 10);
        const double t0 = p.MonotonicSeconds();
        p.Wait(length);
        const double over = p.MonotonicSeconds() - t0 - length;
        worst = std::max(worst, over);
        total += over;
    }
    std::printf("waits of 0.05-0.14 s (%d): overshoot mean %.2f ms, worst %.2f ms\n", rounds, total / rounds * 1000.0,
                worst * 1000.0);
}

int countKeys(platform_tests::ChildProcess& receiver, int expected, bool& inOrder, const char* letters) {
    int received = 0;
    inOrder = true;
    std::string line;
    while (received < expected && receiver.readLine(line, 2.0)) {
        if (line.rfind("key ", 0) != 0) continue;
        if (line != std::string("key ") + letters[received % 26]) inOrder = false;
        ++received;
    }
    while (receiver.readLine(line, 0.3)) ++received;  // nothing more may come
    return received;
}

void benchKeys(platform::Platform& p) {
    platform_tests::ChildProcess receiver({KEY_RECEIVER});
    std::string line;
    if (!receiver.readLine(line, 15)) {
        std::printf("keys: receiver did not start\n");
        return;
    }
    const char* letters = "abcdefghijklmnopqrstuvwxyz";
    const int keys = 1000;

    double t0 = p.MonotonicSeconds();
    for (int i = 0; i < keys; ++i) p.SendKeys(std::string(1, letters[i % 26]));
    double took = p.MonotonicSeconds() - t0;
    bool inOrder = false;
    int received = countKeys(receiver, keys, inOrder, letters);
    std::printf("keys, one call each: %d sent in %.3f s = %.0f keys/s, %d received%s\n", keys, took, keys / took,
                received, inOrder ? ", in order" : ", OUT OF ORDER");

    std::string batch;
    for (int i = 0; i < keys; ++i) batch += letters[i % 26];
    t0 = p.MonotonicSeconds();
    p.SendKeys(batch);
    took = p.MonotonicSeconds() - t0;
    received = countKeys(receiver, keys, inOrder, letters);
    std::printf("keys, one call for all: %d sent in %.3f s = %.0f keys/s, %d received%s\n", keys, took, keys / took,
                received, inOrder ? ", in order" : ", OUT OF ORDER");
}

}  // namespace

int main(int argc, char** argv) {
    testing_support::XvfbServer xvfb;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    auto p = platform::createLinuxPlatform();
    benchWait(*p);
    benchKeys(*p);
    return 0;
}
