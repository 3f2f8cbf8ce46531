// The library of desktop services: the X11 and GStreamer backends put
// together behind DesktopBackend. The programs load it on first use.
// Qt before Xlib: Xlib's macros clash with Qt's names.
#include <QTimer>

#include "platform/desktop_backend.h"
#include "platform/gstreamer/gst_media_engine.h"
#include "platform/gstreamer/synchronous_sound.h"
#include "platform/x11/input_block.h"
#include "platform/x11/keystroke_sender.h"

namespace platform {

namespace {

class X11GstreamerBackend final : public DesktopBackend {
public:
    X11GstreamerBackend() {
        watch_.setInterval(100);
        QObject::connect(&watch_, &QTimer::timeout, [this] { watchGame(); });
    }

    MediaEngine& media() override { return media_; }
    bool playSoundToEnd(const std::filesystem::path& file) override { return platform::playSoundToEnd(file); }
    // While the block holds, the launcher's windows stay passive and the game
    // is watched: a game that closed its window or ended frees the player at
    // once, and the next keys report it.
    bool blockInput(bool block) override {
        if (block != watch_.isActive()) {
            keystrokes_.keepOwnWindowsPassive(block);
            if (block) watch_.start();
            else watch_.stop();
        }
        return block ? inputBlock_.block() : inputBlock_.release();
    }
    void sendKeys(const std::vector<KeyStroke>& strokes) override { keystrokes_.send(strokes); }
    std::vector<std::string> programStarting(const std::string& name) override {
        const std::string id = keystrokes_.programStarting(name);
        if (id.empty()) return {};
        return {"DESKTOP_STARTUP_ID=" + id};
    }
    void programStarted(pid_t pid, ProgramEnding ending) override { keystrokes_.programStarted(pid, std::move(ending)); }
    void programNotStarted() override { keystrokes_.programNotStarted(); }

private:
    void watchGame() {
        if (keystrokes_.gameStillThere()) return;
        blockInput(false);
    }

    GstMediaEngine media_;
    KeystrokeSender keystrokes_;
    InputBlock inputBlock_;
    QTimer watch_;
};

}  // namespace

}  // namespace platform

extern "C" __attribute__((visibility("default"))) platform::DesktopBackend* lorvane_create_desktop_backend() {
    return new platform::X11GstreamerBackend();
}
