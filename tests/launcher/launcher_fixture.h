#pragma once
// A launcher in a temporary game folder, on the recording platform.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "launcher/launcher_windows.h"
#include "launcher/start.h"
#include "recording_platform.h"
#include "script/failure.h"

namespace launcher_tests {

class LauncherTest : public ::testing::Test {
protected:
    LauncherTest();
    ~LauncherTest() override;

    // Writes Data\kelo.pod (lines joined with CR LF).
    void writeScript(const std::string& text);
    // Writes a picture of one colour below the game folder (a relative Linux path).
    void writePicture(const std::string& relativePath, int width, int height, const QColor& colour);
    void writeFile(const std::string& relativePath, const std::string& bytes);

    // Loads the start window; a start-up failure is kept in startupFailure.
    launcher::start& load();
    launcher::start& window() { return *windows->startWindow(); }

    // Calls recorded from the first one starting with `prefix` on.
    std::vector<std::string> callsFrom(const std::string& prefix) const { return system.callsFrom(prefix); }

    std::filesystem::path folder;
    testing_support::RecordingPlatform system;
    std::unique_ptr<launcher::LauncherWindows> windows;
    std::optional<script::Failure> startupFailure;
    std::optional<script::Failure> uncaughtFailure;
    int launcherEnded = 0;

private:
    std::filesystem::path previousFolder_;
};

// A window's pixel in its own rendering, as 0xRRGGBB.
std::uint32_t pixelOf(QWidget& widget, int x, int y);

}  // namespace launcher_tests
