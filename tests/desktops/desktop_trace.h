#pragma once
// What a desktop saw while a test ran, watched from a connection of its own:
// which window had the keyboard focus, what became the active window, which
// windows the window manager listed, the activation requests and startup
// notifications sent to the root window, and every key that reached a
// watched window or fell through to the root. Read it to learn how the game's
// window was found and how the focus was handed over.

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct _XDisplay;

namespace desktops {

class DesktopTrace {
public:
    // Watches the X server in DISPLAY until the object goes away.
    DesktopTrace();
    ~DesktopTrace();
    DesktopTrace(const DesktopTrace&) = delete;
    DesktopTrace& operator=(const DesktopTrace&) = delete;

    // Also counts the key presses delivered to `window` (an X window id).
    void watchKeys(unsigned long window);
    // Key presses that reached a watched window or the root window itself.
    int strayKeys() const { return strayKeys_; }
    // The lines seen so far, each stamped with the seconds since the start.
    std::string text() const;
    // A line of the test's own, in the same time line.
    void note(const std::string& line);

private:
    void run();
    void handleEvents();
    void pollFocus();
    void record(const std::string& line);
    std::string describe(unsigned long window);

    _XDisplay* display_ = nullptr;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    std::vector<unsigned long> toWatch_;
    std::vector<unsigned long> clients_;
    std::string startupMessage_;
    unsigned long focus_ = 0;
    unsigned long active_ = 0;
    std::atomic<int> strayKeys_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace desktops
