// The player's devices blocked while synthesised keys go through, and the
// block ending with the process that holds it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <string>

#include "child_process.h"
#include "platform/platform.h"
#include "player_devices.h"
#include "receiver_process.h"

using platform_tests::ChildProcess;
using platform_tests::PlayerDevices;
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
    EXPECT_EQ(receiver.process.linesFor(0.5), std::vector<std::string>{"key Space"});

    EXPECT_EQ(platform->BlockInput(false), 1);
    EXPECT_EQ(platform->BlockInput(false), 1);
    player.typeKey(XK_e);
    player.click(1);
    EXPECT_EQ(receiver.process.linesFor(0.5), (std::vector<std::string>{"key e", "button 1"}));
}

TEST(InputBlockTest, BlockEndsWhenTheBlockingProcessIsKilled) {
    Receiver receiver;
    PlayerDevices player;
    ASSERT_TRUE(player.ok());
    pointAtReceiver(player);
    ChildProcess blocker({INPUT_BLOCKER});
    std::string line;
    ASSERT_TRUE(blocker.readLine(line, 15));
    EXPECT_EQ(line, "blocked 1");

    player.typeKey(XK_q);
    player.click(1);
    auto platform = platform::createLinuxPlatform();
    platform->SendKeys("x");
    EXPECT_EQ(receiver.process.linesFor(0.5), std::vector<std::string>{"key x"});

    blocker.killHard();
    player.typeKey(XK_e);
    player.click(3);
    EXPECT_EQ(receiver.process.linesFor(0.5), (std::vector<std::string>{"key e", "button 3"}));
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
    EXPECT_EQ(receiver.process.linesFor(0.5), std::vector<std::string>{"key x"});
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
    EXPECT_EQ(receiver.process.linesFor(0.5), std::vector<std::string>{"key x"});
    platform->BlockInput(false);
}
