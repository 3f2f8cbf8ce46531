#pragma once
// Every operating-system service the two programs call, behind one interface.
// The programs talk to the system only through this; the Linux/X11
// implementation is createLinuxPlatform(), tests use a recording double.
//
// Names follow the calls the programs were written against, so a handler
// reads the way its sequence is described (mciSendStringA, BlockInput, ...).

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

namespace script {
class Failure;
}

namespace platform {

class Platform {
public:
    virtual ~Platform() = default;

    // 1 when the Windows name (mapped onto this file system) is an existing
    // file or folder, else 0. Relative names are taken from the working folder.
    virtual int PathFileExistsA(const std::string& path) = 0;

    // A multimedia command string. Returns 0 or an error number; when
    // `replyLength` > 0 writes at most replyLength - 1 characters and a NUL
    // into `reply`. `callbackWindow` is accepted and unused.
    virtual unsigned mciSendStringA(const std::string& command, char* reply,
                                    unsigned replyLength, std::uintptr_t callbackWindow) = 0;

    // Plays a sound file; with flags 0 it returns only when the sound has
    // finished, servicing no window events. A missing or unplayable file
    // sounds the system's default sound instead.
    virtual int sndPlaySoundA(const std::string& path, unsigned flags) = 0;

    // Blocks (true) or releases (false) the player's keyboard and mouse;
    // synthesised keystrokes still reach their target.
    virtual int BlockInput(bool block) = 0;

    // Sends a keystroke string ("{ }", "%{G}", "{down 6}", ...) to the window
    // that has the focus and returns once the keys are processed.
    // Throws script::Failure(InvalidProcedureCall) for a malformed string.
    virtual void SendKeys(const std::string& keys) = 0;

    // Starts a program from the working folder in a normal window that takes
    // the focus, without waiting. Throws script::Failure(FileNotFound).
    virtual void StartProgram(const std::string& program) = 0;

    // Opens a file (a Windows name) in the desktop's plain-text editor, without
    // waiting. Throws script::Failure when the desktop's opener cannot be
    // started; when the opener later finds no editor it can start, calls
    // `whenNotOpened` from the event loop.
    using NotOpened = std::function<void(const script::Failure&)>;
    virtual void OpenInTextEditor(const std::string& path, NotOpened whenNotOpened) = 0;

    // The system beep.
    virtual void Beep() = 0;

    // Seconds since local midnight, with a fraction.
    virtual double Timer() = 0;
    // Seconds on a clock that never jumps (waits are measured on it).
    virtual double MonotonicSeconds() = 0;
    // The local date and time now.
    virtual std::tm LocalTime() = 0;

    // Waits `seconds`, servicing window events (clicks, keys, painting and
    // their handlers) in a nested loop; returns at once for 0 or less.
    virtual void Wait(double seconds) = 0;
};

// The real services of a Linux/X11 desktop. Needs a running QApplication.
std::unique_ptr<Platform> createLinuxPlatform();

}  // namespace platform
