// The presentation, the Play sequence, the skip key and the menu buttons, as
// the exact platform calls they make on the virtual clock.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "launcher/frm_ownbox.h"
#include "launcher_fixture.h"

namespace launcher_tests {
namespace {

using launcher::start;
using Calls = std::vector<std::string>;

const std::string kScript =
    "BSND,1\nBSNDH,Data\\click.wav\nTIMEDELAY,3\nTIMEDELAY3,2\nBGMID,Data\\theme.mid\n";
const Calls kGameStart = {"start zembrot.exe", "wait 2", "block 0", "keys %{G}", "wait 2", "keys {enter}"};

class SequenceTest : public LauncherTest {
protected:
    start& loadWith(const std::string& extra = {}) {
        writeScript(kScript + extra);
        start& w = load();
        EXPECT_FALSE(startupFailure) << startupFailure->report();
        system.calls.clear();
        return w;
    }
    void withClip(const std::string& reply = "0 0 320 240") {
        system.exists["data\\test.avi"] = true;
        system.mciReplies["Where video2 destination"] = {reply, 0};
    }
    void pressKey(QWidget* target, Qt::Key key) { QTest::keyClick(target, key); }
    Calls joined(Calls head, const Calls& tail) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    }
    void expectMissingFileReport() {
        launcher::frmOwnbox* box = windows->loadedOwnbox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->Label1->text(), " Messege Box");
        EXPECT_EQ(box->txtInfo->text(), "Missing File");
        EXPECT_EQ(box->Picture1->pixmap().toImage(), box->picError->pixmap().toImage());
        EXPECT_FALSE(window().isLoaded());
        EXPECT_FALSE(system.called("start zembrot.exe") && system.called("keys %{G}"));
        EXPECT_FALSE(system.blocked);
    }
};

TEST_F(SequenceTest, PresentationPlaysTheWaveAndNotTheMusicWhenBothAreSet) {
    writeScript(kScript + "BGWAV,Data\\intro.wav\n");
    start& w = load();
    EXPECT_EQ(system.callsFrom("wait"), (Calls{"wait 0.95", "snd Data\\intro.wav 0"}));
    EXPECT_EQ(w.menu().strMusicFile, "");
}

TEST_F(SequenceTest, PresentationStartsTheMusicOrNothing) {
    start& w = loadWith();
    EXPECT_EQ(w.menu().strMusicFile, "Data\\theme.mid");
    writeScript("BGMID,Data\\\nBGWAV,Data\\\n");
    LauncherTest::windows = std::make_unique<launcher::LauncherWindows>(system);
    system.calls.clear();
    load();
    EXPECT_EQ(system.callsFrom("wait"), (Calls{"wait 0.95"}));
}

