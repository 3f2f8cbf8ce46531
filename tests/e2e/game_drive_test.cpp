// The game drive with games and desktops as players have them: a game that
// says nothing of its process, one that reads keys only a while after its
// window shows, one that drops its window and runs on; i3, whose frames
// bypass redirection, and openbox, with the player clicking the start window
// and typing on the server's own devices while the block holds.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "game_folder.h"
#include "launcher_layout.h"
#include "window_managers.h"

#include <X11/Xutil.h>

using namespace std::chrono_literals;
using namespace desktop_driver;
using testing_support::processesWorkingIn;
using e2e::WindowManager;

namespace {

const std::string kPlayKeys = "Space\nSpace\nSpace\nAlt+G\nReturn\n";
const std::string kSkipKeys = "Alt+G\nReturn\n";

// A variable of the game's, set while the launcher starts (the launcher
// hands its own environment on).
class GameHabit {
public:
    GameHabit(const std::string& name, const std::string& value) : name_(name) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    ~GameHabit() { unsetenv(name_.c_str()); }

private:
    std::string name_;
};

// A private X server with a window manager on it, and a game folder.
struct Desktop {
    explicit Desktop(WindowManager kind, const script::EditorSnapshot& menu = e2e::testMenu())
        : game(e2e::menuScriptFor(menu)), windowManager(kind, x, game.path()) {}

    QRect startWindow() {
        auto start = x.waitForWindow(layout::startTitle, 20s);
        if (!start) return {};
        sleepFor(1200ms);  // the presentation's first pause
        return x.geometry(*start);
    }

    testing_support::XvfbServer server;
    XSession x;
    e2e::GameFolder game;
    e2e::WindowManagerRun windowManager;
};

// The start window stays up through Play: no logo, no clip.
void withoutIntro(e2e::GameFolder& game) {
    std::filesystem::remove(game.path() / "Data" / "logo.bmp");
    std::filesystem::remove(game.path() / "Data" / "test.avi");
}

bool hasLine(const std::string& text, const std::string& line) { return text.find(line) != std::string::npos; }

// S on the start screen: the game gets its two keys and the launcher ends well.
void skipToTheGame(Desktop& d) {
    auto& launcher = d.game.startLauncher();
    ASSERT_TRUE(d.startWindow().isValid()) << d.game.launcherStderr();
    d.x.key("s");
    EXPECT_EQ(e2e::waitForKeyLog(d.game, kSkipKeys, 15s), kSkipKeys) << d.game.launcherStderr();
    EXPECT_EQ(launcher.waitForExit(10s), 0) << d.game.launcherStderr();
}

// The window asks the window manager for no keyboard focus.
bool takesNoFocus(XSession& x, Window window) {
    XWMHints* hints = XGetWMHints(x.display(), window);
    const bool noFocus = hints && (hints->flags & InputHint) && !hints->input;
    if (hints) XFree(hints);
    return noFocus;
}

}  // namespace

// Plain Xlib programs set no process id on their window and take no focus
// themselves; this one maps its window the moment it runs.
TEST(GameDrive, AGameThatSetsNoProcessIdGetsItsKeys) {
    for (const WindowManager kind : {WindowManager::Bare, WindowManager::I3}) {
        if (!e2e::available(kind)) continue;
        SCOPED_TRACE(e2e::nameOf(kind));
        Desktop d(kind);
        ASSERT_TRUE(d.windowManager.ready());
        GameHabit plain("ZEMBROT_PLAIN", "1");
        skipToTheGame(d);
    }
}

// Like an emulator starting up: the window is there long before the game
// reads the keyboard, and it lists no ping. The skip key sends Alt+G at
// once after the start, so the launcher must wait for the game.
TEST(GameDrive, AGameThatReadsKeysLateGetsEveryKeyOnTheSkipPath) {
    auto menu = e2e::testMenu();
    menu.text[1] = "0";  // TIMEDELAY3: no pause between the start and Alt+G
    Desktop d(WindowManager::Bare, menu);
    GameHabit late("ZEMBROT_READS_KEYS_AFTER_MS", "800");
    skipToTheGame(d);
    EXPECT_FALSE(hasLine(d.game.launcherStderr(), "lost")) << d.game.launcherStderr();
}

// The game hides its window at the first Space and runs on: the player gets
// the keyboard back at once instead of after two minutes, and is told why.
TEST(GameDrive, AGameThatDropsItsWindowFreesThePlayerAndIsReported) {
    auto menu = e2e::testMenu();
    menu.text[8] = "4";  // SPTIM: the block would hold 12 seconds
    Desktop d(WindowManager::Bare, menu);
    withoutIntro(d.game);
    GameHabit closing("ZEMBROT_CLOSES_WINDOW", "1");
    auto& launcher = d.game.startLauncher();
    const QRect area = d.startWindow();
    ASSERT_TRUE(area.isValid()) << d.game.launcherStderr();
    d.x.click(area.topLeft() + layout::command1.center());
    ASSERT_EQ(e2e::waitForKeyLog(d.game, "Space\n", 15s), "Space\n") << d.game.launcherStderr();
    EXPECT_TRUE(waitFor([&] { return e2e::playersKeyboardFree(d.x); }, 4s)) << "the block still holds";
    EXPECT_TRUE(waitFor([&] {
        return hasLine(d.game.launcherStderr(), "zembrot.exe closed its window before it took its keys");
    }, 4s)) << d.game.launcherStderr();
    EXPECT_FALSE(processesWorkingIn(d.game.path()).empty());
    EXPECT_TRUE(launcher.running()) << "the report stays until the player ends it";
    EXPECT_EQ(d.game.keyLog(), "Space\n");
}

