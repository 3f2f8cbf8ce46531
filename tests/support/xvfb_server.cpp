#include "xvfb_server.h"

// Qt before Xlib: Xlib's macros (Status, CursorShape, ...) break Qt's headers.
#include <QImage>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

XvfbServer::XvfbServer(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string fd = std::to_string(fds[1]);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        close(fds[0]);
        execlp("Xvfb", "Xvfb", "-noreset", "-nolisten", "tcp", "-displayfd", fd.c_str(), "-screen",
               "0", screen.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + number;
    if (const char* old = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        previousDisplay_ = old;
    }
    setenv("DISPLAY", display_.c_str(), 1);
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    if (hadDisplay_) setenv("DISPLAY", previousDisplay_.c_str(), 1);
    else unsetenv("DISPLAY");
}

bool Screenshot::savePng(const std::string& path) const {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xff000000u | at(x, y));
    return image.save(QString::fromStdString(path), "PNG");
}

Screenshot takeScreenshot() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) throw std::runtime_error("cannot open display");
    Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    Screenshot shot;
    shot.width = attributes.width;
    shot.height = attributes.height;
    shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            shot.pixels[static_cast<std::size_t>(y) * shot.width + x] =
                static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xffffff);
    XDestroyImage(image);
    XCloseDisplay(display);
    return shot;
}

int colourDistance(std::uint32_t a, std::uint32_t b) {
    int best = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int d = std::abs(static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff));
        if (d > best) best = d;
    }
    return best;
}

}  // namespace testing_support
