// Reading the menu script at start-up: what it keeps, and what stops it.
#include <QImageReader>
#include <optional>
#include <sys/stat.h>

#include "counting_file_queries.h"
#include "view/folder_files.h"
#include "view/picture_files.h"
#include "launcher_fixture.h"

namespace launcher_tests {
namespace {

using launcher::start;

TEST_F(LauncherTest, CommentsAndBlankLinesAloneRunNoPass) {
    writeScript(";Date Compiled-x\n;\n\n   \n;Do NOT Place Comments on Same Line as Commands\n");
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    EXPECT_EQ(w.menu().settingsPasses(), 0);
    EXPECT_EQ(w.backgroundColour(), QColor(0, 0, 255));
    EXPECT_EQ(w.Label5->text(), "");
    EXPECT_EQ(w.Label1->geometry(), QRect(48, 40, 217, 41));
    EXPECT_EQ(w.menu().intButtonSoundOn, 0);
    EXPECT_EQ(w.menu().strTitle2, "");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(LauncherTest, EveryFieldTakenRunsOnePass) {
    // TITLE record, FOO and bar as two unknown fields, the comment skipped.
    writeScript("TITLE,\"A\"\nFOO,bar\n;comment\nBSND,1\nTITLE2,\"B\"\n");
    // The first wait is the one after the window is shown.
    std::optional<int> passesWhenShown;
    system.after(0, [&] {
        if (window().isVisible()) passesWhenShown = window().menu().settingsPasses();
    });
    start& w = load();
    EXPECT_EQ(w.menu().settingsPasses(), 5);
    EXPECT_EQ(w.menu().intButtonSoundOn, 1);
    EXPECT_EQ(w.menu().strTitle2, "B");
    // The window appears only after the last pass.
    EXPECT_EQ(passesWhenShown, 5);
}

// Each start-up looks its files up afresh, through folder files of its own
// whose questions to the file system are counted.
class CountedStartUpTest : public LauncherTest {
protected:
    testing_support::CountingFileQueries startUp() {
        testing_support::CountingFileQueries queries;
        windows = std::make_unique<launcher::LauncherWindows>(system);
        windows->startupFiles = std::make_unique<view::FolderFiles>(folder, queries);
        load();
        EXPECT_FALSE(startupFailure) << startupFailure->report();
        EXPECT_FALSE(windows->startupFiles) << "the start-up took its files";
        return queries;
    }
    void addDataFiles(int count) {
        for (int i = 0; i < count; ++i) writeFile("Data/level" + std::to_string(i) + ".dat", "");
    }
};

// The pass asks after the background picture after every record, and the
// script may name each picture many times: every file is looked up once,
// and a folder's names are read only when a name is not spelled as on disk.
TEST_F(CountedStartUpTest, EachNamedFileIsLookedUpOnce) {
    std::string script;
    for (int i = 0; i < 40; ++i) script += "TITLE,\"t" + std::to_string(i) + "\"\nCMD1P,Data\\play.bmp\n";
    writeScript(script + "BACKCOLOR,0,128,0\nCMD5P,Data\\quit.bmp\nCMD3V,True\nCMD3P,Data\\Help.BMP\n");
    writePicture("Data/play.bmp", 8, 6, Qt::red);
    writePicture("Data/quit.bmp", 8, 6, Qt::green);
    writePicture("Data/help.bmp", 8, 6, Qt::blue);

    const auto spelledOff = startUp();
    EXPECT_EQ(window().menu().settingsPasses(), 84);
    EXPECT_EQ(window().backgroundColour(), QColor(0, 128, 0));
    EXPECT_EQ(window().Command3->picture().size(), QSize(8, 6));
    EXPECT_EQ(spelledOff.mostAskedOnePath(), 1);
    EXPECT_EQ(spelledOff.passesOver(folder / "Data"), 1);  // Help.BMP and the missing background

    // Every name as it is on disk: no folder is read at all.
    writeScript(script + "BACKCOLOR,0,128,0\nCMD5P,Data\\quit.bmp\n");
    writePicture("Data/background.bmp", 20, 10, Qt::red);
    const auto exact = startUp();
    EXPECT_EQ(window().Image1->pixmap().size(), QSize(20, 10));
    EXPECT_EQ(exact.mostAskedOnePath(), 1);
    EXPECT_TRUE(exact.folderPasses.empty());
    // After the start-up, the window asks the platform afresh.
    EXPECT_TRUE(window().FileExists(start::kBackgroundPicture));
    EXPECT_EQ(system.count("exists Data\\background.bmp"), 1);
}

// A large Data folder costs a start-up no more questions than a small one.
TEST_F(CountedStartUpTest, TheQuestionsDoNotGrowWithTheDataFolder) {
    writeScript("TITLE,\"Zembrot\"\nCMD1P,Data\\play.bmp\nCMD5P,Data\\Quit.bmp\nBGMID,Data\\theme.mid\n");
    writePicture("Data/play.bmp", 8, 6, Qt::red);
    writePicture("Data/quit.bmp", 8, 6, Qt::green);

    const auto small = startUp();
    addDataFiles(500);
    const auto large = startUp();
    EXPECT_EQ(large.total(), small.total());
    EXPECT_EQ(large.kindQuestions, small.kindQuestions);
    EXPECT_EQ(large.passesOver(folder / "Data"), 1);
    EXPECT_EQ(large.mostAskedOnePath(), 1);
}

TEST_F(LauncherTest, LowerCaseKeywordsReadLikeUpperCase) {
    writeScript("title,\"Zembrot\"\nbackcolor,10,20,30\nsptim,4\ncmd1,Go\ncmd1bc,1,2,3\n");
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    EXPECT_EQ(w.Label1->text(), "Zembrot");
    EXPECT_EQ(w.backgroundColour(), QColor(10, 20, 30));
    EXPECT_EQ(w.menu().intSplashTime, 4);
    EXPECT_EQ(w.Command1->text(), "Go");
    EXPECT_EQ(w.Command1->faceColour(), QColor(1, 2, 3));
}

TEST_F(LauncherTest, WindowFieldsComeFromTheirKeywords) {
    writeScript("TIMEDELAY,3\nTIMEDELAY3,4\nBSND,1\nBSNDH,Data\\click.wav\nLBL1,Other\nSPTIM,2\n"
                "SLIDE,5\nBGWAV,Data\\a.wav\nBGMID,Data\\b.mid\nPLAWV,Data\\p.wav\nTITLE,\"One\"\nTITLE,\"Two\"\n");
    start& w = load();
    EXPECT_EQ(w.menu().intTimeDelay, 3);
    EXPECT_EQ(w.menu().intTimeDelay3, 4);
    EXPECT_EQ(w.menu().intButtonSoundOn, 1);
    EXPECT_EQ(w.menu().strClickSoundFile, "Data\\click.wav");
    EXPECT_EQ(w.menu().strLbl1, "Other");
    EXPECT_EQ(w.menu().intSplashTime, 2);
    EXPECT_EQ(w.menu().intSlides, 5);
    EXPECT_EQ(w.menu().strBgWave, "Data\\a.wav");
    EXPECT_EQ(w.menu().strBgMidi, "Data\\b.mid");
    EXPECT_EQ(w.Label1->text(), "Two");  // the later record wins
}

TEST_F(LauncherTest, OddValuesThatAreNoFailure) {
    // No FONTSIZE: size 1. A word for a number: 0. A component above 255: 255.
    writeScript("TIMEDELAY,five\nBACKCOLOR,300,0,0\nTITLE,\"x\"\n");
    start& w = load();
    ASSERT_FALSE(startupFailure);
    EXPECT_EQ(w.Label1->font().pointSizeF(), 1.0);
    EXPECT_EQ(w.Label2->font().pointSizeF(), 1.0);
    EXPECT_EQ(w.menu().intTimeDelay, 0);
    EXPECT_EQ(w.backgroundColour(), QColor(255, 0, 0));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(LauncherTest, InfopIsDroppedFieldByField) {
    writeScript("INFOP,Data\\help.bmp\nTITLE,\"x\"\n");
    start& w = load();
    ASSERT_FALSE(startupFailure);
    EXPECT_EQ(w.Label1->text(), "x");
    EXPECT_EQ(w.menu().settingsPasses(), 3);
}

// Each failure stops start-up before anything shows, naming what to fix: the
// failure, the file as this system knows it, where it was looked for, the line.
TEST_F(LauncherTest, StartUpFailuresShowNothingAndNameTheirPlace) {
    using K = script::FailureKind;
    struct Case {
        const char* script;
        K kind;
        std::string report;
    };
    const std::string here = " (looked in " + folder.string() + ")";
    const Case cases[] = {
        {"TITLE,\"x\"\nTIMEDELAY,40000\n", K::Overflow,
         "Overflow in Data/kelo.pod, line 2: TIMEDELAY 40000 is outside -32768..32767"},
        {"BACKCOLOR,0,0\nTITLE,\"x\"\n", K::TypeMismatch,
         "Type mismatch in Data/kelo.pod, line 1: BACKCOLOR \"TITLE\" is not a number"},
        {"CMD1BC,0,70000,0\n", K::Overflow,
         "Overflow in Data/kelo.pod, line 1: CMD1BC 70000 is outside -32768..32767"},
        {"FTB,maybe\n", K::TypeMismatch,
         "Type mismatch in Data/kelo.pod, line 1: FTB \"maybe\" is not True, False or a number"},
        {"", K::InputPastEndOfFile, "Input past end of file in Data/kelo.pod, line 1"},
        {"TITLE,\"x\"\nCMD1BC,1,2\n", K::InputPastEndOfFile,
         "Input past end of file in Data/kelo.pod, line 2: CMD1BC needs three values"},
        {"TITLE,\"x\"\nCMD5P,Data\\stop.bmp\n", K::FileNotFound,
         "File not found: Data/stop.bmp" + here + ", named by CMD5P in Data/kelo.pod, line 2"},
        {"CMD2P,data\\BAD.bmp\n", K::InvalidPicture,
         "Invalid picture: Data/bad.bmp cannot be read as a picture: unsupported image format (data\\BAD.bmp, in " +
             folder.string() + "), named by CMD2P in Data/kelo.pod, line 1"},
        {nullptr, K::FileNotFound, "File not found: Data/kelo.pod" + here},
    };
    writeFile("Data/bad.bmp", "this is no picture");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script ? c.script : "no script");
        if (c.script) writeScript(c.script);
        else std::filesystem::remove(folder / "Data/kelo.pod");
        windows = std::make_unique<launcher::LauncherWindows>(system);
        system.calls.clear();
        startupFailure.reset();
        start& w = load();
        ASSERT_TRUE(startupFailure);
        EXPECT_EQ(startupFailure->kind(), c.kind);
        EXPECT_EQ(startupFailure->report(), c.report);
        EXPECT_FALSE(w.isVisible());
        EXPECT_FALSE(system.called("wait 0.95"));
    }
}

// Decoded ahead while the script is read: what the first frame draws. The
// help picture waits for Help.
TEST(PicturesNamedIn, AreTheStartScreensPicturesOnly) {
    EXPECT_EQ(view::picturesNamedIn("CMD1P,Data\\play.bmp\r\nINFOP,Data\\help.bmp\r\nCMD5P,Data\\\r\n"
                                        "CMD2P,Data\\setup.bmp\r\n"),
              (std::vector<std::string>{"Data\\background.bmp", "Data\\play.bmp", "Data\\setup.bmp"}));
}

// A picture is read as what its first bytes say it is, whatever its name.
TEST_F(LauncherTest, PicturesAreReadAsTheirFirstBytesSay) {
    writePicture("Data/plain.bmp", 8, 6, Qt::red);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(QString::fromStdString((folder / "Data/png.bmp").string()), "PNG"));
    ASSERT_TRUE(image.save(QString::fromStdString((folder / "Data/jpeg.bmp").string()), "JPEG", 100));
    for (const char* name : {"Data\\plain.bmp", "Data\\png.bmp", "Data\\jpeg.bmp"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(view::loadPicture(name).size(), QSize(8, 6));
    }
    writeFile("Data/torn.bmp", "BM and nothing a bitmap needs");
    try {
        view::loadPicture("Data\\torn.bmp");
        ADD_FAILURE() << "a torn bitmap was read";
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.kind(), script::FailureKind::InvalidPicture);
    }
}

// The readers refuse a picture whose pixels would take too much memory; the
// report says that it is the size, not damage.
TEST_F(LauncherTest, APictureTooLargeToDecodeSaysItsSizeAndTheLimit) {
    std::string header = "BM";
    auto put32 = [&header](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put32(54 + 3u * 12000 * 12000), put32(0), put32(54);  // file size, reserved, pixel offset
    put32(40), put32(12000), put32(12000);                   // info header: size, width, height
    header += std::string("\1\0\x18\0", 4);                  // one plane, 24 bits
    put32(0), put32(0), put32(2835), put32(2835), put32(0), put32(0);
    writeFile("Data/huge.bmp", header);
    try {
        view::loadPicture("Data\\huge.bmp");
        ADD_FAILURE() << "a picture beyond the limit was read";
    } catch (const script::Failure& failure) {
        EXPECT_EQ(failure.kind(), script::FailureKind::InvalidPicture);
        EXPECT_NE(failure.report().find("12000 \u00d7 12000 pixels"), std::string::npos) << failure.report();
        EXPECT_NE(failure.report().find(std::to_string(QImageReader::allocationLimit()) + " MB"), std::string::npos)
            << failure.report();
    }
}

// A pipe where the script belongs would hold an ordinary open() forever.
TEST_F(LauncherTest, AScriptThatIsAPipeFailsAtOnceNamingIt) {
    std::filesystem::remove(folder / "Data/kelo.pod");
    ASSERT_EQ(mkfifo((folder / "Data/kelo.pod").c_str(), 0644), 0);
    start& w = load();
    ASSERT_TRUE(startupFailure);
    EXPECT_EQ(startupFailure->report(),
              "Path/File access error: Data/kelo.pod is a pipe, not a file (in " + folder.string() + ")");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(LauncherTest, PicturesAreFoundWhateverTheirLetterCase) {
    writePicture("Data/PLAY.BMP", 10, 10, Qt::red);
    writeScript("CMD1P,Data\\play.bmp\n");
    start& w = load();
    ASSERT_FALSE(startupFailure) << startupFailure->report();
    EXPECT_FALSE(w.Command1->picture().isNull());
}

}  // namespace
}  // namespace launcher_tests
