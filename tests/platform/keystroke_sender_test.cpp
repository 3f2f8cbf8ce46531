// Keys typed into a window of another process under Xvfb.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "child_process.h"
#include "player_devices.h"
#include "receiver_process.h"
#include "platform/platform.h"
#include "script/failure.h"

using platform_tests::ChildProcess;
using platform_tests::PlayerDevices;
using platform_tests::Receiver;

namespace {

class KeyRecorder : public QWidget {
public:
    int keys = 0;

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
    EXPECT_EQ(receiver.process.linesFor(0.5), expected);
}

TEST(KeystrokeSenderTest, CharactersGetTheShiftTheyNeedAndMissingOnesAKeyOfTheirOwn) {
    Receiver receiver;
    auto platform = platform::createLinuxPlatform();
    platform->SendKeys("Ab+c^{a}\xE9");  // é is on no key of the server's map
    const std::vector<std::string> expected = {"key A", "key b", "key C", "key Ctrl+A", "key \xC3\xA9"};
    EXPECT_EQ(receiver.process.linesFor(0.5), expected);
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
    EXPECT_EQ(receiver.process.linesFor(0.5), expected);
}

TEST(KeystrokeSenderTest, KeysWaitUntilTheFocusLeavesOurOwnWindow) {
    KeyRecorder own;
    own.setGeometry(0, 0, 200, 100);
    own.show();
    auto platform = platform::createLinuxPlatform();
    for (int i = 0; i < 100 && !own.isActiveWindow(); ++i) {
        own.activateWindow();
        platform->Wait(0.05);
    }
    ASSERT_TRUE(own.isActiveWindow());
    // The game starts now and takes the focus a moment later.
    ChildProcess game({KEY_RECEIVER});
    platform->SendKeys("{G}");
    EXPECT_EQ(own.keys, 0);
    std::vector<std::string> lines = game.linesFor(0.5);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().rfind("ready", 0), 0u);
    lines.erase(lines.begin());
    EXPECT_EQ(lines, std::vector<std::string>{"key g"});
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
    EXPECT_TRUE(receiver.process.linesFor(0.3).empty());
}
