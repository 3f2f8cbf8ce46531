// The start menu's sequences on the recording platform and a recording view:
// no display and no QApplication.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "menu/start_menu.h"
#include "recording_platform.h"

namespace {

using Calls = std::vector<std::string>;

// Writes down what the engine asks of the screen.
class RecordingView : public menu::StartView {
public:
    Calls calls;
    int settingsPasses = 0;
    int closings = 0;

    void applySettings(const script::MenuSettings&) override { ++settingsPasses; }
    void showScreen() override { calls.push_back("show"); }
    void hideScreen() override { calls.push_back("hide"); }
    void showLogo(const std::string& picture) override { calls.push_back("logo " + picture); }
    std::string clipParent() override { return "77"; }
    void showTitles(const std::string& label1, const std::string& title2) override {
        calls.push_back("titles " + label1 + " / " + title2);
    }
    void showMessageBox(const std::string& title, const std::string& prompt, int icon) override {
        calls.push_back("box " + title + " / " + prompt + " / " + std::to_string(icon));
    }
    void showHelp() override { calls.push_back("help"); }
    void closed() override {
        calls.push_back("closed");
        ++closings;
    }
};

const std::string kScript =
    "BSND,1\r\nBSNDH,Data\\click.wav\r\nTIMEDELAY,3\r\nTIMEDELAY3,2\r\nBGMID,Data\\theme.mid\r\n"
    "LBL1,Ready\r\nTITLE2,Second\r\n";

// A launcher's engine on the recording platform, with no picture, clip or
// background unless a test puts one there.
struct Launcher {
    testing_support::RecordingPlatform system;
    RecordingView view;
    menu::StartMenu engine{system, view};

    Launcher() {
        for (const char* name : {"Data\\logo.bmp", "data\\test.avi", "Data\\background.bmp"})
            system.exists[name] = false;
    }
    void load(const std::string& extra = {}) {
        engine.Form_Load(kScript + extra, "Data/kelo.pod");
        system.calls.clear();
        view.calls.clear();
    }
    void withLogoAndClip() {
        system.exists["Data\\logo.bmp"] = true;
        system.exists["data\\test.avi"] = true;
        system.mciReplies["Where video2 destination"] = {"0 0 320 240", 0};
    }
};

// As the launcher runs a handler: a sequence that a nested handler ended
// leaves quietly.
void run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const menu::SequenceEnded&) {
    }
}

class StartMenuTest : public ::testing::Test {
protected:
    Launcher launcher;
    testing_support::RecordingPlatform& system = launcher.system;
    RecordingView& view = launcher.view;
    menu::StartMenu& engine = launcher.engine;
};

const Calls kLogoAndClip = {"snd Data\\click.wav 0", "exists Data\\logo.bmp", "wait 3", "exists data\\test.avi",
                            "mci close all",
                            "mci open data\\test.avi Type avivideo Alias video2 parent 77 Style 1073741824",
                            "mci Where video2 destination", "mci put video2 window at 10 10  320 240",
                            "mci play video2 from 0", "wait 3", "mci stop video2", "mci close video2",
                            "mci close Data\\theme.mid", "start zembrot.exe", "wait 2"};