TEST_F(SequenceTest, PlayWithoutLogoOrClipGoesStraightToTheGame) {
    start& w = loadWith();
    bool visibleWhileWaiting = false;
    system.after(1, [&] { visibleWhileWaiting = w.isVisible(); });
    w.Command1->click();
    EXPECT_EQ(system.calls, joined({"snd Data\\click.wav 0", "exists Data\\logo.bmp", "exists data\\test.avi",
                                    "mci close Data\\theme.mid"},
                                   kGameStart));
    EXPECT_TRUE(visibleWhileWaiting);
    EXPECT_FALSE(w.isLoaded());
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(SequenceTest, PlayShowsTheLogoAndTheClipInsideTheWindow) {
    writePicture("Data/logo.bmp", 100, 50, Qt::red);
    start& w = loadWith();
    withClip();
    system.mciReplies["close Data\\theme.mid"] = {"", 263};  // the music went with "close all"
    bool hiddenAtGameStart = false;
    system.after(7, [&] { hiddenAtGameStart = !w.isVisible(); });
    w.Command1->click();
    const std::string handle = std::to_string(w.winId());
    EXPECT_EQ(system.calls,
              joined({"snd Data\\click.wav 0", "exists Data\\logo.bmp", "wait 3", "exists data\\test.avi",
                      "mci close all",
                      "mci open data\\test.avi Type avivideo Alias video2 parent " + handle + " Style 1073741824",
                      "mci Where video2 destination", "mci put video2 window at 10 10  320 240",
                      "mci play video2 from 0", "wait 3", "mci stop video2", "mci close video2",
                      "mci close Data\\theme.mid"},
                     kGameStart));
    EXPECT_EQ(w.Image1->pixmap().size(), QSize(100, 50));
    EXPECT_TRUE(hiddenAtGameStart);
}

TEST_F(SequenceTest, ZeroTimeDelayStopsTheClipAtOnce) {
    start& w = loadWith("TIMEDELAY,0\n");
    withClip();
    w.Command1->click();
    EXPECT_EQ(system.callsFrom("mci play video2")[1], "wait 0");
    EXPECT_EQ(system.callsFrom("mci play video2")[2], "mci stop video2");
}

TEST_F(SequenceTest, SizeReplyWithoutThreeBlanksIsTheMissingFileReport) {
    for (const std::string reply : {"320 240", ""}) {
        SCOPED_TRACE(reply);
        windows = std::make_unique<launcher::LauncherWindows>(system);
        start& w = loadWith();
        withClip(reply);
        w.Command1->click();
        expectMissingFileReport();
        EXPECT_FALSE(system.called("start zembrot.exe"));
        EXPECT_FALSE(system.called("mci play video2 from 0"));
        EXPECT_EQ(system.count("beep"), 1);
    }
}

TEST_F(SequenceTest, SlidesAreSentWithTheInputBlocked) {
    start& w = loadWith("SLIDE,3\nSPTIM,2\nTIMEDELAY3,1\n");
    w.Command1->click();
    EXPECT_EQ(system.callsFrom("start"),
              (Calls{"start zembrot.exe", "wait 1", "block 1", "keys { }", "wait 2", "keys { }", "wait 2",
                     "keys { }", "wait 2", "block 0", "keys %{G}", "wait 1", "keys {enter}"}));
}

TEST_F(SequenceTest, MissingGameOnPlayComesAfterLogoAndClip) {
    writePicture("Data/logo.bmp", 10, 10, Qt::red);
    start& w = loadWith();
    withClip();
    system.missingPrograms.insert("zembrot.exe");
    w.Command1->click();
    EXPECT_TRUE(system.called("mci close video2"));
    expectMissingFileReport();
    EXPECT_FALSE(system.called("keys %{G}"));
}

TEST_F(SequenceTest, FailureWhileBlockedReleasesTheInputBeforeTheReport) {
    start& w = loadWith("SLIDE,2\n");
    system.failingKeys.insert("{ }");
    w.Command1->click();
    const Calls tail = system.callsFrom("block 1");
    EXPECT_EQ(tail, (Calls{"block 1", "keys { }", "block 0", "beep"}));
    expectMissingFileReport();
}

TEST_F(SequenceTest, SkipKeyWhileIdleStartsTheGame) {
    start& w = loadWith();
    pressKey(&w, Qt::Key_S);
    EXPECT_EQ(system.calls, (Calls{"mci close Data\\theme.mid", "wait 2", "start zembrot.exe", "keys %{G}",
                                   "wait 2", "keys {enter}"}));
    EXPECT_FALSE(w.isLoaded());
    EXPECT_EQ(launcherEnded, 1);
}

// The player holds Shift for a capital S: the Shift press itself is no key.
TEST_F(SequenceTest, ShiftAndSRunsTheSkipPath) {
    start& w = loadWith();
    QTest::keyClick(&w, Qt::Key_S, Qt::ShiftModifier);  // Shift goes down first
    EXPECT_EQ(system.calls, (Calls{"mci close Data\\theme.mid", "wait 2", "start zembrot.exe", "keys %{G}",
                                   "wait 2", "keys {enter}"}));
    EXPECT_FALSE(w.isLoaded());
}

TEST_F(SequenceTest, ModifierKeysAloneLeaveTheWindowOpen) {
    start& w = loadWith();
    for (Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr, Qt::Key_Meta, Qt::Key_Super_L,
                        Qt::Key_Super_R, Qt::Key_CapsLock, Qt::Key_NumLock}) {
        for (QWidget* target : {static_cast<QWidget*>(&w), static_cast<QWidget*>(w.Command1)}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
        }
        EXPECT_TRUE(w.isLoaded()) << "key " << key;
    }
    EXPECT_EQ(system.calls, Calls{});
    EXPECT_EQ(launcherEnded, 0);
}

