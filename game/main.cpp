// Zembrot: the stand-in for the packaged game. It shows a short slide show,
// a game menu and options, and writes every key it receives to zembrot.log.

#include <QApplication>

#include "game/zembrot_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zembrot");
    zembrot::ZembrotWindow window;
    window.show();
    return app.exec();
}
