#pragma once
// A private X server for a test: Xvfb on a display of its own, and a way to
// read back what is on its screen.

#include <cstdint>
#include <string>
#include <vector>

#include "child_process.h"

namespace testing_support {

class XvfbServer {
public:
    // Starts Xvfb -noreset -nolisten tcp -displayfd and waits until it is up;
    // sets DISPLAY for this process (and so for the programs it starts).
    explicit XvfbServer(int width = 1024, int height = 768);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& display() const { return display_; }  // ":N"

private:
    ChildProcess server_;
    std::string display_;
    std::string previousDisplay_;
    bool hadDisplay_ = false;
};

struct Screenshot {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Saves as PNG; returns false when it could not be written.
    bool savePng(const std::string& path) const;
};

// The whole screen of the display in DISPLAY.
Screenshot takeScreenshot();

// Channel-wise distance of two 0xRRGGBB colours (largest of the three).
int colourDistance(std::uint32_t a, std::uint32_t b);

}  // namespace testing_support
