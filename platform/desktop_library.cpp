// The library of desktop services: the X11 and GStreamer backends put
// together behind DesktopBackend. The programs load it on first use.
#include "platform/desktop_backend.h"
#include "platform/gstreamer/gst_media_engine.h"
#include "platform/gstreamer/synchronous_sound.h"
#include "platform/x11/input_block.h"
#include "platform/x11/keystroke_sender.h"

namespace platform {

namespace {

class X11GstreamerBackend final : public DesktopBackend {
public:
    MediaEngine& media() override { return media_; }
    bool playSoundToEnd(const std::filesystem::path& file) override { return platform::playSoundToEnd(file); }
    bool blockInput(bool block) override { return block ? inputBlock_.block() : inputBlock_.release(); }
    void sendKeys(const std::vector<KeyStroke>& strokes) override { keystrokes_.send(strokes); }
    void programStarted(pid_t pid, const std::string& name, ProgramEnding ending) override {
        keystrokes_.programStarted(pid, name, std::move(ending));
    }

private:
    GstMediaEngine media_;
    KeystrokeSender keystrokes_;
    InputBlock inputBlock_;
};

}  // namespace

}  // namespace platform

extern "C" __attribute__((visibility("default"))) platform::DesktopBackend* lorvane_create_desktop_backend() {
    return new platform::X11GstreamerBackend();
}
