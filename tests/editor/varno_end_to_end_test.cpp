// The real varno on a private X server: every field typed through synthetic
// keystrokes in tab order, compiled, and the two files' bytes checked.

#include <gtest/gtest.h>

#include "demo_values.h"
#include "editor_test_support.h"
#include "xvfb_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <chrono>
#include <optional>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace editor_testing;

namespace {

// Polls `done` until it holds or `seconds` pass.
bool waitUntil(const std::function<bool()>& done, double seconds = 20) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class Keyboard {
public:
    Keyboard() : display_(XOpenDisplay(nullptr)) {
        // A window listed a moment ago may be gone when asked about (a menu
        // that closed): Xlib's default handler would end the test unclean.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~Keyboard() { if (display_) XCloseDisplay(display_); }
    Display* display() const { return display_; }

    // The top-level window whose title is exactly `title`, or 0.
    Window findWindow(const std::string& title) {
        Window rootReturn, parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        XSync(display_, False);
        if (XQueryTree(display_, DefaultRootWindow(display_), &rootReturn, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* name = nullptr;
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display_, children[i], &attributes) &&
                    attributes.map_state == IsViewable && XFetchName(display_, children[i], &name) && name) {
                    if (title == name) found = children[i];
                    XFree(name);
                }
            }
            if (children) XFree(children);
        }
        return found;
    }

    // No window manager runs here: give the window the keyboard ourselves.
    void focus(Window window) {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        XSync(display_, False);
    }

    void key(KeySym symbol) {
        const KeyCode code = XKeysymToKeycode(display_, symbol);
        const bool shifted = XkbKeycodeToKeysym(display_, code, 0, 0) != symbol;
        const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
        if (shifted) XTestFakeKeyEvent(display_, shift, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        if (shifted) XTestFakeKeyEvent(display_, shift, False, CurrentTime);
        XSync(display_, False);
    }

    // A key with a modifier held: Alt for a menu's mnemonic, Control for a shortcut.
    void keyWith(KeySym modifier, KeySym symbol) {
        const KeyCode held = XKeysymToKeycode(display_, modifier);
        XTestFakeKeyEvent(display_, held, True, CurrentTime);
        key(symbol);
        XTestFakeKeyEvent(display_, held, False, CurrentTime);
        XSync(display_, False);
    }

    void type(const std::string& text) {
        for (unsigned char c : text) key(c == ' ' ? XK_space : static_cast<KeySym>(c));
    }

private:
    Display* display_;
};

// Started by startVarno; ended with what it started when the test ends.
using Program = std::optional<testing_support::ChildProcess>;

testing_support::Screenshot windowShot(Display* display, Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    int left = 0, top = 0;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &left, &top, &child);
    const testing_support::Screenshot screen = testing_support::takeScreenshot();
    testing_support::Screenshot shot;
    shot.width = attributes.width, shot.height = attributes.height;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) shot.pixels.push_back(screen.at(left + x, top + y));
    return shot;
}

// The input controls in tab order: a positive number is TextN, a negative one CheckN.
constexpr int kTabOrder[] = {2,  1,  3,  4,  5,  9,  10, 11, -1, -2, 7,  8,  12, -3, 13, 14, 15, 16, 17, 18,
                             -4, 19, 20, 21, 22, 23, 24, 25, -5, 6,  -6, -7, 26, 27, 28, 29, -8, 30, 31};

// Varno itself, on the test's X server (not Qt's offscreen platform), until
// its main window is there.
void startVarno(Keyboard& keyboard, Program& varno, Window& main, const std::string& gameFolder = {}) {
    testing_support::Command command{.arguments = {VARNO_PROGRAM},
                                     .environment = {{"QT_QPA_PLATFORM", std::nullopt}}};
    if (!gameFolder.empty()) command.arguments.push_back(gameFolder);
    varno.emplace(command);
    const std::string title = gameFolder.empty() ? "   Varno" : "   Varno - " + gameFolder;
    ASSERT_TRUE(waitUntil([&] { return (main = keyboard.findWindow(title)) != 0; }));
}

// The children of process `parent`, from /proc.
std::vector<pid_t> childrenOf(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const std::size_t after = text.rfind(") ");
        if (after == std::string::npos) continue;
        std::istringstream fields(text.substr(after + 2));
        char state;
        pid_t ppid = 0;
        if (fields >> state >> ppid && ppid == parent) children.push_back(std::stoi(name));
    }
    return children;
}

// The demo's fields typed and its boxes ticked, from the focused first
// control through every stop of the tab order.
void typeDemoInTabOrder(Keyboard& keyboard) {
    const auto texts = demoTexts();
    for (int control : kTabOrder) {
        if (control > 0) keyboard.type(texts[control]);
        else if (std::find(kDemoTicked.begin(), kDemoTicked.end(), -control) != kDemoTicked.end())
            keyboard.key(XK_space);
        keyboard.key(XK_Tab);
    }
}

}  // namespace

