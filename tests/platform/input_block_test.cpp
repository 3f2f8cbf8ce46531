// The player's devices blocked while synthesised keys go through, and the
// block ending with the process that holds it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <algorithm>
#include <string>

#include "platform/platform.h"
#include "player_devices.h"
#include "receiver_process.h"

using namespace std::chrono_literals;
using testing_support::PlayerDevices;
using platform_tests::Receiver;

namespace {

// The receiver's window lies at 100,100 with a size of 300 x 200.
void pointAtReceiver(PlayerDevices& player) { player.movePointer(250, 200); }

}  // namespace

TEST(InputBlockTest, PlayerInputIsDroppedWhileSynthesisedKeysArrive) {
    Receiver receiver;
    PlayerDevices player;
    ASSERT_TRUE(player.ok());
    pointAtReceiver(player);
    auto platform = platform::createLinuxPlatform();

    EXPECT_EQ(platform->BlockInput(true), 1);
    EXPECT_EQ(platform->BlockInput(true), 1);  // again: harmless
    player.typeKey(XK_q);
    player.click(1);
    platform->SendKeys("{ }");
    player.typeKey(XK_w);
    EXPECT_EQ(receiver.process.linesFor(500ms), std::vector<std::string>{"key Space"});

    EXPECT_EQ(platform->BlockInput(false), 1);
    EXPECT_EQ(platform->BlockInput(false), 1);
    player.typeKey(XK_e);
    player.click(1);
    EXPECT_EQ(receiver.process.linesFor(500ms), (std::vector<std::string>{"key e", "button 1"}));
}

TEST(InputBlockTest, BlockEndsWhenTheBlockingProcessIsKilled) {
    Receiver receiver;
    PlayerDevices player;
    ASSERT_TRUE(player.ok());
    pointAtReceiver(player);
    auto blocker = platform_tests::startReadingOutput(INPUT_BLOCKER);
    std::string line;
    ASSERT_TRUE(blocker.readLine(line, 15s));
    EXPECT_EQ(line, "blocked 1");

    player.typeKey(XK_q);
    player.click(1);
    auto platform = platform::createLinuxPlatform();
    platform->SendKeys("x");
    EXPECT_EQ(receiver.process.linesFor(500ms), std::vector<std::string>{"key x"});

    blocker.kill();
    player.typeKey(XK_e);
    player.click(3);
    EXPECT_EQ(receiver.process.linesFor(500ms), (std::vector<std::string>{"key e", "button 3"}));
}

TEST(InputBlockTest, DeviceHeldByAnotherClientIsReportedAndGrabbedOnceFree) {
    Receiver receiver;
    PlayerDevices player;
    ASSERT_TRUE(player.ok());
    Display* other = XOpenDisplay(nullptr);
    int keyboard = -1, count = 0;
    XIDeviceInfo* devices = XIQueryDevice(other, XIAllDevices, &count);
    for (int i = 0; i < count; ++i)
        if (std::string(devices[i].name) == "Xvfb keyboard") keyboard = devices[i].deviceid;
    XIFreeDeviceInfo(devices);
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{keyboard, sizeof bits, bits};
    ASSERT_EQ(XIGrabDevice(other, keyboard, DefaultRootWindow(other), CurrentTime, None, XIGrabModeAsync,
                           XIGrabModeAsync, False, &mask),
              Success);
    XSync(other, False);

    auto platform = platform::createLinuxPlatform();
    EXPECT_EQ(platform->BlockInput(true), 0);  // not every device could be blocked
    XCloseDisplay(other);
    platform->Wait(0.5);
    player.typeKey(XK_q);
    platform->SendKeys("x");
    EXPECT_EQ(receiver.process.linesFor(500ms), std::vector<std::string>{"key x"});
    platform->BlockInput(false);
}

TEST(InputBlockTest, DeviceThatComesBackWhileBlockedIsBlockedToo) {
    Receiver receiver;
    PlayerDevices player;
    ASSERT_TRUE(player.ok());
    auto platform = platform::createLinuxPlatform();
    ASSERT_EQ(platform->BlockInput(true), 1);

    // Switched off and on again, as a keyboard unplugged and plugged back.
    Display* other = XOpenDisplay(nullptr);
    int keyboard = -1, count = 0;
    XIDeviceInfo* devices = XIQueryDevice(other, XIAllDevices, &count);
    for (int i = 0; i < count; ++i)
        if (std::string(devices[i].name) == "Xvfb keyboard") keyboard = devices[i].deviceid;
    XIFreeDeviceInfo(devices);
    const Atom enabled = XInternAtom(other, "Device Enabled", False);
    for (unsigned char on : {0, 1}) {
        XIChangeProperty(other, keyboard, enabled, XA_INTEGER, 8, PropModeReplace, &on, 1);
        XSync(other, False);
        platform->Wait(0.2);
    }
    XCloseDisplay(other);

    player.typeKey(XK_q);
    platform->SendKeys("x");
    EXPECT_EQ(receiver.process.linesFor(500ms), std::vector<std::string>{"key x"});
    platform->BlockInput(false);
}

TEST(InputBlockTest, CtrlAltDeleteOnThePlayersKeyboardEndsTheBlockAtOnce) {
    Receiver receiver;
    PlayerDevices player;
    ASSERT_TRUE(player.ok());
    pointAtReceiver(player);
    auto platform = platform::createLinuxPlatform();
    ASSERT_EQ(platform->BlockInput(true), 1);

    // Ctrl+Delete and Alt+Delete alone are just keys, and dropped.
    for (KeySym modifier : {XK_Control_L, XK_Alt_L}) {
        player.key(modifier, true);
        player.typeKey(XK_Delete);
        player.key(modifier, false);
    }
    platform->Wait(0.2);
    player.typeKey(XK_q);
    platform->SendKeys("x");
    EXPECT_EQ(receiver.process.linesFor(500ms), std::vector<std::string>{"key x"});

    player.key(XK_Control_L, true);
    player.key(XK_Alt_L, true);
    player.key(XK_Delete, true);
    platform->Wait(0.2);  // the block watches the player's keys while events are serviced
    player.key(XK_Delete, false);
    player.key(XK_Alt_L, false);
    player.key(XK_Control_L, false);
    player.typeKey(XK_e);
    player.click(1);
    platform->SendKeys("y");  // the sequence's keys still arrive
    const auto lines = receiver.process.linesFor(500ms);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "key e"), lines.end()) << ::testing::PrintToString(lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "button 1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "key y"), lines.end());
    EXPECT_EQ(platform->BlockInput(false), 1);  // releasing again is harmless
}
