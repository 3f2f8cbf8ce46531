// The Game menu on Qt's offscreen platform: a game folder opened into the
// fields, saved back, tried in a launcher, and the questions on the way.

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

#include "demo_values.h"
#include "editor/check_box.h"
#include "editor/frm_main.h"
#include "editor/game_folder.h"
#include "editor/game_menu.h"
#include "editor/start_preview.h"
#include "editor_test_support.h"
#include "recording_platform.h"
#include "script/failure.h"
#include "script/keyword_table.h"

using namespace editor_testing;
namespace fs = std::filesystem;

namespace {

class GameFolder : public ::testing::Test {
protected:
    TempHome home;
    QTemporaryDir settings;
    testing_support::RecordingPlatform platform;
    ScriptedMessages messages;
    std::unique_ptr<editor::frmMain> window;

    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        window = std::make_unique<editor::frmMain>(platform, messages);
    }
    editor::GameMenu& game() { return *window->gameMenu(); }
    fs::path folder(const std::string& name = "Zembrot") const { return home.path() / "Games" / name; }
    fs::path script(const std::string& name = "Zembrot") const { return folder(name) / "Data" / "kelo.pod"; }

    // The demo's fields, as Compile/Save writes them.
    std::string demoScript() {
        const auto texts = demoTexts();
        for (int n = 1; n <= 31; ++n) window->Text(n)->setText(QString::fromStdString(texts[n]));
        for (int n : kDemoTicked) QTest::mouseClick(window->Check(n), Qt::LeftButton);
        window->Command2_Click();
        messages.shown.clear();
        const std::string bytes = readBytes(home.pod());
        window = std::make_unique<editor::frmMain>(platform, messages);  // fresh fields
        return bytes;
    }
    std::string status() const { return window->statusBar()->currentMessage().toStdString(); }
};

}  // namespace

TEST_F(GameFolder, AScriptOpenedAndSavedUnchangedComesBackByteForByte) {
    const std::string original = demoScript();
    const std::string varnoState = readBytes(home.bak());
    writeBytes(script(), original);
    platform.localTime.tm_year = 127;  // a later compile date
    ASSERT_TRUE(game().openGameFolder(script()));  // named by its Data/kelo.pod
    EXPECT_TRUE(messages.shown.empty()) << messages.shown[0];
    EXPECT_EQ(*game().folder(), folder());
    EXPECT_FALSE(game().unsavedChanges());
    EXPECT_EQ(window->windowTitle().toStdString(), "   Varno - " + folder().string() + "[*]");
    ASSERT_TRUE(game().saveToGameFolder());
    const std::string saved = readBytes(script());
    EXPECT_NE(saved, original);  // the date
    EXPECT_EQ(withoutDateLine(saved), withoutDateLine(original));
    for (const script::KeywordInfo& keyword : script::keywordTable())
        if (keyword.written()) EXPECT_NE(saved.find("\r\n" + std::string(keyword.name) + ","), std::string::npos);
    EXPECT_EQ(readBytes(script().string() + "~"), original);
    // ~/Varno is not touched.
    EXPECT_EQ(readBytes(home.pod()), original);
    EXPECT_EQ(readBytes(home.bak()), varnoState);
    EXPECT_FALSE(fs::exists(home.pod().parent_path() / "kelo.pod~"));
}

TEST_F(GameFolder, WhatTheFieldsCannotHoldIsAskedAboutBeforeOpeningAndBeforeSaving) {
    const std::string handWritten = "; packed by hand\r\nTITLE,\"One\"\r\nLBL1,Alt\r\nFOO,bar\r\nTITLE,\"Two\"\r\n";
    writeBytes(script(), handWritten);
    window->Text(3)->setText(QStringLiteral("typed before"));

    messages.proceed = false;  // Cancel: nothing changes
    EXPECT_FALSE(game().openGameFolder(folder()));
    ASSERT_EQ(messages.shown.size(), 1u);
    for (const char* line : {"line 1: the comment", "line 3: LBL1", "line 4: \"FOO\"", "line 5: TITLE given again",
                             "|Open"})
        EXPECT_NE(messages.shown[0].find(line), std::string::npos) << line << "\n" << messages.shown[0];
    EXPECT_EQ(window->Text(3)->text(), QStringLiteral("typed before"));
    EXPECT_FALSE(game().folder());

    messages.proceed = true;
    ASSERT_TRUE(game().openGameFolder(folder()));
    EXPECT_EQ(window->Text(3)->text(), QStringLiteral("Two"));
    messages.shown.clear();
    messages.proceed = false;  // Save asks what it would drop; Cancel writes nothing
    EXPECT_FALSE(game().saveToGameFolder());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("line 3: LBL1"), std::string::npos) << messages.shown[0];
    EXPECT_NE(messages.shown[0].find("|Save"), std::string::npos);
    EXPECT_EQ(readBytes(script()), handWritten);
    EXPECT_FALSE(fs::exists(script().string() + "~"));

    messages.proceed = true;  // Save writes what was promised, once
    ASSERT_TRUE(game().saveToGameFolder());
    const std::string saved = readBytes(script());
    EXPECT_NE(saved.find("TITLE,\"Two\"\r\n"), std::string::npos);
    for (const char* gone : {"LBL1,", "FOO", "packed by hand", "\"One\""}) EXPECT_EQ(saved.find(gone), std::string::npos);
    EXPECT_EQ(readBytes(script().string() + "~"), handWritten);
    messages.shown.clear();
    ASSERT_TRUE(game().saveToGameFolder());  // asked once only
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(readBytes(script().string() + "~"), handWritten);  // the opened script stays kept
}

