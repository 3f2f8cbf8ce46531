#include "game_folder.h"

#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace fs = std::filesystem;

namespace e2e {

script::EditorSnapshot testMenu() {
    script::EditorSnapshot s;
    auto& t = s.text;
    t[2] = "1";        // TIMEDELAY
    t[1] = "1";        // TIMEDELAY3
    t[3] = "Test Game";
    t[4] = "Line Two";
    t[5] = "0,0,128";
    t[9] = "Comic Sans MS";
    t[10] = "255,255,0";
    t[11] = "18";
    t[25] = "help.bmp";
    t[8] = "1";        // SPTIM
    t[12] = "3";       // SLIDE
    t[13] = "0,200,0";
    t[14] = "Play";
    t[16] = "200,100,0";
    t[17] = "Setup";
    t[19] = "0,100,255";
    t[20] = "Help";
    t[22] = "200,0,0";
    t[23] = "Stop";
    s.blnCmd2Visible = s.blnCmd3Visible = true;
    s.intCmd2Visible = s.intCmd3Visible = 1;
    s.varButtonSound = script::Untyped::number(0);
    return s;
}

std::string menuScriptFor(const script::EditorSnapshot& snapshot) {
    return script::writeMenuScript(snapshot, "2026-12-08 10:00:00");
}

fs::path makeTemporaryFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

GameFolder::GameFolder(const std::string& menuScript) : path_(makeTemporaryFolder("lorvane-e2e-")) {
    fs::create_directories(path_ / "Data");
    for (const auto& entry : fs::directory_iterator(DEMO_DATA_DIR))
        if (entry.path().filename() != "kelo.pod") fs::copy_file(entry.path(), path_ / "Data" / entry.path().filename());
    fs::copy_file(ZEMBROT_PROGRAM, path_ / "zembrot.exe");
    std::FILE* file = std::fopen((path_ / "Data" / "kelo.pod").c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write the menu script");
    std::fwrite(menuScript.data(), 1, menuScript.size(), file);
    std::fclose(file);
}

GameFolder::~GameFolder() {
    launcher_.reset();
    testing_support::endProcessesWorkingIn(path_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string GameFolder::keyLog() const { return testing_support::readFile(path_ / "zembrot.log"); }

testing_support::ChildProcess& GameFolder::startLauncher() {
    launcher_ = std::make_unique<testing_support::ChildProcess>(LORVANE_PROGRAM, path_, std::vector<std::string>{},
                                                               path_ / "lorvane.stderr");
    return *launcher_;
}

std::string GameFolder::launcherStderr() const { return testing_support::readFile(path_ / "lorvane.stderr"); }

QImage demoPicture(const std::string& name) {
    return QImage(QString::fromStdString((fs::path(DEMO_DATA_DIR) / name).string()));
}

void keepScreenshot(const QImage& image, const std::string& name) {
    fs::create_directories(SCREENSHOT_DIR);
    image.save(QString::fromStdString((fs::path(SCREENSHOT_DIR) / (name + ".png")).string()), "PNG");
}

std::string waitForKeyLog(const GameFolder& folder, const std::string& expected, std::chrono::milliseconds timeout) {
    desktop_driver::waitFor([&] { return folder.keyLog().size() >= expected.size(); }, timeout);
    desktop_driver::sleepFor(std::chrono::milliseconds(300));  // anything extra arrives too
    return folder.keyLog();
}

bool windowManagerRunning(desktop_driver::XSession& x) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom check = XInternAtom(x.display(), "_NET_SUPPORTING_WM_CHECK", False);
    XGetWindowProperty(x.display(), DefaultRootWindow(x.display()), check, 0, 1, False, XA_WINDOW, &type, &format,
                       &count, &after, &data);
    if (data) XFree(data);
    return count == 1;
}

bool windowManagerTakesNewWindows(desktop_driver::XSession& x) {
    Display* display = x.display();
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const ::Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    auto managed = [&] {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, probe, wmState, 0, 1, False, AnyPropertyType, &type, &format, &count, &after,
                           &data);
        if (data) XFree(data);
        return type != 0;
    };
    bool taken = false;
    for (int attempt = 0; attempt < 10 && !taken; ++attempt) {
        XUnmapWindow(display, probe);
        XMapWindow(display, probe);
        XSync(display, False);
        taken = desktop_driver::waitFor(managed, std::chrono::seconds(2));
    }
    XDestroyWindow(display, probe);
    XSync(display, False);
    return taken;
}

}  // namespace e2e
