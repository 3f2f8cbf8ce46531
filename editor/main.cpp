// Varno: the editor of the launcher's menu script.

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "command_line.h"
#include "frm_main.h"
#include "game_menu.h"
#include "view/fonts.h"
#include "message_boxes.h"
#include "platform/platform.h"
#include "platform/process_environment.h"
#include "script/failure.h"
#include "window_style.h"

namespace {

// A failure that no handler takes care of ends the editor with one report.
[[noreturn]] void reportAndExit(const std::string& report) {
    std::cerr << "varno: " << report << std::endl;
    if (qApp && QGuiApplication::primaryScreen())
        QMessageBox::critical(nullptr, QStringLiteral("Varno"), QString::fromStdString(report));
    std::_Exit(1);
}

std::string describe(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const script::Failure& known) {
        return known.report();
    } catch (const std::exception& other) {
        return other.what();
    } catch (...) {
        return "Unknown failure";
    }
}

// Qt ends the program on a fatal message (no usable display, for one); say so
// in the editor's own words and with its exit status.
void reportQtFatal(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::cerr << "varno: cannot open a window: " << message.toStdString() << std::endl;
        std::_Exit(1);
    }
    std::cerr << message.toStdString() << std::endl;
}

class VarnoApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            reportAndExit(describe(std::current_exception()));
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    // Options are answered before any display is needed.
    const editor::CommandLine commandLine = editor::readCommandLine(argc, argv);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    platform::skipSessionBusAutolaunch();

    // The windows, and the start screen the preview draws, name the fonts of
    // the system they were drawn for.
    view::installFontSubstitutions();

    // Without a display there is no window to show; standard error alone.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::cerr << "varno: cannot open a window: no display" << std::endl;
        return 1;
    }
    qInstallMessageHandler(reportQtFatal);
    try {
        VarnoApplication application(argc, argv);
        application.setFont(editor::controlFont());
        const auto platform = platform::createLinuxPlatform();
        const auto messages = editor::createWindowMessageBoxes();
        editor::frmMain window(*platform, *messages);
        editor::centreOnScreen(&window);
        window.show();
        window.activateWindow();
        if (commandLine.gameFolder) window.gameMenu()->openGameFolder(*commandLine.gameFolder);
        return application.exec();
    } catch (...) {
        reportAndExit(describe(std::current_exception()));
    }
}