TEST_F(GameFolder, AFolderWithoutAScriptOpensEmptyAndSavingMakesItsDataFolder) {
    fs::create_directories(folder());
    window->Text(3)->setText(QStringLiteral("typed before"));
    ASSERT_TRUE(game().openGameFolder(folder()));
    EXPECT_EQ(window->Text(3)->text(), QString());
    EXPECT_NE(window->windowTitle().indexOf(QStringLiteral("(no script yet)")), -1);
    window->Text(3)->setText(QStringLiteral("New"));
    ASSERT_TRUE(game().saveToGameFolder());
    EXPECT_NE(readBytes(script()).find("TITLE,\"New\""), std::string::npos);
    EXPECT_FALSE(fs::exists(script().string() + "~"));
    EXPECT_EQ(window->windowTitle().indexOf(QStringLiteral("(no script yet)")), -1);
}

TEST_F(GameFolder, SavingFindsTheScriptAsTheLauncherDoesAndWritesThroughALink) {
    // A folder named DATA and a script named KELO.POD are the launcher's script.
    writeBytes(folder() / "DATA" / "KELO.POD", "TITLE,\"Old\"\r\n");
    ASSERT_TRUE(game().openGameFolder(folder()));
    window->Text(3)->setText(QStringLiteral("New"));
    ASSERT_TRUE(game().saveToGameFolder());
    EXPECT_NE(readBytes(folder() / "DATA" / "KELO.POD").find("TITLE,\"New\""), std::string::npos);
    EXPECT_EQ(readBytes(folder() / "DATA" / "KELO.POD~"), "TITLE,\"Old\"\r\n");
    EXPECT_FALSE(fs::exists(folder() / "Data"));

    // A linked script: its target gets the bytes, the link stays.
    const fs::path shared = home.path() / "shared.pod";
    writeBytes(shared, "TITLE,\"Shared\"\r\n");
    fs::create_directories(script("Linked").parent_path());
    fs::create_symlink(shared, script("Linked"));
    ASSERT_TRUE(game().openGameFolder(folder("Linked")));
    window->Text(3)->setText(QStringLiteral("Through"));
    ASSERT_TRUE(game().saveToGameFolder());
    EXPECT_TRUE(fs::is_symlink(script("Linked")));
    EXPECT_NE(readBytes(shared).find("TITLE,\"Through\""), std::string::npos);
    EXPECT_EQ(readBytes(script("Linked").string() + "~"), "TITLE,\"Shared\"\r\n");
}

TEST_F(GameFolder, AFailedRenameLosesNothing) {
    writeBytes(script(), "TITLE,\"Old\"\r\n");
    ASSERT_TRUE(game().openGameFolder(folder()));
    window->Text(3)->setText(QStringLiteral("New"));
    game().saveSeams.beforeReplacing = [&](const fs::path& file) {
        if (file == script()) throw script::Failure(script::FailureKind::DeviceIOError).aboutFile(file);
    };
    EXPECT_FALSE(game().saveToGameFolder());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("failure|Device I/O error", 0), 0u) << messages.shown[0];
    EXPECT_EQ(readBytes(script()), "TITLE,\"Old\"\r\n");
    EXPECT_FALSE(fs::exists(script().string() + "~"));
    EXPECT_TRUE(game().unsavedChanges());
    for (const auto& entry : fs::directory_iterator(script().parent_path()))
        EXPECT_TRUE(entry.path().filename() == "kelo.pod" || entry.path().filename() == ".kelo.pod.lock")
            << entry.path();
}

TEST_F(GameFolder, AReadOnlyScriptIsRefusedAndNothingIsWritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files; run as an ordinary user";
    writeBytes(script(), "TITLE,\"Old\"\r\n");
    fs::permissions(script(), fs::perms(0444));
    ASSERT_TRUE(game().openGameFolder(folder()));
    window->Text(3)->setText(QStringLiteral("New"));
    EXPECT_FALSE(game().saveToGameFolder());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("Permission denied"), std::string::npos) << messages.shown[0];
    EXPECT_EQ(readBytes(script()), "TITLE,\"Old\"\r\n");
    EXPECT_FALSE(fs::exists(script().string() + "~"));
}

