#pragma once
// A Platform that records every call, in order, on a virtual clock.
// Tests script replies, make calls fail, and schedule events (a click, a key)
// at chosen virtual times; a Wait that passes such a time runs the event
// nested inside it, as a real wait services window events.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/virtual_clock_platform.h"

namespace testing_support {

class RecordingPlatform : public platform::VirtualClockPlatform {
public:
    // The virtual clock starts at 10:00:00.
    RecordingPlatform() : VirtualClockPlatform(36000.0) {}

    // Every call as one line, e.g. "mci close all", "snd Data\click.wav 0",
    // "block 1", "keys %{G}", "start zembrot.exe", "wait 2", "beep".
    std::vector<std::string> calls;

    // Names for which PathFileExistsA answers 1; when unset for a name the
    // real (mapped) file system answers.
    std::map<std::string, bool> exists;
    // Reply text and return code for an MCI command, matched case-insensitively
    // on the command's first words (the longest matching prefix wins).
    struct MciReply { std::string reply; unsigned code = 0; };
    std::map<std::string, MciReply> mciReplies;
    unsigned mciDefaultCode = 0;
    // Programs whose start fails with "File not found".
    std::set<std::string> missingPrograms;
    // OpenInTextEditor then reports at once that no editor could be started.
    bool noTextEditor = false;
    // Keystroke strings whose sending fails.
    std::set<std::string> failingKeys;

    std::tm localTime{};

    // Runs `event` when virtual time reaches `at` (absolute, same scale as now).
    void at(double when, std::function<void()> event);
    // Runs `event` after `delay` virtual seconds from now.
    void after(double delay, std::function<void()> event) { at(now + delay, std::move(event)); }
    // Called by Wait for every slice it services, after due events ran; a
    // widget test can pump Qt events here.
    std::function<void()> onServiceEvents;

    // Calls recorded since (and including) the first one starting with `prefix`.
    std::vector<std::string> callsFrom(const std::string& prefix) const;
    bool called(const std::string& line) const;
    int count(const std::string& line) const;
    bool blocked = false;  // the input block as it stands

    int PathFileExistsA(const std::string& path) override;
    unsigned mciSendStringA(const std::string& command, char* reply, unsigned replyLength,
                            std::uintptr_t callbackWindow) override;
    int sndPlaySoundA(const std::string& path, unsigned flags) override;
    int BlockInput(bool block) override;
    void SendKeys(const std::string& keys) override;
    void StartProgram(const std::string& program) override;
    void OpenInTextEditor(const std::string& path, NotOpened whenNotOpened) override;
    void Beep() override;
    std::tm LocalTime() override { return localTime; }
    void Wait(double seconds) override;

private:
    struct Scheduled { double when; long order; std::function<void()> event; };
    std::vector<Scheduled> scheduled_;
    long order_ = 0;
    bool runDue(double until);
};

std::string formatSeconds(double seconds);  // "2", "0.95"

}  // namespace testing_support
