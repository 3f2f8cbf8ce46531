#pragma once
// A Platform that acts on nothing: it answers from the file system below a
// game folder, keeps a virtual clock, and writes down in words what each call
// would have done and when. The packager's dry run drives the launcher's real
// sequences with it.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/virtual_clock_platform.h"

namespace platform {

class DryRunPlatform : public VirtualClockPlatform {
public:
    // Relative names are taken from `gameFolder`.
    explicit DryRunPlatform(std::filesystem::path gameFolder) : folder_(std::move(gameFolder)) {}
    const std::filesystem::path& gameFolder() const { return folder_; }

    struct Event {
        double at;         // seconds on the virtual clock
        std::string what;  // e.g. "keys: Alt+G", "zembrot.exe starts through Wine"
    };
    std::vector<Event> events;

    int PathFileExistsA(const std::string& path) override;
    unsigned mciSendStringA(const std::string& command, char* reply, unsigned replyLength,
                            std::uintptr_t callbackWindow) override;
    int sndPlaySoundA(const std::string& path, unsigned flags) override;
    int BlockInput(bool block) override;
    void SendKeys(const std::string& keys) override;
    void StartProgram(const std::string& program) override;
    void OpenInTextEditor(const std::string& path, NotOpened whenNotOpened) override;
    void Beep() override;
    std::tm LocalTime() override;
    void Wait(double seconds) override;

private:
    void note(std::string what) { events.push_back({now, std::move(what)}); }
    bool exists(const std::string& windowsPath) const;

    std::filesystem::path folder_;
};

// Playing time of a sound file in seconds: known for WAV files, else 0.
double soundSeconds(const std::filesystem::path& file);
// A keystroke string for a person: "%{G}" is "Alt+G", "{down 6}" "Down ×6".
std::string describeKeys(const std::string& keys);

}  // namespace platform
