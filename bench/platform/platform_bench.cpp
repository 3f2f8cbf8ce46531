// Figures for the platform layer under a private Xvfb:
//  - CPU time used by a 10-second Wait (goal: under 1% of one core),
//  - how far waits overshoot their deadline (goal: under 20 ms),
//  - keystrokes per second into a program the platform started, none lost.
#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <csignal>
#include <vector>
#include <string>
#include <sys/resource.h>

#include "test_media.h"
#include "platform/platform.h"
#include "xvfb_server.h"

using namespace std::chrono_literals;

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

// The keys the receiver has written to its log after its "ready" line, once
// no more come for a moment.
std::vector<std::string> keysLogged(platform::Platform& p, const std::filesystem::path& log, std::size_t expected) {
    std::vector<std::string> keys;
    std::size_t seen = 0;
    double quietSince = p.MonotonicSeconds();
    while (p.MonotonicSeconds() - quietSince < (keys.size() < expected ? 5.0 : 0.3)) {
        p.Wait(0.05);
        std::ifstream in(log);
        keys.clear();
        for (std::string line; std::getline(in, line);)
            if (line.rfind("key ", 0) == 0) keys.push_back(line.substr(4));
        if (keys.size() != seen) {
            seen = keys.size();
            quietSince = p.MonotonicSeconds();
        }
    }
    return keys;
}

void reportKeys(const char* how, int sent, double took, const std::vector<std::string>& keys, std::size_t from,
                const char* letters) {
    bool inOrder = keys.size() >= from + sent;
    for (int i = 0; inOrder && i < sent; ++i) inOrder = keys[from + i] == std::string(1, letters[i % 26]);
    std::printf("keys, %s: %d sent in %.3f s = %.0f keys/s, %zu received%s\n", how, sent, took, sent / took,
                keys.size() - from, inOrder ? ", in order" : ", NOT AS SENT");
}

// Keys go to a program the platform started itself, as the game's do: the
// platform sends them only once that program's window can read them, and
// each call waits until they are read.
void benchKeys(platform::Platform& p) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("platform-bench-keys-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::create_symlink(KEY_RECEIVER, folder / "receiver.exe");
    const fs::path previous = fs::current_path();
    fs::current_path(folder);  // programs start from the working folder, by their Windows names
    p.StartProgram("receiver.exe keys.log");
    fs::current_path(previous);

    const char* letters = "abcdefghijklmnopqrstuvwxyz";
    const int calls = 100, batch = 1000;
    double t0 = p.MonotonicSeconds();
    for (int i = 0; i < calls; ++i) p.SendKeys(std::string(1, letters[i % 26]));
    double took = p.MonotonicSeconds() - t0;
    std::vector<std::string> keys = keysLogged(p, folder / "keys.log", calls);
    reportKeys("one call each (the first waits for the window)", calls, took, keys, 0, letters);

    std::string all;
    for (int i = 0; i < batch; ++i) all += letters[i % 26];
    t0 = p.MonotonicSeconds();
    p.SendKeys(all);
    took = p.MonotonicSeconds() - t0;
    const std::size_t before = keys.size();
    keys = keysLogged(p, folder / "keys.log", before + batch);
    reportKeys("one call for all", batch, took, keys, before, letters);

    std::ifstream in(folder / "keys.log");
    std::string word, window;
    int pid = 0;
    in >> word >> window >> pid;
    if (word == "ready" && pid > 0) kill(pid, SIGKILL);
    fs::remove_all(folder);
}

// How long the synchronous sound takes against the sound's own length, and
// how long opening media keeps the caller.
void benchMedia(platform::Platform& p) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("platform-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path previous = fs::current_path();
    fs::current_path(folder);  // media are named as the launcher names them: below the working folder
    const std::string tone = "tone.wav", tune = "tune.mid", clip = "clip.avi";
    platform_tests::makeTone(tone, 1.5);
    platform_tests::makeTune(tune, 8);
    platform_tests::makeClip(clip, 0xff0000, 320, 240, 2);

    double t0 = p.MonotonicSeconds();
    const int played = p.sndPlaySoundA(tone, 0);
    std::printf("sndPlaySoundA of a 1.500 s WAV: returned %d after %.3f s\n", played, p.MonotonicSeconds() - t0);
    t0 = p.MonotonicSeconds();
    p.sndPlaySoundA("missing.wav", 0);
    std::printf("sndPlaySoundA of a missing file (default sound): %.3f s\n", p.MonotonicSeconds() - t0);

    QWidget window;
    window.setGeometry(0, 0, 400, 300);
    window.show();
    p.Wait(0.2);
    t0 = p.MonotonicSeconds();
    p.mciSendStringA("open " + clip + " type avivideo alias v parent " + std::to_string(window.winId()) +
                         " style 1073741824",
                     nullptr, 0, 0);
    const double openClip = p.MonotonicSeconds() - t0;
    t0 = p.MonotonicSeconds();
    p.mciSendStringA("play v from 0", nullptr, 0, 0);
    const double playClip = p.MonotonicSeconds() - t0;
    p.Wait(0.5);
    p.mciSendStringA("close v", nullptr, 0, 0);
    t0 = p.MonotonicSeconds();
    p.mciSendStringA("play " + tune, nullptr, 0, 0);
    const double playTune = p.MonotonicSeconds() - t0;
    p.mciSendStringA("close all", nullptr, 0, 0);
    std::printf("media commands: open clip %.3f s, play clip %.3f s, play MIDI (opens it) %.3f s\n", openClip,
                playClip, playTune);
    fs::current_path(previous);
    fs::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
    testing_support::XvfbServer xvfb;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    auto p = platform::createLinuxPlatform();
    benchWait(*p);
    benchKeys(*p);
    benchMedia(*p);
    return 0;
}
