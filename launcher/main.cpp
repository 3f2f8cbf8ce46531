// Lorvane: the game's start menu, built from Data\kelo.pod in the working folder.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <thread>
#ifdef LORVANE_WARM_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include "launcher/command_line.h"
#include "launcher/error_report.h"
#include "launcher/launcher_windows.h"
#include "platform/platform.h"
#include "platform/process_environment.h"
#include "script/failure.h"
#include "script/menu_script.h"
#include "view/folder_files.h"
#include "view/fonts.h"

int main(int argc, char** argv) {
    // Options are answered before any display is needed; without arguments
    // the start screen shows. Qt is not handed any arguments.
    if (const auto status = launcher::handleCommandLine(argc, argv)) return *status;
    platform::skipSessionBusAutolaunch();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            std::fprintf(stderr, "lorvane: no display to show the start screen on (DISPLAY is not set)\n");
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
#ifdef LORVANE_WARM_FONTCONFIG
    // Reading the font configuration is the largest part of the first text
    // layout; on a second core it overlaps the connection to the display.
    std::thread fontconfigWarmUp([] { FcInit(); });
#endif
    // A name the script spells otherwise than the disk, or a missing
    // background picture, costs a pass over the Data folder, which may hold
    // thousands of files: the start-up's files are looked up meanwhile.
    std::unique_ptr<view::FolderFiles> startupFiles = view::FolderFiles::ofWorkingFolder();
    std::thread filesLookUp([files = startupFiles.get()] { files->lookUpAhead(script::kScriptInGameFolder); });
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);
    // The launcher ends when its last window is unloaded, not when the last
    // one is hidden: the Play sequence hides the start window and goes on.
    QApplication::setQuitOnLastWindowClosed(false);
    view::installFontSubstitutions();
#ifdef LORVANE_WARM_FONTCONFIG
    fontconfigWarmUp.join();
#endif
    filesLookUp.join();

    try {
        std::unique_ptr<platform::Platform> system = platform::createLinuxPlatform();
        launcher::LauncherWindows windows(*system);
        windows.onLastWindowUnloaded = [] { QCoreApplication::quit(); };
        windows.onUncaughtFailure = [](const script::Failure& failure) {
            launcher::reportFailure(failure);
            // Handlers and waits may be nested many deep; none of them may go on.
            std::_Exit(1);
        };
        windows.startupFiles = std::move(startupFiles);
        windows.loadStart();
        if (!windows.anyWindowLoaded()) return 0;
        return QApplication::exec();
    } catch (const script::Failure& failure) {
        launcher::reportFailure(failure);
        return 1;
    } catch (const std::bad_alloc&) {
        launcher::reportFailure(script::Failure(script::FailureKind::OutOfMemory));
        return 1;
    }
}
