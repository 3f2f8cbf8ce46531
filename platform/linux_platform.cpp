// The Linux/X11 platform: each service lives in its own file; this one only
// puts them together behind the interface. Media, sounds, keystrokes and the
// input block come from the desktop services library, loaded on first use.

#include <QApplication>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/backend_library.h"
#include "platform/clock_and_wait.h"
#include "platform/keystroke_notation.h"
#include "platform/media_command.h"
#include "platform/media_interpreter.h"
#include "platform/path_existence.h"
#include "platform/platform.h"
#include "platform/program_start.h"
#include "script/failure.h"
#include "script/windows_path.h"

namespace platform {

namespace {

// Opens media through the desktop services, loading them on the first open.
class MediaThroughBackend final : public MediaEngine {
public:
    explicit MediaThroughBackend(std::function<DesktopBackend*()> backend) : backend_(std::move(backend)) {}
    std::unique_ptr<MediaPlayback> open(MediaKind kind, const std::filesystem::path& file,
                                        std::uintptr_t parentWindow, std::function<void()> onFailure) override {
        DesktopBackend* backend = backend_();
        return backend ? backend->media().open(kind, file, parentWindow, std::move(onFailure)) : nullptr;
    }

private:
    std::function<DesktopBackend*()> backend_;
};

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
        if (!path.empty() && std::filesystem::is_regular_file(file, error) && backend() &&
            backend()->playSoundToEnd(file))
            return 1;
        if (!(flags & noDefault)) Beep();
        return 0;
    }

    int BlockInput(bool block) override {
        // Nothing can be blocked before the services are loaded.
        if (!block && !backend_) return 1;
        return backend() && backend()->blockInput(block) ? 1 : 0;
    }

    void SendKeys(const std::string& keys) override {
        const auto strokes = parseKeystrokes(keys);
        if (!backend())
            throw script::Failure(script::FailureKind::DeviceIOError, "the keystroke services could not be loaded");
        backend()->sendKeys(strokes);
    }

    // The desktop services are loaded before the spawn: the windows already
    // on the desktop are noted first, so that a window the program shows at
    // once is still new. The program's window gets the focus from the window
    // manager through the start-up notice, which it learns from its
    // environment.
    void StartProgram(const std::string& program) override {
        DesktopBackend* services = backend();
        const ProgramPlan plan = planProgram(program);
        const auto environment = services ? services->programStarting(plan.program) : std::vector<std::string>{};
        StartedProgram started;
        try {
            started = startProgram(program, environment);
        } catch (...) {
            if (services) services->programNotStarted();
            throw;
        }
        const pid_t pid = started.pid;
        if (services) services->programStarted(pid, [pid] { return programEnding(pid); });
    }
    void OpenInTextEditor(const std::string& path, NotOpened whenNotOpened) override {
        openWithDesktop(path, std::move(whenNotOpened));
    }
    void Beep() override { QApplication::beep(); }

    double Timer() override { return secondsSinceLocalMidnight(); }
    double MonotonicSeconds() override { return monotonicSeconds(); }
    std::tm LocalTime() override { return localTimeNow(); }
    void Wait(double seconds) override { serviceEventsFor(seconds); }

private:
    DesktopBackend* backend() {
        if (!backendTried_) {
            backendTried_ = true;
            backend_ = loadDesktopBackend();
        }
        return backend_.get();
    }

    bool backendTried_ = false;
    // The services outlive the devices the interpreter holds.
    std::unique_ptr<DesktopBackend> backend_;
    MediaThroughBackend mediaEngine_{[this] { return backend(); }};
    MediaCommandInterpreter media_{mediaEngine_};
};

}  // namespace

std::unique_ptr<Platform> createLinuxPlatform() {
    return std::make_unique<LinuxPlatform>();
}

}  // namespace platform