TEST_F(GameFolder, UnsavedChangesAreMarkedAndAskedAboutBeforeTheyAreGivenUp) {
    writeBytes(script("A"), "TITLE,\"A\"\r\n");
    writeBytes(script("B"), "TITLE,\"B\"\r\n");
    ASSERT_TRUE(game().openGameFolder(folder("A")));
    window->Text(3)->end(false);
    QTest::keyClicks(window->Text(3), QStringLiteral("!"));
    EXPECT_TRUE(game().unsavedChanges());
    EXPECT_TRUE(window->isWindowModified());

    messages.saveAnswer = editor::SaveAnswer::Cancel;
    EXPECT_FALSE(game().openGameFolder(folder("B")));
    EXPECT_EQ(window->Text(3)->text(), QStringLiteral("A!"));
    EXPECT_FALSE(window->close());  // quitting is refused as well

    messages.saveAnswer = editor::SaveAnswer::Save;
    ASSERT_TRUE(game().openGameFolder(folder("B")));
    EXPECT_NE(readBytes(script("A")).find("TITLE,\"A!\""), std::string::npos);
    EXPECT_EQ(window->Text(3)->text(), QStringLiteral("B"));
    EXPECT_FALSE(window->isWindowModified());

    window->Text(3)->end(false);
    QTest::keyClicks(window->Text(3), QStringLiteral("?"));
    messages.saveAnswer = editor::SaveAnswer::Discard;
    messages.shown.clear();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(readBytes(script("B")), "TITLE,\"B\"\r\n");
}

TEST_F(GameFolder, ThePreviewFollowsTheOpenFolderAndRecentFoldersAreKept) {
    for (int n = 0; n < 9; ++n) {
        fs::create_directories(folder("G" + std::to_string(n)));
        ASSERT_TRUE(game().openGameFolder(folder("G" + std::to_string(n))));
    }
    ASSERT_TRUE(game().openGameFolder(folder("G3")));
    const QStringList recent = game().recentGameFolders();
    ASSERT_EQ(recent.size(), 8);
    EXPECT_EQ(recent[0].toStdString(), folder("G3").string());
    EXPECT_EQ(recent[1].toStdString(), folder("G8").string());
    EXPECT_FALSE(recent.contains(QString::fromStdString(folder("G0").string())));
    EXPECT_EQ(window->preview()->gameFolder().toStdString(), folder("G3").string());
    ASSERT_TRUE(game().openGameFolder(folder("G5")));
    EXPECT_EQ(window->preview()->gameFolder().toStdString(), folder("G5").string());
}

TEST_F(GameFolder, TestInLorvaneStartsTheLauncherInTheFolderAndReportsItsEnd) {
    writeBytes(script(), "TITLE,\"Old\"\r\n");
    const fs::path launcher = home.path() / "fake-lorvane";
    writeBytes(launcher, "#!/bin/sh\npwd > \"$HOME/ran-in\"\necho 'lorvane: File not found: Data/logo.bmp' >&2\nexit 1\n");
    fs::permissions(launcher, fs::perms(0755));
    game().setLauncherProgram(QString::fromStdString(launcher.string()));
    ASSERT_TRUE(game().openGameFolder(folder()));
    window->Text(3)->end(false);
    QTest::keyClicks(window->Text(3), QStringLiteral("!"));

    messages.proceed = false;  // unsaved: asked first; Cancel starts nothing
    game().testInLorvane();
    EXPECT_FALSE(game().launcher());
    messages.proceed = true;
    QSignalSpy ended(&game(), &editor::GameMenu::launcherEnded);
    game().testInLorvane();
    ASSERT_TRUE(game().launcher());
    EXPECT_NE(readBytes(script()).find("TITLE,\"Old!\""), std::string::npos);
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(status(), "Lorvane ended with exit status 1: lorvane: File not found: Data/logo.bmp");
    EXPECT_EQ(readBytes(home.path() / "ran-in"), folder().string() + "\n");

    game().setLauncherProgram(QString::fromStdString((home.path() / "no-such-program").string()));
    game().testInLorvane();
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(status().rfind("Lorvane could not be started: ", 0), 0u) << status();
}

TEST(GameFolderName, AFolderOrItsScriptNamesTheGameFolder) {
    TempHome home;
    const fs::path game = home.path() / "Game";
    writeBytes(game / "data" / "Kelo.Pod", "");
    writeBytes(game / "other.txt", "");
    EXPECT_EQ(editor::gameFolderOf(game), game);
    EXPECT_EQ(editor::gameFolderOf(game.string() + "/"), game);
    EXPECT_EQ(editor::gameFolderOf(game / "data" / "Kelo.Pod"), game);
    EXPECT_FALSE(editor::gameFolderOf(game / "other.txt"));
    EXPECT_FALSE(editor::gameFolderOf(game / "missing"));
    EXPECT_EQ(editor::scriptIn(game), game / "data" / "Kelo.Pod");
}
