// The drive's timing on a virtual clock: when the first key may go, when the
// focus is asked for again, and how a drive that cannot go on ends.
#include <gtest/gtest.h>

#include "platform/drive_rule.h"

using platform::DriveRule;
using platform::DriveSight;
using platform::DriveStep;
using platform::driveFailure;

namespace {

constexpr unsigned long kGame = 0x400001, kFullScreen = 0x400002;

// The game's window, focused, as seen at `now`.
DriveSight shown(double now, unsigned long window = kGame) {
    DriveSight sight;
    sight.now = now;
    sight.window = window;
    sight.focused = true;
    return sight;
}

}  // namespace

TEST(DriveRule, AGameWithoutAWindowIsWaitedForTwoMinutesUnlessItEnds) {
    DriveRule rule(10.0);
    EXPECT_EQ(rule.next({.now = 10.0}), DriveStep::Wait);
    EXPECT_EQ(rule.next({.now = 129.9}), DriveStep::Wait);
    EXPECT_EQ(rule.next({.now = 130.0}), DriveStep::NoWindow);
    EXPECT_EQ(driveFailure(DriveStep::NoWindow, "zembrot.exe", false, ""),
              "zembrot.exe did not open a window within 120 seconds");

    DriveRule ending(0.0);
    EXPECT_EQ(ending.next({.now = 3.0, .ended = true}), DriveStep::Ended);
    EXPECT_EQ(driveFailure(DriveStep::Ended, "zembrot.exe", ending.everShown(), "exit status 3"),
              "zembrot.exe ended before it opened a window (exit status 3)");
}

// A window that lists the ping protocol is ready once it answers; the first
// key waits for that, at most two seconds.
TEST(DriveRule, APingAnswerMakesTheWindowReady) {
    DriveRule rule(0.0);
    DriveSight sight = shown(0.5);
    sight.listsPing = true;
    EXPECT_EQ(rule.next(sight), DriveStep::Wait);
    sight.now = 0.52;
    sight.pingAnswered = true;
    EXPECT_EQ(rule.next(sight), DriveStep::Send);

    DriveRule busy(0.0);
    sight = shown(0.5);
    sight.listsPing = true;
    sight.firstPaint = 0.5;
    sight.lastPaint = 1.0;  // a picture does not stand in for the answer
    EXPECT_EQ(busy.next(sight), DriveStep::Wait);
    sight.now = 2.4;
    EXPECT_EQ(busy.next(sight), DriveStep::Wait);
    sight.now = 2.5;
    EXPECT_EQ(busy.next(sight), DriveStep::Send);
}

// Without the protocol: its first picture after the window's clearing, once
// drawing has paused, and never sooner than a player could react. The
// times are an emulator's as measured: cleared as it maps, half a second of
// nothing while it starts, a burst of frames, then a cursor that blinks.
TEST(DriveRule, WithoutPingTheFirstPictureAfterTheClearingMakesTheWindowReady) {
    DriveRule rule(0.0);
    DriveSight sight = shown(1.0);
    EXPECT_EQ(rule.next(sight), DriveStep::Wait);
    sight.firstPaint = 1.003;
    for (double paint : {1.003, 1.019}) {
        sight.now = sight.lastPaint = paint;
        EXPECT_EQ(rule.next(sight), DriveStep::Wait);
    }
    sight.now = 1.5;
    EXPECT_EQ(rule.next(sight), DriveStep::Wait) << "the clearing is not the program's picture";
    for (double paint = 1.507; paint < 1.61; paint += 0.02) {
        sight.now = sight.lastPaint = paint;
        EXPECT_EQ(rule.next(sight), DriveStep::Wait) << paint;
        sight.now = paint + 0.019;
        EXPECT_EQ(rule.next(sight), DriveStep::Wait) << paint;
    }
    sight.now = sight.lastPaint + 0.09;
    EXPECT_EQ(rule.next(sight), DriveStep::Send);
    // Once ready, always ready: a game that keeps drawing still gets keys.
    sight.lastPaint = sight.now = 5.0;
    EXPECT_EQ(rule.next(sight), DriveStep::Send);

    DriveRule quick(0.0);
    sight = shown(1.0);
    EXPECT_EQ(quick.next(sight), DriveStep::Wait);
    sight.firstPaint = 1.0;
    sight.lastPaint = 1.12;
    sight.now = 1.28;
    EXPECT_EQ(quick.next(sight), DriveStep::Wait) << "sooner than a player could react";
    sight.now = 1.3;
    EXPECT_EQ(quick.next(sight), DriveStep::Send);

    // Drawn once and never again, or drawing without a pause: the wait is bounded.
    for (const double interval : {10.0, 0.05}) {
        DriveRule bounded(0.0);
        sight = shown(1.0);
        sight.firstPaint = 1.0;
        for (double t = 1.0; t < 3.0; t += 0.05) {
            sight.now = t;
            if (t - sight.firstPaint >= interval || t == 1.0) sight.lastPaint = t;
            EXPECT_EQ(bounded.next(sight), DriveStep::Wait) << t;
        }
        sight.now = 3.0;
        EXPECT_EQ(bounded.next(sight), DriveStep::Send);
    }
}

