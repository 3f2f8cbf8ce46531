// Blocks the player's input and keeps running until it is killed; the input
// block test kills it with SIGKILL to see the block end with the process.
#include <QApplication>
#include <cstdio>

#include "platform/platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto platform = platform::createLinuxPlatform();
    std::printf("blocked %d\n", platform->BlockInput(true));
    std::fflush(stdout);
    return app.exec();
}
