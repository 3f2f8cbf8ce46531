// The real launcher on a private X server: what the player sees, and what
// the game receives when the player presses Play.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "xvfb_server.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::takeScreenshot;

// The launcher, started in its game folder the way a player starts it.
class Lorvane {
public:
    explicit Lorvane(const fs::path& folder) {
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(folder.c_str()) != 0) _exit(126);
            unsetenv("QT_QPA_PLATFORM");
            execl(LORVANE_PATH, "lorvane", static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Lorvane() {
        if (pid_ > 0 && !status_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    std::optional<int> waitForExit(std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (!status_ && std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            else std::this_thread::sleep_for(20ms);
        }
        return status_;
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

struct Area {
    int left = -1, top = -1, right = -1, bottom = -1;
    bool found() const { return left >= 0; }
};

// The bounding box of every pixel of one colour.
Area areaOf(const testing_support::Screenshot& shot, std::uint32_t colour) {
    Area area;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (shot.at(x, y) == colour) {
                const bool first = !area.found();
                if (first || x < area.left) area.left = x;
                if (first || y < area.top) area.top = y;
                area.right = std::max(area.right, x);
                area.bottom = std::max(area.bottom, y);
            }
    return area;
}

// Waits until the start window's background colour fills its client area.
std::optional<Area> waitForStartWindow(std::uint32_t colour, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        const Area area = areaOf(takeScreenshot(), colour);
        if (area.found() && area.right - area.left + 1 == 328 && area.bottom - area.top + 1 == 416) return area;
        std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
}

void clickAt(int x, int y) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display);
    XTestFakeMotionEvent(display, -1, x, y, 0);
    XTestFakeButtonEvent(display, 1, True, 0);
    XTestFakeButtonEvent(display, 1, False, 0);
    XSync(display, False);
    XCloseDisplay(display);
}

class LorvaneOnXvfb : public ::testing::Test {
protected:
    LorvaneOnXvfb() {
        folder = fs::temp_directory_path() / ("lorvane-e2e-" + std::to_string(getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "Data");
    }
    ~LorvaneOnXvfb() override {
        endGameStartedIn(folder);
        fs::remove_all(folder);
    }
    void writeScript(const std::string& text) {
        std::ofstream out(folder / "Data" / "kelo.pod", std::ios::binary);
        for (char c : text) c == '\n' ? out << "\r\n" : out << c;
    }
    // The game the launcher started has this test's folder as working folder.
    static void endGameStartedIn(const fs::path& folder) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator("/proc", error)) {
            const std::string name = entry.path().filename();
            if (name.find_first_not_of("0123456789") != std::string::npos) continue;
            if (fs::read_symlink(entry.path() / "cwd", error) == folder) kill(std::stoi(name), SIGTERM);
        }
    }

    testing_support::XvfbServer xvfb;
    fs::path folder;
};

TEST_F(LorvaneOnXvfb, ShowsTheScreenTheScriptDescribesAndStopEndsIt) {
    writeScript(";test\nTITLE,\"Zembrot\"\nBACKCOLOR,0,128,0\nLBL1-2,255,255,0\nFONTSIZE,14\nFTB,True\n"
                "CMD1,Play\nCMD1BC,255,0,0\nCMD5,Stop\nCMD5BC,0,0,255\nCMD2V,False\nCMD3V,False\nBSND,0\n");
    Lorvane lorvane(folder);
    const std::optional<Area> background = waitForStartWindow(0x008000, 15s);
    ASSERT_TRUE(background) << "the start window never showed its background colour";
    const int left = background->left, top = background->top;

    const testing_support::Screenshot shot = takeScreenshot();
    shot.savePng((folder.parent_path() / "lorvane-e2e-start.png").string());
    EXPECT_EQ(shot.at(left + 124, top + 244), 0xFF0000u);  // Play, main layout column
    EXPECT_EQ(shot.at(left + 124, top + 340), 0x0000FFu);  // Stop
    EXPECT_EQ(shot.at(left + 124, top + 292), 0x008000u);  // no Help button

    clickAt(left + 164, top + 353);
    EXPECT_EQ(lorvane.waitForExit(10s), std::optional<int>(0));
}

TEST_F(LorvaneOnXvfb, PlayStartsTheGameAndDrivesItIntoPlay) {
    fs::copy_file(ZEMBROT_PATH, folder / "zembrot.exe");
    writeScript("TITLE,\"Zembrot\"\nBACKCOLOR,0,128,0\nCMD1,Play\nCMD1BC,255,0,0\nCMD2V,False\nCMD3V,False\n"
                "BSND,0\nTIMEDELAY,1\nTIMEDELAY3,1\nSLIDE,2\nSPTIM,1\n");
    Lorvane lorvane(folder);
    const std::optional<Area> background = waitForStartWindow(0x008000, 15s);
    ASSERT_TRUE(background);
    clickAt(background->left + 164, background->top + 257);
    ASSERT_EQ(lorvane.waitForExit(30s), std::optional<int>(0));

    std::ifstream log(folder / "zembrot.log");
    std::vector<std::string> keys;
    for (std::string line; std::getline(log, line);) keys.push_back(line);
    EXPECT_EQ(keys, (std::vector<std::string>{"Space", "Space", "Alt+G", "Return"}));
}

}  // namespace