// The focus went elsewhere: asked for at once, again every half second, and
// the drive goes on when it is back; reported after five seconds without it.
TEST(DriveRule, TheFocusIsAskedForAgainUntilItIsBack) {
    DriveRule rule(0.0);
    DriveSight sight = shown(0.0);
    sight.pingAnswered = true;
    EXPECT_EQ(rule.next(sight), DriveStep::Send);
    sight.focused = false;
    sight.now = 4.0;
    EXPECT_EQ(rule.next(sight), DriveStep::AskForFocus);
    sight.now = 4.3;
    EXPECT_EQ(rule.next(sight), DriveStep::Wait);
    sight.now = 4.5;
    EXPECT_EQ(rule.next(sight), DriveStep::AskForFocus);
    EXPECT_FALSE(rule.insisting());
    // A desktop that lets the requests pass: the focus is given instead.
    sight.now = 5.0;
    EXPECT_EQ(rule.next(sight), DriveStep::AskForFocus);
    EXPECT_TRUE(rule.insisting());
    sight.now = 6.0;
    sight.focused = true;
    EXPECT_EQ(rule.next(sight), DriveStep::Send);

    sight.focused = false;
    sight.now = 7.0;
    EXPECT_EQ(rule.next(sight), DriveStep::AskForFocus);
    EXPECT_FALSE(rule.insisting()) << "each time the focus leaves, asking comes first";
    sight.now = 11.9;
    EXPECT_NE(rule.next(sight), DriveStep::NoFocus);
    sight.now = 12.0;
    EXPECT_EQ(rule.next(sight), DriveStep::NoFocus);
    EXPECT_EQ(driveFailure(DriveStep::NoFocus, "zembrot.exe", true, ""),
              "zembrot.exe's window did not take the keyboard focus");
}

// A game going full screen may swap its window; one that drops its window
// and stays running ends the drive within the grace, not after two minutes.
TEST(DriveRule, AWindowThatGoesEndsTheDriveUnlessAnotherComes) {
    DriveRule swapping(0.0);
    DriveSight sight = shown(1.0);
    sight.pingAnswered = true;
    EXPECT_EQ(swapping.next(sight), DriveStep::Send);
    EXPECT_EQ(swapping.next({.now = 2.0}), DriveStep::Wait);
    EXPECT_EQ(swapping.next({.now = 2.5}), DriveStep::Wait);
    sight = shown(2.6, kFullScreen);
    EXPECT_EQ(swapping.next(sight), DriveStep::Wait) << "the new window must be ready first";
    sight.now = 2.7;
    sight.pingAnswered = true;
    EXPECT_EQ(swapping.next(sight), DriveStep::Send);
    EXPECT_EQ(swapping.window(), kFullScreen);

    DriveRule closing(0.0);
    sight = shown(1.0);
    sight.pingAnswered = true;
    EXPECT_EQ(closing.next(sight), DriveStep::Send);
    EXPECT_EQ(closing.next({.now = 2.0}), DriveStep::Wait);
    EXPECT_EQ(closing.next({.now = 2.9}), DriveStep::Wait);
    EXPECT_EQ(closing.next({.now = 3.0}), DriveStep::WindowClosed);
    EXPECT_EQ(driveFailure(DriveStep::WindowClosed, "zembrot.exe", closing.everShown(), ""),
              "zembrot.exe closed its window before it took its keys");

    // Its process ending with the window gone is the ending.
    DriveRule ended(0.0);
    EXPECT_EQ(ended.next(sight), DriveStep::Send);
    EXPECT_EQ(ended.next({.now = 2.0, .ended = true}), DriveStep::Ended);
    EXPECT_EQ(driveFailure(DriveStep::Ended, "zembrot.exe", ended.everShown(), "exit status 0"),
              "zembrot.exe ended before it took its keys (exit status 0)");
}
