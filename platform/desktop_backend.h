#pragma once
// The services that need the desktop's heavier libraries: media and sounds
// (GStreamer), keystrokes (XTest) and the input block (XInput2). They live
// in a library of their own, loaded the first time one of them is used, so
// that a window shows its first frame without them and a program that never
// uses them never loads them.

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/keystroke_notation.h"
#include "platform/media_engine.h"
#include "platform/program_start.h"

namespace platform {

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;
    virtual MediaEngine& media() = 0;
    // Plays a sound file to its end; false when it could not be played.
    virtual bool playSoundToEnd(const std::filesystem::path& file) = 0;
    // True when every device of the player is grabbed (or released).
    virtual bool blockInput(bool block) = 0;
    // Throws script::Failure(DeviceIOError) without an X server or XTest.
    virtual void sendKeys(const std::vector<KeyStroke>& strokes) = 0;
    // A program is about to be started, by the player's last click or key:
    // returns the variables ("NAME=value") its environment gains.
    virtual std::vector<std::string> programStarting(const std::string& name) = 0;
    // From now on keys go to this program's window.
    virtual void programStarted(pid_t pid, ProgramEnding ending) = 0;
    virtual void programNotStarted() = 0;
};

}  // namespace platform

// The one name the library exports.
extern "C" platform::DesktopBackend* lorvane_create_desktop_backend();
