// Real playback under Xvfb: a clip inside a window, a WAV to its end, music
// that plays until it is closed.
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "receiver_process.h"
#include "platform/platform.h"
#include "test_media.h"
#include "xvfb_server.h"

using namespace std::chrono_literals;

namespace fs = std::filesystem;
using testing_support::colourDistance;
using testing_support::takeScreenshot;

namespace {

class MediaPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("platform-media-" + std::to_string(getpid()));
        fs::create_directories(folder);
        previous = fs::current_path();
        fs::current_path(folder);
        platform = platform::createLinuxPlatform();
    }
    void TearDown() override {
        platform.reset();
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    // The window the clips play in: its client area at 50,50 on the screen
    // (no window manager here), in the window colour.
    void showAt50(QWidget& window) {
        window.setGeometry(50, 50, 400, 300);
        window.setStyleSheet("background-color: #2050c0");
        window.show();
        platform->Wait(0.3);
    }
    unsigned mci(const std::string& command) { return platform->mciSendStringA(command, nullptr, 0, 0); }
    std::string status(const std::string& device, const std::string& item) {
        char reply[128] = {};
        if (platform->mciSendStringA("status " + device + " " + item, reply, 127, 0) != 0) return "error";
        return reply;
    }

    fs::path folder, previous;
    std::unique_ptr<platform::Platform> platform;
};

constexpr std::uint32_t windowColour = 0x2050c0;
constexpr std::uint32_t clipColour = 0xff0000;

}  // namespace

TEST_F(MediaPlaybackTest, ClipPlaysInsideTheWindowAtThePutRectangle) {
    fs::create_directories("Data");
    platform_tests::makeClip("Data/test.avi", clipColour, 160, 120, 3);
    QWidget window;
    showAt50(window);

    const std::string handle = std::to_string(window.winId());
    ASSERT_EQ(mci("open data\\test.avi Type avivideo Alias video2 parent " + handle + " Style 1073741824"), 0u);
    char reply[128] = {};
    ASSERT_EQ(platform->mciSendStringA("Where video2 destination", reply, 127, 0), 0u);
    EXPECT_STREQ(reply, "0 0 160 120");
    EXPECT_EQ(mci("put video2 window at 10 10  160 120"), 0u);
    EXPECT_EQ(mci("play video2 from 0"), 0u);

    // The window's client area starts at 50,50: no window manager here.
    auto clipShown = [] {
        const auto shot = takeScreenshot();
        return colourDistance(shot.at(60, 60), clipColour) < 48 && colourDistance(shot.at(209, 179), clipColour) < 48;
    };
    for (int i = 0; i < 50 && !clipShown(); ++i) platform->Wait(0.1);
    const auto shot = takeScreenshot();
    shot.savePng((fs::temp_directory_path() / "clip_in_window.png").string());
    EXPECT_TRUE(clipShown());
    for (auto [x, y] : {std::pair{55, 55}, {59, 120}, {120, 59}, {221, 100}, {100, 181}, {440, 340}})
        EXPECT_LT(colourDistance(shot.at(x, y), windowColour), 16) << x << "," << y;
    EXPECT_EQ(status("video2", "mode"), "playing");

    EXPECT_EQ(mci("stop video2"), 0u);
    EXPECT_EQ(mci("close video2"), 0u);
    auto windowBack = [] { return colourDistance(takeScreenshot().at(100, 100), windowColour) < 16; };
    for (int i = 0; i < 30 && !windowBack(); ++i) platform->Wait(0.1);
    EXPECT_TRUE(windowBack());
}

// The sink prefers the size of its window, which is still 1 x 1 while the
// clip prerolls, and draws from a connection of its own: a clip of a single
// frame shows whole only when that first frame is neither scaled down to the
// old size nor drawn before the window is on the screen.
TEST_F(MediaPlaybackTest, ClipOfOneFrameShowsWhole) {
    platform_tests::makeClip("test.avi", clipColour, 160, 120, 0.04);
    QWidget window;
    showAt50(window);
    ASSERT_EQ(mci("open test.avi Type avivideo Alias v parent " + std::to_string(window.winId()) + " Style 1073741824"),
              0u);
    ASSERT_EQ(mci("put v window at 10 10 160 120"), 0u);
    ASSERT_EQ(mci("play v from 0"), 0u);

    auto wholeClipShown = [] {
        const auto shot = takeScreenshot();
        for (auto [x, y] : {std::pair{61, 61}, {218, 61}, {140, 120}, {61, 178}, {218, 178}})
            if (colourDistance(shot.at(x, y), clipColour) >= 48) return false;
        return true;
    };
    for (int i = 0; i < 50 && !wholeClipShown(); ++i) platform->Wait(0.1);
    EXPECT_TRUE(wholeClipShown());
}

