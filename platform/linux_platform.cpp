// The Linux/X11 platform: each service lives in its own file; this one only
// puts them together behind the interface.

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/clock_and_wait.h"
#include "platform/gstreamer/gst_media_engine.h"
#include "platform/gstreamer/synchronous_sound.h"
#include "platform/keystroke_notation.h"
#include "platform/media_command.h"
#include "platform/media_interpreter.h"
#include "platform/path_existence.h"
#include "platform/platform.h"
#include "platform/program_start.h"
#include "platform/x11/input_block.h"
#include "platform/x11/keystroke_sender.h"
#include "platform/x11/x_display.h"
#include "script/windows_path.h"

namespace platform {

namespace {

class LinuxPlatform final : public Platform {
public:
    int PathFileExistsA(const std::string& path) override { return pathExists(path) ? 1 : 0; }

    unsigned mciSendStringA(const std::string& command, char* reply, unsigned replyLength,
                            std::uintptr_t) override {
        std::string text;
        unsigned code = media_.execute(command, text);
        if (reply && replyLength > 0) {
            const std::size_t fits = std::min<std::size_t>(text.size(), replyLength - 1);
            std::memcpy(reply, text.data(), fits);
            reply[fits] = '\0';
            if (code == 0 && fits < text.size()) code = mci_error::paramOverflow;
        }
        return code;
    }

    // Flags other than "no default sound" (2) play synchronously as flags 0 do.
    int sndPlaySoundA(const std::string& path, unsigned flags) override {
        constexpr unsigned noDefault = 2;
        const auto file = script::mapWindowsPath(path);
        std::error_code error;
        if (!path.empty() && std::filesystem::is_regular_file(file, error) && playSoundToEnd(file)) return 1;
        if (!(flags & noDefault)) Beep();
        return 0;
    }

    int BlockInput(bool block) override { return (block ? inputBlock_.block() : inputBlock_.release()) ? 1 : 0; }

    void SendKeys(const std::string& keys) override { keystrokes_.send(parseKeystrokes(keys)); }

    void StartProgram(const std::string& program) override {
        const StartedProgram started = startProgram(program);
        keystrokes_.programStarted(started.pid, started.name);
    }
    void OpenInTextEditor(const std::string& path) override { openWithDesktop(path); }
    void Beep() override { ringBell(bellConnection_); }

    double Timer() override { return secondsSinceLocalMidnight(); }
    double MonotonicSeconds() override { return monotonicSeconds(); }
    std::tm LocalTime() override { return localTimeNow(); }
    void Wait(double seconds) override { serviceEventsFor(seconds); }

private:
    XConnection bellConnection_;
    // The engine outlives the devices the interpreter holds.
    GstMediaEngine mediaEngine_;
    MediaCommandInterpreter media_{mediaEngine_};
    KeystrokeSender keystrokes_;
    InputBlock inputBlock_;
};

}  // namespace

std::unique_ptr<Platform> createLinuxPlatform() {
    return std::make_unique<LinuxPlatform>();
}

}  // namespace platform
