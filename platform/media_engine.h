#pragma once
// The seam between the multimedia command interpreter and real playback:
// the interpreter keeps the devices, names and rectangles; an engine plays.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace platform {

enum class MediaKind { Video, Music, Wave };

struct MediaRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// One open file.
class MediaPlayback {
public:
    virtual ~MediaPlayback() = default;
    // The clip's own size; 0 x 0 for sound.
    virtual MediaRect naturalSize() const = 0;
    // Plays from the current position, or from `fromMs` when it is >= 0.
    virtual void play(long fromMs) = 0;
    // Halts at the current position (a clip keeps showing its frame).
    virtual void stop() = 0;
    virtual void pause() = 0;
    // Places the clip's window inside its parent.
    virtual void placeWindow(const MediaRect& rect) = 0;
    virtual long positionMs() const = 0;
    virtual long lengthMs() const = 0;
    virtual bool playing() const = 0;
};

class MediaEngine {
public:
    virtual ~MediaEngine() = default;
    // Opens an existing file; null when it cannot be played. A clip plays in
    // a child window of the native window `parentWindow` (0: a window of its
    // own). `onFailure` runs later, from the event loop, when playback fails.
    virtual std::unique_ptr<MediaPlayback> open(MediaKind kind, const std::filesystem::path& file,
                                                std::uintptr_t parentWindow, std::function<void()> onFailure) = 0;
};

}  // namespace platform