TEST_F(MediaPlaybackTest, WaveCallReturnsOnceTheSoundHasPlayed) {
    fs::create_directories("Data");
    platform_tests::makeTone("Data/click.wav", 1.0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(platform->sndPlaySoundA("data\\CLICK.wav", 0), 1);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(took, 0.5);  // it played; how long exactly is the benchmark's business
}

TEST_F(MediaPlaybackTest, MissingOrUnplayableSoundGivesTheDefaultSound) {
    std::ofstream("broken.wav") << "not a sound";
    EXPECT_EQ(platform->sndPlaySoundA("missing.wav", 0), 0);
    EXPECT_EQ(platform->sndPlaySoundA("broken.wav", 0), 0);
    EXPECT_EQ(platform->sndPlaySoundA("", 0), 0);
}

TEST_F(MediaPlaybackTest, MusicPlaysOnUntilClosed) {
    fs::create_directories("Data");
    platform_tests::makeTune("Data/theme.mid", 40);  // 20 seconds
    EXPECT_EQ(mci("play Data\\theme.mid"), 0u);
    platform->Wait(1.0);  // the program goes on meanwhile
    EXPECT_EQ(status("Data\\theme.mid", "mode"), "playing");
    EXPECT_GT(std::stol(status("Data\\theme.mid", "position")), 300);
    EXPECT_EQ(mci("close Data\\theme.mid"), 0u);
    EXPECT_EQ(status("Data\\theme.mid", "mode"), "error");
    EXPECT_NE(mci("close Data\\theme.mid"), 0u);
}

TEST_F(MediaPlaybackTest, ClipPlaysInsideAWindowOfAnotherProcess) {
    fs::create_directories("Data");
    platform_tests::makeClip("Data/test.avi", clipColour, 64, 48, 3);
    auto other = platform_tests::startReadingOutput(KEY_RECEIVER);  // its window lies at 100,100
    std::string ready, word;
    ASSERT_TRUE(other.readLine(ready, 15s));
    std::istringstream words(ready);
    unsigned long handle = 0;
    words >> word >> handle;
    ASSERT_EQ(mci("open data\\test.avi type avivideo alias v parent " + std::to_string(handle)), 0u);
    EXPECT_EQ(mci("put v window at 10 10 64 48"), 0u);
    EXPECT_EQ(mci("play v from 0"), 0u);
    auto clipShown = [] { return colourDistance(takeScreenshot().at(140, 130), clipColour) < 48; };
    for (int i = 0; i < 50 && !clipShown(); ++i) platform->Wait(0.1);
    EXPECT_TRUE(clipShown());
    EXPECT_GT(colourDistance(takeScreenshot().at(105, 105), clipColour), 100);
    EXPECT_EQ(mci("close v"), 0u);
}

TEST_F(MediaPlaybackTest, ClipForAHandleThatIsNoWindowDoesNotOpen) {
    fs::create_directories("Data");
    platform_tests::makeClip("Data/test.avi", clipColour, 32, 24, 1);
    EXPECT_NE(mci("open data\\test.avi type avivideo alias video2 parent 123456789 style 1073741824"), 0u);
    EXPECT_NE(mci("close video2"), 0u);
}

TEST_F(MediaPlaybackTest, ReplyIsCutToTheBuffer) {
    fs::create_directories("Data");
    platform_tests::makeClip("Data/test.avi", clipColour, 320, 240, 1);
    ASSERT_EQ(mci("open data\\test.avi type avivideo alias v"), 0u);
    char reply[8];
    std::memset(reply, 'x', sizeof reply);
    EXPECT_NE(platform->mciSendStringA("where v destination", reply, 5, 0), 0u);
    EXPECT_STREQ(reply, "0 0 ");
    EXPECT_EQ(reply[5], 'x');
    EXPECT_EQ(mci("close all"), 0u);
}
