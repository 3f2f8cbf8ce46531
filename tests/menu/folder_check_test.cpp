// The packager's dry run on hand-written scripts: each warning once, the
// report start-up would stop with, and the times of the sequences. No
// QApplication: the engine runs with a view that only records.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "child_process.h"
#include "menu/folder_check.h"
#include "view/picture_files.h"

namespace {

class FolderCheckTest : public ::testing::Test {
protected:
    FolderCheckTest() {
        std::string name = (std::filesystem::temp_directory_path() / "folder-check-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("no temporary folder");
        folder = std::filesystem::canonical(name);
    }
    ~FolderCheckTest() override {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    void writeFile(const std::string& relativePath, const std::string& bytes) {
        std::filesystem::create_directories((folder / relativePath).parent_path());
        std::ofstream out(folder / relativePath, std::ios::binary);
        out << bytes;
    }
    // Data\kelo.pod, lines ended with CR LF.
    void writeScript(const std::string& text) {
        std::string bytes;
        for (char c : text) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
        writeFile("Data/kelo.pod", bytes);
    }
    void writePicture(const std::string& relativePath, int width, int height, const QColor& colour) {
        std::filesystem::create_directories((folder / relativePath).parent_path());
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString((folder / relativePath).string()), "BMP"));
    }
    // A stand-in game that is no Windows program, so no Wine is asked for.
    void writeGame() { writeFile("zembrot.exe", "#!/bin/sh\n"); }

    menu::FolderCheck runCheck(const std::optional<std::string>& scriptBytes = std::nullopt) {
        return menu::checkGameFolder(folder, view::requirePicture, scriptBytes);
    }

    static int count(const std::vector<std::string>& lines, const std::string& part) {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        }));
    }

    static const menu::FolderCheck::Sequence& sequence(const menu::FolderCheck& check, const std::string& name) {
        for (const auto& s : check.sequences)
            if (s.name.rfind(name, 0) == 0) return s;
        throw std::runtime_error("no sequence " + name);
    }

    std::filesystem::path folder;
};

}  // namespace

TEST_F(FolderCheckTest, EveryWarningAPackagerMustSeeComesOnce) {
    writeScript(
        ";Date Compiled-x\n"
        "TIMEDELAY,2 ;two seconds\n"
        "FOO,bar\n"
        "TITLE,\"Zembrot\"\n"
        "SLIDE,3,;three slides\n"
        "BACKCOLOR,300,0,-5\n"
        "INFOP,Data\\nohelp.bmp\n"
        "BSNDH,Data\\noclick.wav\n"
        "BGWAV,Data\\nowave.wav\n"
        "BGMID,Data\\nomusic.mid\n");
    const menu::FolderCheck check = runCheck();

    EXPECT_TRUE(check.startupSucceeds()) << *check.report;
    const std::vector<std::string> expected = {
        "line 2: TIMEDELAY's value \"2 ;two seconds\" looks like it holds a comment",
        "line 3: \"FOO\" is not a keyword",
        "line 5: a comment on the same line as SLIDE",
        "line 6: BACKCOLOR's red 300 counts as 255",
        "line 6: BACKCOLOR's blue -5 counts as 0",
        "line 7: INFOP names the picture Data\\nohelp.bmp, which does not exist",
        "line 8: BSNDH names the sound Data\\noclick.wav, which does not exist",
        "line 9: BGWAV names the sound Data\\nowave.wav, which does not exist",
        "line 10: BGMID names the music Data\\nomusic.mid, which does not exist",
        "BGWAV and BGMID are both set: only the wave Data\\nowave.wav plays",
        "the intro clip data\\test.avi does not exist",
        "zembrot.exe does not exist in the game folder",
    };
    for (const std::string& warning : expected) EXPECT_EQ(count(check.warnings, warning), 1) << warning;
    EXPECT_EQ(check.warnings.size(), expected.size()) << check.text();
    EXPECT_EQ(count(check.records, "line 2  TIMEDELAY  0"), 1);  // the comment made it no number
    EXPECT_EQ(count(check.records, "line 6  BACKCOLOR  300, 0, -5"), 1);
    // Without the game, Play ends in the launcher's message box.
    EXPECT_EQ(count(sequence(check, "Play").lines, "zembrot.exe cannot start: it does not exist"), 1);
    EXPECT_EQ(count(sequence(check, "Play").lines, "the message box \"Missing File\" shows"), 1);
    EXPECT_EQ(count(sequence(check, "Play").lines, "s  beep"), 1);  // as the launcher's box does
}

