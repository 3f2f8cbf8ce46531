// Keys typed into a window of another process under Xvfb.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "player_devices.h"
#include "receiver_process.h"
#include "platform/platform.h"
#include "script/failure.h"

using namespace std::chrono_literals;
using testing_support::PlayerDevices;
using platform_tests::Receiver;

namespace {

class KeyRecorder : public QWidget {
public:
    int keys = 0;
    // Shown at the top-left corner with the keyboard focus, as our own window.
    void showFocused(platform::Platform& platform) {
        setGeometry(0, 0, 200, 100);
        show();
        for (int i = 0; i < 100 && !isActiveWindow(); ++i) {
            activateWindow();
            platform.Wait(0.05);
        }
    }

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

}  // namespace

TEST(KeystrokeSenderTest, GameWindowReceivesTheLauncherKeysWithTheirModifiers) {
    Receiver receiver;
    auto platform = platform::createLinuxPlatform();
    for (const char* keys : {"{ }", "%{G}", "{enter}", "{down 6}", "%{O}"}) platform->SendKeys(keys);
    const std::vector<std::string> expected = {"key Space", "key Alt+G", "key Return", "key Down", "key Down",
                                               "key Down",  "key Down",  "key Down",   "key Down", "key Alt+O"};
    EXPECT_EQ(receiver.process.linesFor(500ms), expected);
}

TEST(KeystrokeSenderTest, CharactersGetTheShiftTheyNeedAndMissingOnesAKeyOfTheirOwn) {
    Receiver receiver;
    auto platform = platform::createLinuxPlatform();
    platform->SendKeys("Ab+c^{a}\xE9");  // é is on no key of the server's map
    const std::vector<std::string> expected = {"key A", "key b", "key C", "key Ctrl+A", "key \xC3\xA9"};
    EXPECT_EQ(receiver.process.linesFor(500ms), expected);
}

TEST(KeystrokeSenderTest, AShiftHeldByThePlayerDoesNotChangeTheKeys) {
    Receiver receiver;
    PlayerDevices player;
    ASSERT_TRUE(player.ok());
    player.key(XK_Shift_L, true);
    auto platform = platform::createLinuxPlatform();
    platform->SendKeys("{G}x");
    player.key(XK_Shift_L, false);
    const std::vector<std::string> expected = {"key g", "key x"};
    EXPECT_EQ(receiver.process.linesFor(500ms), expected);
}

TEST(KeystrokeSenderTest, KeysWaitUntilTheFocusLeavesOurOwnWindow) {
    KeyRecorder own;
    auto platform = platform::createLinuxPlatform();
    own.showFocused(*platform);
    ASSERT_TRUE(own.isActiveWindow());
    // The game starts now and takes the focus a moment later.
    auto game = platform_tests::startReadingOutput(KEY_RECEIVER);
    platform->SendKeys("{G}");
    EXPECT_EQ(own.keys, 0);
    std::vector<std::string> lines = game.linesFor(500ms);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind("ready", 0), 0u);
    lines.erase(lines.begin());
    EXPECT_EQ(lines, std::vector<std::string>{"key g"});
}

TEST(KeystrokeSenderTest, KeysForAProgramJustStartedWaitForItsWindowAfterOursWasHidden) {
    KeyRecorder own;
    auto platform = platform::createLinuxPlatform();
    own.showFocused(*platform);
    own.hide();  // the start window before the game starts: the focus goes to the root
    platform->Wait(0.1);
    // Programs start from the working folder, by their Windows names.
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("keys-" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::create_symlink(KEY_RECEIVER, folder / "receiver.exe");
    const fs::path log = folder / "keys.log", previous = fs::current_path();
    fs::current_path(folder);
    platform->StartProgram("receiver.exe keys.log");
    fs::current_path(previous);
    platform->SendKeys("{G}");

    std::vector<std::string> lines;
    for (int i = 0; i < 40 && lines.size() < 2; ++i) {
        platform->Wait(0.05);
        std::ifstream in(log);
        lines.clear();
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    ASSERT_FALSE(lines.empty());
    std::istringstream ready(lines.front());
    std::string word, window;
    int pid = 0;
    ready >> word >> window >> pid;
    if (pid > 0) kill(pid, SIGKILL);
    fs::remove_all(folder);
    EXPECT_EQ(word, "ready");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), std::vector<std::string>{"key g"});
}

TEST(KeystrokeSenderTest, MalformedStringIsInvalidProcedureCallAndSendsNothing) {
    Receiver receiver;
    auto platform = platform::createLinuxPlatform();
    try {
        platform->SendKeys("{ENTER");
        FAIL() << "no failure";
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.kind(), script::FailureKind::InvalidProcedureCall);
    }
    EXPECT_TRUE(receiver.process.linesFor(500ms).empty());
}

namespace {

// A working folder of its own holding a program; the platform starts
// programs from the working folder.
struct ProgramFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() / ("program-" + std::to_string(getpid()));
    std::filesystem::path previous = std::filesystem::current_path();
    explicit ProgramFolder(const std::string& name, const std::string& script) {
        std::filesystem::create_directories(path);
        std::ofstream(path / name) << script;
        std::filesystem::permissions(path / name, std::filesystem::perms::owner_all);
        std::filesystem::current_path(path);
    }
    ~ProgramFolder() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
};

}  // namespace

TEST(KeystrokeSenderTest, ProgramThatEndsBeforeItOpensAWindowIsReportedWithItsExitStatusAndGetsNoKeys) {
    KeyRecorder own;
    auto platform = platform::createLinuxPlatform();
    own.showFocused(*platform);
    ProgramFolder folder("zembrot.exe", "#!/bin/sh\nsleep 0.3\nexit 3\n");
    platform->StartProgram("zembrot.exe");
    try {
        platform->SendKeys("{ }");
        FAIL() << "no failure";
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.kind(), script::FailureKind::ProgramFailed);
        EXPECT_NE(failure.report().find("zembrot.exe ended before it opened a window (exit status 3)"),
                  std::string::npos)
            << failure.report();
    }
    platform->Wait(0.2);
    EXPECT_EQ(own.keys, 0);  // never typed into our own window
}