TEST(VarnoEndToEnd, FieldsTypedInTabOrderCompileToTheExpectedFiles) {
    TempHome home;
    testing_support::XvfbServer server;
    Keyboard keyboard;
    ASSERT_NE(keyboard.display(), nullptr);

    Program varno;
    Window main = 0;
    ASSERT_NO_FATAL_FAILURE(startVarno(keyboard, varno, main));
    keyboard.focus(main);

    typeDemoInTabOrder(keyboard);
    // Now on "Load Data"; the next stop is "Compile/Save".
    keyboard.key(XK_Tab);

    // The window as the packager sees it, for the record.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    windowShot(keyboard.display(), main).savePng(SCREENSHOT_PATH);

    keyboard.key(XK_space);
    Window box = 0;
    ASSERT_TRUE(waitUntil([&] { return (box = keyboard.findWindow(" Compile")) != 0; }));
    // Both files are in place by the time the message says so.
    EXPECT_TRUE(std::filesystem::exists(home.pod()));
    EXPECT_TRUE(std::filesystem::exists(home.bak()));
    keyboard.focus(box);
    keyboard.key(XK_Return);

    EXPECT_EQ(withoutDateLine(readBytes(home.pod())), fileAfterDateLine(demoMenuScriptRecords()));
    EXPECT_EQ(withoutDateLine(readBytes(home.bak())), fileAfterDateLine(demoStateFileRecords()));
    EXPECT_TRUE(readBytes(home.pod()).starts_with(";Date Compiled-"));

    // A whole session of editing never needs the media libraries or the X
    // extensions.
    std::ifstream maps("/proc/" + std::to_string(varno->pid()) + "/maps");
    const std::string loaded((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
    for (const char* library : {"libgst", "libXtst", "libXi.", "liblorvane-desktop"})
        EXPECT_EQ(loaded.find(library), std::string::npos) << library << " is loaded";

    // Back on "Compile/Save": the next stop is "Exit", answered Yes by default.
    ASSERT_TRUE(waitUntil([&] { return keyboard.findWindow(" Compile") == 0; }));
    keyboard.focus(main);
    keyboard.key(XK_Tab);
    keyboard.key(XK_space);
    ASSERT_TRUE(waitUntil([&] { return (box = keyboard.findWindow(" Exit")) != 0; }));
    keyboard.focus(box);
    keyboard.key(XK_Return);
    EXPECT_EQ(varno->waitForExit(std::chrono::seconds(10)), 0);
}

TEST(VarnoEndToEnd, TheStartScreenPreviewFollowsTheFieldsAsTheyAreTyped) {
    TempHome home;
    testing_support::XvfbServer server;
    Keyboard keyboard;
    ASSERT_NE(keyboard.display(), nullptr);

    Program varno;
    Window main = 0;
    ASSERT_NO_FATAL_FAILURE(startVarno(keyboard, varno, main));
    keyboard.focus(main);

    // View > Start Screen Preview, by the keyboard.
    keyboard.keyWith(XK_Alt_L, XK_v);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    keyboard.key(XK_Return);
    Window preview = 0;
    ASSERT_TRUE(waitUntil([&] { return (preview = keyboard.findWindow(" Start Screen Preview")) != 0; }));

    // Typed into the main window, the fields redraw the preview: its
    // background turns the demo's navy (BACKCOLOR 0,0,128).
    keyboard.focus(main);
    typeDemoInTabOrder(keyboard);
    // A point of the screen that no control covers in either layout.
    const auto background = [&] { return windowShot(keyboard.display(), preview).at(30, 250); };
    EXPECT_TRUE(waitUntil([&] { return background() == 0x000080; }, 10)) << std::hex << background();
    windowShot(keyboard.display(), preview).savePng(PREVIEW_SCREENSHOT_PATH);
}

// A packager's round trip: the game folder opened from the command line, a
// field changed, Ctrl+S, F5, and the real launcher runs the new script there.
TEST(VarnoEndToEnd, AGameFolderIsEditedSavedAndTriedInTheLauncher) {
    TempHome home;
    const std::filesystem::path game = home.path() / "Zembrot";
    // The demo's settings without the files this folder does not have, in
    // the layout that shows the title.
    std::string script;
    for (std::string record : demoMenuScriptRecords()) {
        if (record == "SPLASH,1") record = "SPLASH,0";
        const std::size_t comma = record.find(',');
        const bool namesFile = record.find("Data\\") != std::string::npos;
        script += (namesFile ? record.substr(0, comma + 1) + "Data\\" : record) + "\r\n";
    }
    writeBytes(game / "Data" / "kelo.pod", script);
    testing_support::XvfbServer server;
    Keyboard keyboard;
    ASSERT_NE(keyboard.display(), nullptr);

    Program varno;
    Window main = 0;
    ASSERT_NO_FATAL_FAILURE(startVarno(keyboard, varno, main, game.string()));
    keyboard.focus(main);
    // The first stop is Text2, then Text1, then the game title, selected whole.
    keyboard.key(XK_Tab);
    keyboard.key(XK_Tab);
    keyboard.type("Edited");
    ASSERT_TRUE(waitUntil([&] { return keyboard.findWindow("   Varno - " + game.string() + "*") != 0; }));
    keyboard.keyWith(XK_Control_L, XK_s);
    ASSERT_TRUE(waitUntil([&] { return readBytes(game / "Data" / "kelo.pod").find("TITLE,\"Edited\"") != std::string::npos; }));
    EXPECT_EQ(readBytes(game / "Data" / "kelo.pod~"), script);
    EXPECT_FALSE(std::filesystem::exists(home.pod()));

    keyboard.key(XK_F5);
    Window start = 0;
    ASSERT_TRUE(waitUntil([&] { return (start = keyboard.findWindow("Start")) != 0; }));
    const std::vector<pid_t> launchers = childrenOf(varno->pid());
    ASSERT_EQ(launchers.size(), 1u);
    EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(launchers[0]) + "/cwd"), game);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    windowShot(keyboard.display(), start).savePng(GAME_FOLDER_SCREENSHOT_PATH);

    // Any key closes the start window; the launcher ends and Varno stays.
    keyboard.focus(start);
    keyboard.key(XK_Escape);
    ASSERT_TRUE(waitUntil([&] { return childrenOf(varno->pid()).empty(); }));
    EXPECT_NE(keyboard.findWindow("   Varno - " + game.string()), 0u);
}