Calls joined(Calls head, const Calls& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(StartMenuTest, LoadTakesTheWindowFieldsRunsAPassPerFieldAndPresents) {
    engine.Form_Load(kScript, "Data/kelo.pod");
    EXPECT_EQ(view.settingsPasses, 7);
    EXPECT_EQ(engine.settingsPasses(), 7);
    EXPECT_EQ(engine.intTimeDelay, 3);
    EXPECT_EQ(engine.strClickSoundFile, "Data\\click.wav");
    EXPECT_EQ(view.calls, Calls{"show"});
    EXPECT_EQ(system.callsFrom("wait"), (Calls{"wait 0.95", "mci play Data\\theme.mid"}));
}

TEST_F(StartMenuTest, PlayWithoutSlidesShowsLogoAndClipThenDrivesTheGameMenu) {
    launcher.load();
    launcher.withLogoAndClip();
    run([this] { engine.Command1_Click(); });
    EXPECT_EQ(system.calls, joined(kLogoAndClip, {"block 0", "keys %{G}", "wait 2", "keys {enter}"}));
    EXPECT_EQ(view.calls, (Calls{"logo Data\\logo.bmp", "hide", "hide", "closed"}));
    EXPECT_FALSE(engine.keepsLauncherRunning());
}

TEST_F(StartMenuTest, PlayWithSlidesSendsThemWithTheInputBlocked) {
    launcher.load("SLIDE,2\r\nSPTIM,1\r\n");
    launcher.withLogoAndClip();
    run([this] { engine.Command1_Click(); });
    EXPECT_EQ(system.calls, joined(kLogoAndClip, {"block 1", "keys { }", "wait 1", "keys { }", "wait 1", "block 0",
                                                  "keys %{G}", "wait 2", "keys {enter}"}));
    EXPECT_FALSE(system.blocked);
}

// Play's waits on the virtual clock: logo 0-3, clip 3-6, game start 6-8,
// slides 8-9 and 9-10, game menu 10-12. S in any of them starts the game
// its own way; Play goes no further and leaves no input blocked.
TEST_F(StartMenuTest, SkipDuringEachWaitOfPlayEndsPlay) {
    const Calls skip = {"mci close Data\\theme.mid", "wait 2", "start zembrot.exe", "keys %{G}", "wait 2",
                        "keys {enter}"};
    for (double when : {1.0, 4.0, 7.0, 8.5, 11.0}) {
        SCOPED_TRACE(when);
        Launcher fresh;
        fresh.load("SLIDE,2\r\nSPTIM,1\r\n");
        fresh.withLogoAndClip();
        fresh.system.after(when, [&] { run([&] { fresh.engine.Form_KeyDown(83, 0); }); });
        run([&] { fresh.engine.Command1_Click(); });

        const Calls& calls = fresh.system.calls;
        const auto skipStart = std::search(calls.begin(), calls.end(), skip.begin(), skip.end());
        ASSERT_NE(skipStart, calls.end());
        // After the skip's Enter only the clip's closing and the input's release may follow.
        for (auto call = skipStart + skip.size(); call != calls.end(); ++call)
            EXPECT_TRUE(*call == "mci stop video2" || *call == "mci close video2" || *call == "block 0") << *call;
        EXPECT_FALSE(fresh.system.blocked);
        EXPECT_EQ(fresh.view.closings, 1);
        EXPECT_FALSE(fresh.engine.keepsLauncherRunning());
    }
}

TEST_F(StartMenuTest, AFailureAfterTheBlockReleasesTheInputBeforeTheMessageBox) {
    launcher.load("SLIDE,2\r\n");
    system.failingKeys.insert("{ }");
    run([this] { engine.Command1_Click(); });
    EXPECT_EQ(system.callsFrom("block 1"), (Calls{"block 1", "keys { }", "block 0"}));
    EXPECT_EQ(view.calls, (Calls{"box  Messege Box / Missing File / 3", "hide", "closed"}));
    EXPECT_FALSE(engine.isLoaded());
}

TEST_F(StartMenuTest, StartHidesTheScreenAndBlocksTheInputEvenWithoutSlides) {
    launcher.load();
    run([this] { engine.Command4_Click(); });
    EXPECT_EQ(system.calls, (Calls{"mci close Data\\theme.mid", "snd Data\\click.wav 0", "start zembrot.exe",
                                   "wait 2", "block 1", "block 0", "keys %{G}", "wait 2", "keys {enter}"}));
    EXPECT_EQ(view.calls.front(), "hide");
    EXPECT_EQ(view.closings, 1);
}

TEST_F(StartMenuTest, SetupDrivesTheGameToItsOptionsAndKeepsTheScreen) {
    launcher.load();
    run([this] { engine.Command2_Click(); });
    EXPECT_EQ(system.calls, (Calls{"snd Data\\click.wav 0", "start zembrot.exe", "wait 2", "keys %{G}",
                                   "keys {down 6}", "keys {enter}", "wait 2", "keys %{O}"}));
    EXPECT_EQ(view.calls, Calls{"titles Ready / Second"});
    EXPECT_TRUE(engine.isLoaded());
}

}  // namespace