// The folder is named, not entered: a working folder with a game, a logo and
// another script must not answer for it.
TEST_F(FolderCheckTest, TheGivenFolderIsCheckedWhereverTheProcessWorks) {
    struct WorkIn {
        std::filesystem::path previous = std::filesystem::current_path();
        explicit WorkIn(const std::filesystem::path& folder) { std::filesystem::current_path(folder); }
        ~WorkIn() { std::filesystem::current_path(previous); }
    };
    writeScript("TITLE,\"Checked\"\n");
    writeFile("elsewhere/zembrot.exe", "#!/bin/sh\n");
    writeFile("elsewhere/Data/kelo.pod", "TITLE,\"Elsewhere\"\r\nTIMEDELAY,40000\r\n");
    writePicture("elsewhere/Data/logo.bmp", 8, 8, Qt::red);
    WorkIn elsewhere(folder / "elsewhere");

    const menu::FolderCheck check = runCheck();
    EXPECT_EQ(std::filesystem::current_path(), folder / "elsewhere");
    ASSERT_TRUE(check.startupSucceeds()) << *check.report;
    EXPECT_EQ(check.records, std::vector<std::string>{"line 1  TITLE  \"Checked\""});
    EXPECT_EQ(count(check.warnings, "zembrot.exe does not exist in the game folder"), 1);
    EXPECT_EQ(count(sequence(check, "Play").lines, "looks for Data\\logo.bmp: not there"), 1);
    EXPECT_EQ(count(sequence(check, "Play").lines, "zembrot.exe cannot start"), 1);
}

TEST_F(FolderCheckTest, AMissingScriptIsReportedAsFoundBelowTheGameFolder) {
    writeGame();
    const menu::FolderCheck check = runCheck();
    ASSERT_FALSE(check.startupSucceeds());
    EXPECT_EQ(*check.report, "File not found: Data/kelo.pod (looked in " + folder.string() + ")");
    EXPECT_FALSE(check.passes());

    // Started there, the launcher learns the folder with its links resolved.
    const std::filesystem::path link = folder.string() + "-link";
    std::filesystem::create_directory_symlink(folder, link);
    const menu::FolderCheck throughLink = menu::checkGameFolder(link, view::requirePicture);
    std::filesystem::remove(link);
    EXPECT_EQ(throughLink.report, check.report);
}

// A file that is there but no picture stops start-up as a missing one does,
// though no warning says it is missing; the records after it are still listed.
TEST_F(FolderCheckTest, AButtonPictureNoReaderTakesStopsStartUpAtItsLine) {
    writeGame();
    writeFile("Data/play.bmp", "BM but no picture follows");
    writeScript("TITLE,\"Zembrot\"\nCMD1P,Data\\play.bmp\nCMD5,\"Quit\"\n");
    const menu::FolderCheck check = runCheck();
    ASSERT_FALSE(check.startupSucceeds());
    for (const char* part : {"Invalid picture", "Data/play.bmp", "line 2", "CMD1P"})
        EXPECT_NE(check.report->find(part), std::string::npos) << part << " in " << *check.report;
    EXPECT_EQ(count(check.warnings, "play.bmp"), 0) << check.text();
    EXPECT_EQ(count(check.records, "line 3  CMD5"), 1) << check.text();
    EXPECT_TRUE(check.sequences.empty());
}

// Start-up never reads the logo; Play does, and ends in the message box.
TEST_F(FolderCheckTest, ALogoNoReaderTakesEndsPlayInTheMessageBox) {
    writeGame();
    writeFile("Data/logo.bmp", "not a picture");
    writeScript("TITLE,\"Zembrot\"\nTIMEDELAY,2\n");
    const menu::FolderCheck check = runCheck();
    ASSERT_TRUE(check.startupSucceeds()) << *check.report;
    const auto& play = sequence(check, "Play").lines;
    EXPECT_EQ(count(play, "looks for Data\\logo.bmp: found"), 1);
    EXPECT_EQ(count(play, "the message box \"Missing File\" shows"), 1);
    EXPECT_EQ(count(play, "waits"), 0) << "Play went on past the logo";
    EXPECT_EQ(play.back().substr(11), "the start window closes");
}

TEST_F(FolderCheckTest, TheTimelineCarriesTheScriptsDelaysAndSlides) {
    writeGame();
    writePicture("Data/logo.bmp", 8, 8, Qt::red);
    writeScript("TIMEDELAY,2\nTIMEDELAY3,1\nSLIDE,2\nSPTIM,3\nBSND,0\n");
    const menu::FolderCheck check = runCheck();
    ASSERT_TRUE(check.startupSucceeds()) << *check.report;

    const std::vector<std::string> play = {
        "   0.00 s  looks for Data\\logo.bmp: found",
        "   0.00 s  waits 2 s",
        "   2.00 s  looks for data\\test.avi: not there",
        "   2.00 s  media: close names nothing, so nothing happens",
        "   2.00 s  zembrot.exe starts natively",
        "   2.00 s  waits 1 s",
        "   3.00 s  the player's keyboard and mouse are blocked",
        "   3.00 s  keys: Space",
        "   3.00 s  waits 3 s",
        "   6.00 s  keys: Space",
        "   6.00 s  waits 3 s",
        "   9.00 s  the player's keyboard and mouse are released",
        "   9.00 s  keys: Alt+G",
        "   9.00 s  waits 1 s",
        "  10.00 s  keys: Enter",
        "  10.00 s  the start window closes; the launcher ends",
    };
    EXPECT_EQ(sequence(check, "Play").lines, play);
    const auto& s = sequence(check, "S key").lines;
    EXPECT_EQ(count(s, "   1.00 s  zembrot.exe starts natively"), 1);
    EXPECT_EQ(count(s, "keys: Space"), 0);  // the skip sends no slides
    EXPECT_EQ(count(sequence(check, "Setup").lines, "   1.00 s  keys: Down \u00d76"), 1);
    EXPECT_EQ(count(sequence(check, "Start").lines, "keys: Space"), 2);
}

