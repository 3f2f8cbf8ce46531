#include "xvfb_server.h"

// Qt before Xlib: Xlib's macros (Status, CursorShape, ...) break Qt's headers.
#include <QImage>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace testing_support {

XvfbServer::XvfbServer(int width, int height)
    // It names its display on standard output once it takes connections; its
    // warnings stay on the test's standard error.
    : server_({.arguments = {"Xvfb", "-noreset", "-nolisten", "tcp", "-displayfd", "1", "-screen", "0",
                             std::to_string(width) + "x" + std::to_string(height) + "x24"},
               .out = Output::capture()}) {
    std::string number;
    if (!server_.readLine(number, std::chrono::seconds(30)) || number.empty())
        throw std::runtime_error("Xvfb did not start");
    display_ = ":" + number;
    if (const char* old = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        previousDisplay_ = old;
    }
    setenv("DISPLAY", display_.c_str(), 1);
}

XvfbServer::~XvfbServer() {
    server_.terminate();
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
