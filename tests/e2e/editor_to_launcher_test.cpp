// A packager types a menu into Varno, compiles it, and the script it writes
// is the start screen Lorvane shows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game_folder.h"
#include "launcher_layout.h"
#include "picture_match.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace desktop_driver;
using testing_support::ChildProcess;
using testing_support::readFile;

namespace {

// What goes into each stop of the editor's tab order: text for a field,
// "[x]" to tick a check box, "" to pass over.
const std::vector<std::string> typedInTabOrder = {
    "1",             // Text2  TIMEDELAY
    "1",             // Text1  TIMEDELAY3
    "Test Game",     // Text3  TITLE
    "Line Two",      // Text4  TITLE2
    "0,0,128",       // Text5  BACKCOLOR
    "Comic Sans MS", // Text9  FNT
    "255,255,0",     // Text10 LBL1-2
    "18",            // Text11 FONTSIZE
    "[x]",           // Check1 FTB
    "",              // Check2 SPLASH
    "Hello, player", // Text7  SPLTXT
    "1",             // Text8  SPTIM
    "3",             // Text12 SLIDE
    "",              // Check3 CMD7V
    "0,200,0",       // Text13 CMD1BC
    "Play",          // Text14 CMD1
    "",              // Text15 CMD1P
    "200,100,0",     // Text16 CMD2BC
    "Setup",         // Text17 CMD2
    "",              // Text18 CMD2P
    "[x]",           // Check4 CMD2V
    "0,100,255",     // Text19 CMD3BC
    "Help",          // Text20 CMD3
    "",              // Text21 CMD3P
    "200,0,0",       // Text22 CMD5BC
    "Stop",          // Text23 CMD5
    "",              // Text24 CMD5P
    "help.bmp",      // Text25 INFOP
    "",              // Check5 (placeholder)
    "click.wav",     // Text6  BSNDH
    "[x]",           // Check6 BSND
    "[x]",           // Check7 CMD3V
    "", "", "", "",  // Text26 .. Text29 mouse-over sounds
    "",              // Check8 (placeholder)
    "",              // Text30 BGWAV
    "",              // Text31 BGMID
    "",              // Command3 Load Data
};  // the next stop is Command2, Compile/Save

// The 37 records with their comment lines, as each file must carry them.
std::vector<std::string> expectedRecords(bool stateFile) {
    auto colour = [stateFile](const std::string& c) { return stateFile ? "\"" + c + "\"" : c; };
    auto caption = colour;
    auto path = [stateFile](const std::string& p) { return stateFile ? p : "Data\\" + p; };
    auto picture = [stateFile](const std::string& p) { return stateFile ? "\"" + p + "\"" : "Data\\" + p; };
    auto flag = [stateFile](bool b) { return stateFile ? std::string(b ? "1" : "0") : std::string(b ? "True" : "False"); };
    const std::vector<std::pair<std::string, std::string>> records = {
        {"TIMEDELAY", "1"}, {"TIMEDELAY3", "1"}, {"TITLE", "\"Test Game\""}, {"TITLE2", "\"Line Two\""},
        {"BACKCOLOR", colour("0,0,128")}, {"FNT", "Comic Sans MS"}, {"LBL1-2", colour("255,255,0")},
        {"FONTSIZE", "18"}, {"FTB", flag(true)}, {"INFOP", path("help.bmp")}, {"SPLTXT", "\"Hello, player\""},
        {"SPTIM", "1"}, {"SLIDE", "3"}, {"CMD3V", flag(true)}, {"CMD7V", flag(false)}, {"SPLASH", "0"},
        {"CMD1BC", colour("0,200,0")}, {"CMD2BC", colour("200,100,0")}, {"CMD3BC", colour("0,100,255")},
        {"CMD5BC", colour("200,0,0")}, {"CMD1", caption("Play")}, {"CMD2", caption("Setup")},
        {"CMD3", caption("Help")}, {"CMD5", caption("Stop")}, {"CMD1P", picture("")}, {"CMD2P", picture("")},
        {"CMD3P", picture("")}, {"CMD5P", picture("")}, {"CMD2V", flag(true)}, {"BGWAV", path("")},
        {"BGMID", path("")}, {"BSND", "1"}, {"BSNDH", path("click.wav")}, {"PLAWV", path("")},
        {"SETUWV", path("")}, {"HELWV", path("")}, {"STOWV", path("")}};
    std::vector<std::string> lines = {";", ";Do NOT Place Comments on Same Line as Commands"};
    for (const auto& [keyword, value] : records) {
        lines.push_back(keyword + "," + value);
        lines.push_back(keyword == "CMD2V" ? ";Button Visible = True"
                        : keyword == "BSND" ? ";Sound = 1 No sound = 0"
                                            : ";");
    }
    return lines;
}

// Every line ends with CR LF; the first is the date line.
void expectFile(const std::string& bytes, bool stateFile) {
    ASSERT_GE(bytes.size(), 2u);
    ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), 77u);
    EXPECT_EQ(lines[0].rfind(";Date Compiled-", 0), 0u) << lines[0];
    EXPECT_GT(lines[0].size(), std::string(";Date Compiled-").size());
    const std::vector<std::string> rest(lines.begin() + 1, lines.end());
    EXPECT_EQ(rest, expectedRecords(stateFile));
}

}  // namespace

