// The Linux/X11 platform: each service lives in its own file; this one only
// puts them together behind the interface.

#include <memory>

#include "platform/clock_and_wait.h"
#include "platform/input_block.h"
#include "platform/keystroke_notation.h"
#include "platform/keystroke_sender.h"
#include "platform/path_existence.h"
#include "platform/platform.h"
#include "platform/program_start.h"
#include "platform/x_display.h"
#include "script/failure.h"

namespace platform {

namespace {

class LinuxPlatform final : public Platform {
public:
    int PathFileExistsA(const std::string& path) override { return pathExists(path) ? 1 : 0; }

    unsigned mciSendStringA(const std::string&, char* reply, unsigned replyLength,
                            std::uintptr_t) override {
        if (reply && replyLength > 0) reply[0] = '\0';
        return 274;  // unsupported function, until the media engine is in
    }

    int sndPlaySoundA(const std::string&, unsigned) override {
        Beep();
        return 0;
    }

    int BlockInput(bool block) override { return (block ? inputBlock_.block() : inputBlock_.release()) ? 1 : 0; }

    void SendKeys(const std::string& keys) override { keystrokes_.send(parseKeystrokes(keys)); }

    void StartProgram(const std::string& program) override { startProgram(program); }
    void OpenInTextEditor(const std::string& path) override { openWithDesktop(path); }
    void Beep() override { ringBell(bellConnection_); }

    double Timer() override { return secondsSinceLocalMidnight(); }
    double MonotonicSeconds() override { return monotonicSeconds(); }
    std::tm LocalTime() override { return localTimeNow(); }
    void Wait(double seconds) override { serviceEventsFor(seconds); }

private:
    XConnection bellConnection_;
    KeystrokeSender keystrokes_;
    InputBlock inputBlock_;
};

}  // namespace

std::unique_ptr<Platform> createLinuxPlatform() {
    return std::make_unique<LinuxPlatform>();
}

}  // namespace platform
