// The real launcher on a private X server: what the player sees, and what
// the game receives when the player presses Play.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "child_process.h"
#include "xvfb_server.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::takeScreenshot;

// The start window opens centred on the 1024 x 768 screen; no window manager
// runs, so its client area starts here.
constexpr int kLeft = (1024 - 328) / 2, kTop = (768 - 416) / 2;

class LorvaneOnXvfb : public ::testing::Test {
protected:
    LorvaneOnXvfb() : folder(fs::temp_directory_path() / ("lorvane-e2e-" + std::to_string(getpid()))) {
        fs::remove_all(folder);
        fs::create_directories(folder / "Data");
    }
    ~LorvaneOnXvfb() override {
        lorvane.reset();
        // The game the launcher started works in the same folder.
        testing_support::endProcessesWorkingIn(folder);
        fs::remove_all(folder);
    }
    void startLorvane(const std::string& script) {
        std::ofstream out(folder / "Data" / "kelo.pod", std::ios::binary);
        for (char c : script) c == '\n' ? out << "\r\n" : out << c;
        out.close();
        lorvane.emplace(testing_support::Command{
            .arguments = {LORVANE_PATH}, .folder = folder, .environment = {{"QT_QPA_PLATFORM", std::nullopt}}});
    }
    // True once the client area's corners both show `colour`.
    bool waitForBackground(std::uint32_t colour) {
        for (auto end = std::chrono::steady_clock::now() + 15s; std::chrono::steady_clock::now() < end;) {
            const auto shot = takeScreenshot();
            if (shot.at(kLeft + 2, kTop + 2) == colour && shot.at(kLeft + 325, kTop + 413) == colour) return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
    std::optional<int> waitForExit(std::chrono::seconds timeout) { return lorvane->waitForExit(timeout); }
    static void clickAt(int x, int y) {
        Display* display = XOpenDisplay(nullptr);
        XTestFakeMotionEvent(display, -1, x, y, 0);
        XTestFakeButtonEvent(display, 1, True, 0);
        XTestFakeButtonEvent(display, 1, False, 0);
        XSync(display, False);
        XCloseDisplay(display);
    }

    // The player's key, into whatever window has the focus.
    static void pressKey(KeySym key) {
        Display* display = XOpenDisplay(nullptr);
        const KeyCode code = XKeysymToKeycode(display, key);
        XTestFakeKeyEvent(display, code, True, 0);
        XTestFakeKeyEvent(display, code, False, 0);
        XSync(display, False);
        XCloseDisplay(display);
    }
    // Shift held down around the key, as the player types a capital.
    static void pressShifted(KeySym key) {
        Display* display = XOpenDisplay(nullptr);
        const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L), code = XKeysymToKeycode(display, key);
        XTestFakeKeyEvent(display, shift, True, 0);
        XSync(display, False);
        std::this_thread::sleep_for(100ms);
        XTestFakeKeyEvent(display, code, True, 0);
        XTestFakeKeyEvent(display, code, False, 0);
        XTestFakeKeyEvent(display, shift, False, 0);
        XSync(display, False);
        XCloseDisplay(display);
    }
    static void movePointer(int x, int y) {
        Display* display = XOpenDisplay(nullptr);
        XTestFakeMotionEvent(display, -1, x, y, 0);
        XSync(display, False);
        XCloseDisplay(display);
    }

    testing_support::XvfbServer xvfb;
    fs::path folder;
    std::optional<testing_support::ChildProcess> lorvane;
};

TEST_F(LorvaneOnXvfb, ShowsTheScreenTheScriptDescribesAndStopEndsIt) {
    startLorvane("TITLE,\"Zembrot\"\nBACKCOLOR,0,128,0\nLBL1-2,255,255,0\nFONTSIZE,14\nFTB,True\nCMD1,Play\n"
                 "CMD1BC,255,0,0\nCMD5,Stop\nCMD5BC,0,0,255\nCMD2V,False\nCMD3V,False\nBSND,0\n");
    ASSERT_TRUE(waitForBackground(0x008000)) << "the start window never showed its background colour";
    const auto shot = takeScreenshot();
    shot.savePng((folder.parent_path() / "lorvane-e2e-start.png").string());
    EXPECT_EQ(shot.at(kLeft + 124, kTop + 244), 0xFF0000u);  // Play, in the main column
    EXPECT_EQ(shot.at(kLeft + 124, kTop + 340), 0x0000FFu);  // Stop
    EXPECT_EQ(shot.at(kLeft + 124, kTop + 292), 0x008000u);  // no Help button
    EXPECT_EQ(shot.at(kLeft - 2, kTop + 100), 0x000000u);    // outside the window

    clickAt(kLeft + 164, kTop + 353);
    EXPECT_EQ(waitForExit(10s), std::optional<int>(0));
}

// No window manager hands it the focus, and the pointer rests outside it.
TEST_F(LorvaneOnXvfb, TheStartWindowTakesTheKeyboardFocusWhenItAppears) {
    movePointer(5, 5);
    startLorvane("BACKCOLOR,0,128,0\nCMD1,Play\nCMD2V,False\nCMD3V,False\nBSND,0\n");
    ASSERT_TRUE(waitForBackground(0x008000));
    pressKey(XK_x);
    EXPECT_EQ(waitForExit(10s), std::optional<int>(0)) << "the key did not reach the start window";
}

// With no session bus the D-Bus library would run its bus launcher from the
// PATH while the first frame waits; ours stands in for it and leaves a mark.
TEST_F(LorvaneOnXvfb, NoSessionBusIsStartedWhenThereIsNone) {
    const fs::path tools = folder / "tools";
    fs::create_directories(tools);
    std::ofstream(tools / "dbus-launch") << "#!/bin/sh\ntouch \"" << (folder / "bus-launched").string() << "\"\nexit 1\n";
    fs::permissions(tools / "dbus-launch", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH");
    setenv("PATH", (tools.string() + ":" + oldPath).c_str(), 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("XDG_RUNTIME_DIR");
    startLorvane("BACKCOLOR,0,128,0\nTITLE,\"Zembrot\"\nCMD1,Play\nCMD2V,False\nCMD3V,False\nBSND,0\n");
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(waitForBackground(0x008000));
    pressKey(XK_x);
    EXPECT_EQ(waitForExit(10s), std::optional<int>(0));
    EXPECT_FALSE(fs::exists(folder / "bus-launched"));
}

// A 24-bit bitmap of one colour, written byte by byte.
void writeBitmap(const fs::path& file, int width, int height, std::uint32_t colour) {
    const int row = (width * 3 + 3) / 4 * 4, size = 54 + row * height;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const auto put = [&](int at, int value, int length) {
        for (int i = 0; i < length; ++i) bytes[static_cast<std::size_t>(at + i)] = static_cast<char>(value >> (8 * i));
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put(2, size, 4), put(10, 54, 4), put(14, 40, 4), put(18, width, 4), put(22, height, 4);
    put(26, 1, 2), put(28, 24, 2), put(34, row * height, 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) put(54 + y * row + x * 3, static_cast<int>(colour), 3);
    std::ofstream(file, std::ios::binary) << bytes;
}

// What the start window's first frame needs is all that is loaded for it:
// the bitmap's own reader, not every picture format's, and neither the media
// libraries nor the X extensions, which come with the first use of a sound,
// keystroke or block.
TEST_F(LorvaneOnXvfb, TheFirstFrameLoadsOnlyWhatItShows) {
    writeBitmap(folder / "Data" / "background.bmp", 640, 480, 0x306090);
    startLorvane("TITLE,\"Zembrot\"\nCMD1,Play\nCMD2V,False\nCMD3V,False\nBSND,0\n");
    ASSERT_TRUE(waitForBackground(0x306090));
    std::ifstream maps("/proc/" + std::to_string(lorvane->pid()) + "/maps");
    const std::string loaded((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
    for (const char* library : {"libqgif", "libqjpeg", "libqico", "libqsvg", "libgst", "libXtst", "libXi.",
                                "liblorvane-desktop"})
        EXPECT_EQ(loaded.find(library), std::string::npos) << library << " is loaded";
}

TEST_F(LorvaneOnXvfb, ShiftAndSStartsTheGameWithoutTheIntro) {
    fs::copy_file(ZEMBROT_PATH, folder / "zembrot.exe");
    startLorvane("BACKCOLOR,0,128,0\nCMD1,Play\nCMD2V,False\nCMD3V,False\nBSND,0\nTIMEDELAY3,1\nSLIDE,2\n");
    ASSERT_TRUE(waitForBackground(0x008000));
    pressShifted(XK_s);
    ASSERT_EQ(waitForExit(30s), std::optional<int>(0));
    std::ifstream log(folder / "zembrot.log");
    std::vector<std::string> keys;
    for (std::string line; std::getline(log, line);) keys.push_back(line);
    EXPECT_EQ(keys, (std::vector<std::string>{"Alt+G", "Return"}));
}

TEST_F(LorvaneOnXvfb, PlayStartsTheGameAndDrivesItIntoPlay) {
    fs::copy_file(ZEMBROT_PATH, folder / "zembrot.exe");
    startLorvane("BACKCOLOR,0,128,0\nCMD1,Play\nCMD1BC,255,0,0\nCMD2V,False\nCMD3V,False\nBSND,0\n"
                 "TIMEDELAY,1\nTIMEDELAY3,1\nSLIDE,2\nSPTIM,1\n");
    ASSERT_TRUE(waitForBackground(0x008000));
    clickAt(kLeft + 164, kTop + 257);
    ASSERT_EQ(waitForExit(30s), std::optional<int>(0));

    std::ifstream log(folder / "zembrot.log");
    std::vector<std::string> keys;
    for (std::string line; std::getline(log, line);) keys.push_back(line);
    EXPECT_EQ(keys, (std::vector<std::string>{"Space", "Space", "Alt+G", "Return"}));
}

}  // namespace