TEST(EditorToLauncher, TypedFieldsCompileIntoTheScriptTheLauncherShows) {
    testing_support::XvfbServer server;
    XSession x;
    const fs::path home = e2e::makeTemporaryFolder("varno-home-");
    fs::create_directories(home / "Varno" / "Data");
    setenv("HOME", home.c_str(), 1);

    {
        ChildProcess varno(VARNO_PROGRAM, home);
        auto window = x.waitForWindow("   Varno", 10s);
        ASSERT_TRUE(window) << "the editor's window did not appear";
        sleepFor(500ms);
        // The first field of the tab order has the focus when the window opens.
        x.focus(*window);
        for (const auto& entry : typedInTabOrder) {
            if (entry == "[x]") x.key("space");
            else x.type(entry);
            x.key("Tab");
        }
        e2e::keepScreenshot(x.capture(x.geometry(*window)), "editor-typed");
        x.key("space");  // Compile/Save
        auto box = x.waitForWindow(" Compile", 10s);
        ASSERT_TRUE(box) << "no \"Compile Complete\" message";
        // Both files are in place by the time the message says so.
        EXPECT_TRUE(fs::exists(home / "Varno" / "Data" / "kelo.pod"));
        EXPECT_TRUE(fs::exists(home / "Varno" / "kelo.bak"));
        x.focus(*box);
        x.key("Return");
        ASSERT_TRUE(x.waitUntilGone(" Compile", 5s));
    }  // the editor is ended here
    const std::string menuScript = readFile(home / "Varno" / "Data" / "kelo.pod");
    expectFile(menuScript, false);
    expectFile(readFile(home / "Varno" / "kelo.bak"), true);
    fs::remove_all(home);

    // The script in a game folder: Lorvane's start screen shows its colours.
    e2e::GameFolder game(menuScript);
    auto& launcher = game.startLauncher();
    auto start = x.waitForWindow(layout::startTitle, 10s);
    ASSERT_TRUE(start) << game.launcherStderr();
    sleepFor(1200ms);
    const QImage shot = x.capture(x.geometry(*start));
    e2e::keepScreenshot(shot, "launcher-from-typed-script");
    EXPECT_GT(colourShare(shot, QRect(10, 290, 90, 100), QColor(0, 0, 128)), 0.95) << "background";
    EXPECT_GT(colourShare(shot, layout::label1, QColor(255, 255, 0), 40), 0.02) << "title colour";
    EXPECT_GT(colourShare(shot, layout::command1, QColor(0, 200, 0)), 0.4) << "Play";
    EXPECT_GT(colourShare(shot, layout::command2, QColor(200, 100, 0)), 0.4) << "Setup";
    EXPECT_GT(colourShare(shot, layout::command3, QColor(0, 100, 255)), 0.4) << "Help";
    EXPECT_GT(colourShare(shot, layout::command5, QColor(200, 0, 0)), 0.4) << "Stop";
    x.key("Escape");  // any key but S closes the start window
    EXPECT_EQ(launcher.waitForExit(10s), 0);
    EXPECT_EQ(game.keyLog(), "") << "no game was started";
}
