#pragma once
// The launcher's windows: each exists at most once, is loaded on first use,
// and the launcher ends when the last loaded one is unloaded.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "script/failure.h"
#include "view/folder_files.h"

namespace launcher {

class start;
class frmOwnbox;
class Dialog;

class LauncherWindows {
public:
    explicit LauncherWindows(platform::Platform& platform);
    ~LauncherWindows();
    LauncherWindows(const LauncherWindows&) = delete;
    LauncherWindows& operator=(const LauncherWindows&) = delete;

    platform::Platform& platform() { return platform_; }

    // For a dry run: the menu script's bytes to read instead of the file, and
    // windows that are never put on the screen.
    std::optional<std::string> scriptBytes;
    bool offScreen = false;
    // The files of the coming start-up, when they are looked up ahead or
    // through other questions than the system's; the start window takes them
    // at its load. Unset, it finds its files below the working folder.
    std::unique_ptr<view::FolderFiles> startupFiles;

    // Creates the start window and runs its load handler, which reads the
    // menu script and starts the presentation. Start-up failures propagate.
    start& loadStart();
    start* startWindow() { return start_.get(); }

    // The message box and the help screen, loaded on first use.
    frmOwnbox& ownbox();
    frmOwnbox* loadedOwnbox() { return ownbox_.get(); }
    void unloadOwnbox();
    Dialog& showDialog();
    Dialog* loadedDialog() { return dialog_.get(); }
    void unloadDialog();

    bool anyWindowLoaded() const;
    // Called by a window after it unloaded itself.
    void windowUnloaded();

    // The launcher ends here: main quits the application.
    std::function<void()> onLastWindowUnloaded;
    // A failure no handler caught. main reports it and ends the program; a
    // test records it. Before this runs, the player's input is released.
    std::function<void(const script::Failure&)> onUncaughtFailure;

    // Runs a handler that Qt called: failures no handler caught go to
    // onUncaughtFailure, since they must not unwind through Qt's event loop.
    void runHandler(const std::function<void()>& handler);

private:
    void focusStartWindow();

    platform::Platform& platform_;
    std::unique_ptr<start> start_;
    std::unique_ptr<frmOwnbox> ownbox_;
    std::unique_ptr<Dialog> dialog_;
};

}  // namespace launcher