// Play with the start window up all the while: during the block the player
// clicks it and types, with the server's own mouse and keyboard. Neither
// the click nor the key reaches anything, and the game gets exactly its keys.
TEST(GameDrive, ThePlayersClickAndKeyDuringTheBlockChangeNothing) {
    for (const WindowManager kind : {WindowManager::I3, WindowManager::Openbox}) {
        if (!e2e::available(kind)) continue;
        SCOPED_TRACE(e2e::nameOf(kind));
        auto menu = e2e::testMenu();
        menu.text[8] = "2";  // SPTIM: time to click between the Spaces
        Desktop d(kind, menu);
        ASSERT_TRUE(d.windowManager.ready());
        withoutIntro(d.game);
        auto& launcher = d.game.startLauncher();
        QRect area = d.startWindow();
        ASSERT_TRUE(area.isValid()) << d.game.launcherStderr() << d.windowManager.log();
        d.x.click(area.topLeft() + layout::command1.center());
        ASSERT_TRUE(waitFor([&] { return hasLine(d.game.keyLog(), "Space"); }, 15s)) << d.game.launcherStderr();
        auto start = d.x.findWindow(layout::startTitle);
        ASSERT_TRUE(start) << "the start window went before the drive ended";
        area = d.x.geometry(*start);
        EXPECT_TRUE(waitFor([&] { return takesNoFocus(d.x, *start); }, 2s)) << "the start window takes the focus";
        d.x.movePointer(area.topLeft() + layout::command3.center());  // Help, were it live
        d.x.clickOnDevice("Xvfb mouse");
        d.x.keyOnDevice("Xvfb keyboard", "x");
        EXPECT_EQ(e2e::waitForKeyLog(d.game, kPlayKeys, 20s), kPlayKeys) << d.game.launcherStderr();
        EXPECT_EQ(launcher.waitForExit(10s), 0) << d.game.launcherStderr();
        EXPECT_FALSE(d.x.findWindow(layout::helpTitle)) << "the click reached the launcher";
    }
}

// i3 frames every window in one that bypasses redirection; the game's window
// is found all the same, on Play with its clip and on the skip key.
TEST(GameDrive, UnderI3PlayAndTheSkipKeyDriveTheGame) {
    if (!e2e::available(WindowManager::I3)) GTEST_SKIP() << "i3 is not installed";
    {
        Desktop d(WindowManager::I3);
        ASSERT_TRUE(d.windowManager.ready());
        auto& launcher = d.game.startLauncher();
        const QRect area = d.startWindow();
        ASSERT_TRUE(area.isValid()) << d.game.launcherStderr();
        d.x.click(area.topLeft() + layout::command1.center());
        EXPECT_EQ(e2e::waitForKeyLog(d.game, kPlayKeys, 25s), kPlayKeys) << d.game.launcherStderr();
        EXPECT_EQ(launcher.waitForExit(10s), 0) << d.game.launcherStderr();
    }
    {
        Desktop d(WindowManager::I3);
        ASSERT_TRUE(d.windowManager.ready());
        skipToTheGame(d);
    }
}

// Another program takes the focus in the middle of the drive, as a desktop's
// own window switching would: the launcher waits, gets the focus back for the
// game and goes on, and not one key reaches the other program.
TEST(GameDrive, WhenTheFocusLeavesTheGameTheKeysWaitUntilItIsBack) {
    if (!e2e::available(WindowManager::Openbox)) GTEST_SKIP() << "openbox is not installed";
    auto menu = e2e::testMenu();
    menu.text[8] = "2";  // SPTIM
    Desktop d(WindowManager::Openbox, menu);
    ASSERT_TRUE(d.windowManager.ready());
    Display* display = d.x.display();
    const ::Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 100, 0, 0, 0);
    XStoreName(display, other, "Other program");
    XSelectInput(display, other, KeyPressMask);
    XMapWindow(display, other);
    XSync(display, False);
    ASSERT_TRUE(d.x.waitForWindow("Other program", 20s)) << d.windowManager.log();

    auto& launcher = d.game.startLauncher();
    const QRect area = d.startWindow();
    ASSERT_TRUE(area.isValid()) << d.game.launcherStderr();
    d.x.click(area.topLeft() + layout::command1.center());
    ASSERT_TRUE(waitFor([&] { return hasLine(d.game.keyLog(), "Space"); }, 20s)) << d.game.launcherStderr();
    d.x.focus(other);
    EXPECT_EQ(d.x.focusedWindow(), other);
    EXPECT_EQ(e2e::waitForKeyLog(d.game, kPlayKeys, 20s), kPlayKeys) << d.game.launcherStderr();
    EXPECT_EQ(launcher.waitForExit(10s), 0) << d.game.launcherStderr();
    int keysToOther = 0;
    XEvent event;
    while (XCheckWindowEvent(display, other, KeyPressMask, &event)) ++keysToOther;
    EXPECT_EQ(keysToOther, 0);
}
