// Zembrot: the stand-in for the packaged game. It shows a short slide show,
// a game menu and options, and writes every key it receives to zembrot.log.

#include <QApplication>
#include <QTimer>

#include "game/zembrot_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zembrot");
    zembrot::ZembrotWindow window;
    // For tests: a game whose window comes late, as a cold Wine start's does.
    const int delaySeconds = qEnvironmentVariableIntValue("ZEMBROT_WINDOW_DELAY");
    QTimer::singleShot(delaySeconds * 1000, &window, [&window] { window.show(); });
    return app.exec();
}
