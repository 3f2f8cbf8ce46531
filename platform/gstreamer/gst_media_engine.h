#pragma once
// Real playback for the command interpreter, through GStreamer: clips in a
// native child window of the given window, music and wave audio to the
// sound device.

#include <memory>

#include "platform/media_engine.h"

class QObject;

namespace platform {

class GstMediaEngine final : public MediaEngine {
public:
    GstMediaEngine();
    ~GstMediaEngine() override;
    std::unique_ptr<MediaPlayback> open(MediaKind kind, const std::filesystem::path& file,
                                        std::uintptr_t parentWindow, std::function<void()> onFailure) override;

private:
    // Receives what the streaming threads report, on the event loop's thread.
    std::unique_ptr<QObject> context_;
};

}  // namespace platform