TEST_F(FolderCheckTest, AScriptStartUpWouldStopOnGivesItsReportAndNoTimeline) {
    writeGame();
    writeScript("TITLE,\"Zembrot\"\nCMD1P,Data\\missing.bmp\n");
    const menu::FolderCheck check = runCheck();
    ASSERT_FALSE(check.startupSucceeds());
    EXPECT_NE(check.report->find("missing.bmp"), std::string::npos) << *check.report;
    EXPECT_EQ(count(check.warnings, "CMD1P names the picture Data\\missing.bmp, which does not exist"), 1);
    EXPECT_TRUE(check.sequences.empty());
}

TEST_F(FolderCheckTest, ScriptBytesInMemoryStandForTheFileAndNothingIsWritten) {
    writeGame();
    const menu::FolderCheck check = runCheck(std::string("TIMEDELAY,40000\r\n"));
    ASSERT_FALSE(check.startupSucceeds());
    EXPECT_NE(check.report->find("Overflow"), std::string::npos) << *check.report;
    EXPECT_FALSE(std::filesystem::exists(folder / "Data" / "kelo.pod"));
}

#ifdef LORVANE_PATH
TEST_F(FolderCheckTest, TheProgramChecksWithoutADisplayAndExitsOneWhenStartUpWouldStop) {
    writeGame();
    auto run = [&] {
        using testing_support::Output;
        testing_support::ChildProcess check({.arguments = {LORVANE_PATH, "--check"},
                                             .folder = folder,
                                             .environment = {{"DISPLAY", std::nullopt},
                                                             {"WAYLAND_DISPLAY", std::nullopt},
                                                             {"QT_QPA_PLATFORM", std::nullopt}},
                                             .out = Output::capture(),
                                             .err = Output::capture()});
        const int status = check.waitForExit(std::chrono::seconds(60)).value_or(-1);
        return std::make_pair(status, check.output() + check.errors());
    };
    writeScript("TITLE,\"Zembrot\"\n");
    auto [good, goodOutput] = run();
    EXPECT_EQ(good, 0) << goodOutput;
    EXPECT_NE(goodOutput.find("Start-up would show the start screen."), std::string::npos) << goodOutput;
    EXPECT_NE(goodOutput.find("keys: Alt+G"), std::string::npos) << goodOutput;

    writeScript("TIMEDELAY,40000\n");
    auto [bad, badOutput] = run();
    EXPECT_EQ(bad, 1) << badOutput;
    EXPECT_NE(badOutput.find("Start-up would stop: Overflow"), std::string::npos) << badOutput;

    // A script in another encoding is named and fails, whether or not
    // start-up would take records from it.
    const std::string text = "TITLE,\"Caf\xC3\xA9\"\r\nTIMEDELAY,2\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : std::string("TITLE,\"Zembrot\"\r\n")) utf16 += std::string{c, '\0'};
    for (const auto& [bytes, named] : std::vector<std::pair<std::string, std::string>>{
             {text, "UTF-8 without a byte-order mark: the launcher reads Windows-1252, so \"\xC3\xA9\" shows as \"\xC3\x83\xC2\xA9\""},
             {utf16, "UTF-16 (little-endian) with a byte-order mark: the launcher reads Windows-1252 and finds no keyword"},
             {utf16.substr(2), "UTF-16 (little-endian) without a byte-order mark"}}) {
        writeFile("Data/kelo.pod", bytes);
        auto [status, output] = run();
        EXPECT_EQ(status, 1) << output;
        EXPECT_NE(output.find("The script is saved as " + named), std::string::npos) << output;
    }
}
#endif

TEST_F(FolderCheckTest, ALongValueIsQuotedByItsStartAndLength) {
    writeGame();
    const menu::FolderCheck check =
        runCheck("TITLE," + std::string(100000, 'x') + "\r\n");
    ASSERT_EQ(check.records.size(), 1u);
    EXPECT_EQ(check.records[0], "line 1  TITLE  \"" + std::string(57, 'x') + "...\" (100000 characters)");
    EXPECT_TRUE(check.passes());
    EXPECT_FALSE(runCheck(std::string(";only a comment\r\n")).passes());
}

