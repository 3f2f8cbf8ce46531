// Zembrot: the stand-in for the packaged game. It shows a short slide show,
// a game menu and options, and writes every key it receives to zembrot.log.

#include <QApplication>
#include <QTimer>

#include "game/zembrot_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zembrot");
    // For tests, games as the world has them:
    zembrot::Habits habits;
    // a plain Xlib program: no process id on its window, no focus taken;
    habits.plain = qEnvironmentVariableIntValue("ZEMBROT_PLAIN") != 0;
    // one that maps its window long before it reads keys, as an emulator
    // starting up does;
    habits.readsKeysAfterMs = qEnvironmentVariableIntValue("ZEMBROT_READS_KEYS_AFTER_MS");
    // one that drops its window at the first key and runs on.
    habits.closesWindowOnFirstKey = qEnvironmentVariableIntValue("ZEMBROT_CLOSES_WINDOW") != 0;
    if (habits.closesWindowOnFirstKey) QApplication::setQuitOnLastWindowClosed(false);
    zembrot::ZembrotWindow window(habits);
    // And one whose window comes late, as a cold Wine start's does.
    const int delaySeconds = qEnvironmentVariableIntValue("ZEMBROT_WINDOW_DELAY");
    QTimer::singleShot(delaySeconds * 1000, &window, [&window] { window.appear(); });
    return app.exec();
}