TEST_F(SequenceTest, AnyOtherKeyOnlyClosesTheWindowEvenOnAFocusedButton) {
    start& w = loadWith();
    pressKey(w.Command1, Qt::Key_Space);
    EXPECT_EQ(system.calls, Calls{});
    EXPECT_FALSE(w.isLoaded());
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(SequenceTest, SkipDuringThePlayLogoEndsThePlaySequence) {
    writePicture("Data/logo.bmp", 10, 10, Qt::red);
    start& w = loadWith("SLIDE,3\n");
    system.after(1, [&] { pressKey(&w, Qt::Key_S); });
    w.Command1->click();
    EXPECT_EQ(system.calls, (Calls{"snd Data\\click.wav 0", "exists Data\\logo.bmp", "wait 3",
                                   "mci close Data\\theme.mid", "wait 2", "start zembrot.exe", "keys %{G}",
                                   "wait 2", "keys {enter}"}));
    EXPECT_EQ(w.menu().intSlides, 0);
}

TEST_F(SequenceTest, SkipDuringTheClipStillStopsTheClip) {
    start& w = loadWith();
    withClip();
    system.after(1, [&] { pressKey(&w, Qt::Key_S); });
    w.Command1->click();
    EXPECT_EQ(system.callsFrom("keys {enter}"), (Calls{"keys {enter}", "mci stop video2", "mci close video2"}));
    EXPECT_EQ(system.count("start zembrot.exe"), 1);
}

TEST_F(SequenceTest, KeyDuringThePresentationWaitStartsNoMusic) {
    writeScript(kScript);
    system.after(0.5, [&] { pressKey(windows->startWindow(), Qt::Key_Escape); });
    load();
    EXPECT_FALSE(system.called("mci play Data\\theme.mid"));
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(SequenceTest, MissingGameOnTheSkipPathEndsTheLauncherWithTheReport) {
    start& w = loadWith();
    system.missingPrograms.insert("zembrot.exe");
    pressKey(&w, Qt::Key_S);
    ASSERT_TRUE(uncaughtFailure);
    EXPECT_EQ(uncaughtFailure->kind(), script::FailureKind::FileNotFound);
    EXPECT_FALSE(system.called("keys %{G}"));
}

TEST_F(SequenceTest, StartBlocksAndReleasesEvenWithoutSlides) {
    start& w = loadWith();
    bool hiddenAtGameStart = false;
    system.after(1, [&] { hiddenAtGameStart = !w.isVisible(); });
    w.Command4->click();
    EXPECT_EQ(system.calls, (Calls{"mci close Data\\theme.mid", "snd Data\\click.wav 0", "start zembrot.exe",
                                   "wait 2", "block 1", "block 0", "keys %{G}", "wait 2", "keys {enter}"}));
    EXPECT_TRUE(hiddenAtGameStart);
    EXPECT_FALSE(w.isLoaded());
}

TEST_F(SequenceTest, StrayKeyDuringStartDoesNotLoseTheSequenceAndTheInputIsReleased) {
    start& w = loadWith("SLIDE,2\nSPTIM,5\n");
    system.after(3, [&] { pressKey(&w, Qt::Key_Escape); });  // in the first slide pause
    w.Command4->click();
    EXPECT_EQ(system.callsFrom("block 1"), (Calls{"block 1", "keys { }", "wait 5", "keys { }", "wait 5", "block 0",
                                                  "keys %{G}", "wait 2", "keys {enter}"}));
    EXPECT_FALSE(system.blocked);
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(SequenceTest, ReturnDuringThePlayLogoClosesTheWindowButTheGameStillGetsItsKeys) {
    writePicture("Data/logo.bmp", 10, 10, Qt::red);
    start& w = loadWith("SLIDE,3\nSPTIM,1\n");
    int endedDuringTheSequence = -1;
    system.after(1, [&] { pressKey(&w, Qt::Key_Return); });
    system.after(6, [&] { endedDuringTheSequence = launcherEnded; });
    w.Command1->click();
    EXPECT_EQ(system.calls, (Calls{"snd Data\\click.wav 0", "exists Data\\logo.bmp", "wait 3",
                                   "exists data\\test.avi", "mci close Data\\theme.mid", "start zembrot.exe",
                                   "wait 2", "block 1", "keys { }", "wait 1", "keys { }", "wait 1", "keys { }",
                                   "wait 1", "block 0", "keys %{G}", "wait 2", "keys {enter}"}));
    EXPECT_FALSE(w.isLoaded());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(endedDuringTheSequence, 0);
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(SequenceTest, StrayKeyDuringASkipInsideAPlayDoesNotStartTheGameTwice) {
    writePicture("Data/logo.bmp", 10, 10, Qt::red);
    start& w = loadWith("SLIDE,3\n");
    system.after(1, [&] { pressKey(&w, Qt::Key_S); });         // in the logo's pause
    system.after(2, [&] { pressKey(&w, Qt::Key_Escape); });    // in the skip path's pause
    w.Command1->click();
    EXPECT_EQ(system.count("start zembrot.exe"), 1);
    EXPECT_EQ(system.callsFrom("start zembrot.exe"), (Calls{"start zembrot.exe", "keys %{G}", "wait 2", "keys {enter}"}));
    EXPECT_EQ(launcherEnded, 1);
}

TEST_F(SequenceTest, FailureInStartReleasesTheInputAndEndsTheLauncher) {
    start& w = loadWith("SLIDE,1\n");
    system.failingKeys.insert("{ }");
    w.Command4->click();
    ASSERT_TRUE(uncaughtFailure);
    EXPECT_EQ(system.callsFrom("block 1"), (Calls{"block 1", "keys { }", "block 0"}));
    EXPECT_FALSE(windows->loadedOwnbox());
}

TEST_F(SequenceTest, SetupDrivesTheGameMenuAndKeepsTheWindow) {
    start& w = loadWith("LBL1,Options\nTITLE2,\"Second\"\nTITLE,\"First\"\n");
    w.Command2->click();
    EXPECT_EQ(system.calls, (Calls{"snd Data\\click.wav 0", "start zembrot.exe", "wait 2", "keys %{G}",
                                   "keys {down 6}", "keys {enter}", "wait 2", "keys %{O}"}));
    EXPECT_EQ(w.Label1->text(), "Options");
    EXPECT_EQ(w.Label2->text(), "Second");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(SequenceTest, StopClosesTheMusicThenClicksThenUnloads) {
    start& w = loadWith();
    w.Command6->click();
    EXPECT_EQ(system.calls, (Calls{"mci close Data\\theme.mid", "snd Data\\click.wav 0"}));
    EXPECT_EQ(launcherEnded, 1);
    writeScript("BSND,1\nBSNDH,Data\\click.wav\n");
    windows = std::make_unique<launcher::LauncherWindows>(system);
    start& quiet = load();
    system.calls.clear();
    quiet.Command5->click();
    EXPECT_EQ(system.calls, (Calls{"mci close ", "snd Data\\click.wav 0"}));
    EXPECT_FALSE(quiet.isLoaded());
}

TEST_F(SequenceTest, ButtonSoundOffSilencesEveryButton) {
    start& w = loadWith("BSND,0\nSPLASH,1\nCMD7V,True\n");
    w.Command2->click();
    w.Command3->click();
    w.Command7->click();
    w.Command4->click();
    EXPECT_EQ(system.count("snd Data\\click.wav 0"), 0);
}

}  // namespace
}  // namespace launcher_tests
