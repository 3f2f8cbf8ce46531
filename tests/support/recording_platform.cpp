#include "recording_platform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "script/failure.h"
#include "script/windows_path.h"

namespace testing_support {

namespace {
std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

std::string formatSeconds(double seconds) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", seconds);
    return buffer;
}

void RecordingPlatform::at(double when, std::function<void()> event) {
    scheduled_.push_back({when, order_++, std::move(event)});
}

bool RecordingPlatform::runDue(double until) {
    // Earliest first; an event may schedule more or wait itself (nesting).
    auto next = std::min_element(scheduled_.begin(), scheduled_.end(), [](auto& a, auto& b) {
        return a.when != b.when ? a.when < b.when : a.order < b.order;
    });
    if (next == scheduled_.end() || next->when > until) return false;
    Scheduled item = std::move(*next);
    scheduled_.erase(next);
    if (item.when > now) now = item.when;
    item.event();
    return true;
}

std::vector<std::string> RecordingPlatform::callsFrom(const std::string& prefix) const {
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (calls[i].rfind(prefix, 0) == 0) return {calls.begin() + static_cast<long>(i), calls.end()};
    return {};
}

bool RecordingPlatform::called(const std::string& line) const {
    return std::find(calls.begin(), calls.end(), line) != calls.end();
}

int RecordingPlatform::count(const std::string& line) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), line));
}

int RecordingPlatform::PathFileExistsA(const std::string& path) {
    calls.push_back("exists " + path);
    if (auto it = exists.find(path); it != exists.end()) return it->second ? 1 : 0;
    std::error_code ec;
    return std::filesystem::exists(script::mapWindowsPath(path), ec) ? 1 : 0;
}

unsigned RecordingPlatform::mciSendStringA(const std::string& command, char* reply,
                                           unsigned replyLength, std::uintptr_t) {
    calls.push_back("mci " + command);
    const MciReply* best = nullptr;
    std::size_t bestLength = 0;
    const std::string lowered = lower(command);
    for (auto& [prefix, answer] : mciReplies) {
        const std::string p = lower(prefix);
        if (lowered.rfind(p, 0) == 0 && p.size() >= bestLength) {
            best = &answer;
            bestLength = p.size();
        }
    }
    if (reply && replyLength > 0) {
        std::string text = best ? best->reply : std::string();
        if (text.size() > replyLength - 1) text.resize(replyLength - 1);
        std::memcpy(reply, text.c_str(), text.size() + 1);
    }
    return best ? best->code : mciDefaultCode;
}

int RecordingPlatform::sndPlaySoundA(const std::string& path, unsigned flags) {
    calls.push_back("snd " + path + " " + std::to_string(flags));
    return 1;
}

int RecordingPlatform::BlockInput(bool block) {
    calls.push_back(std::string("block ") + (block ? "1" : "0"));
    blocked = block;
    return 1;
}

void RecordingPlatform::SendKeys(const std::string& keys) {
    calls.push_back("keys " + keys);
    if (failingKeys.count(keys))
        throw script::Failure(script::FailureKind::InvalidProcedureCall, "cannot send " + keys);
}

void RecordingPlatform::StartProgram(const std::string& program) {
    calls.push_back("start " + program);
    if (missingPrograms.count(program))
        throw script::Failure(script::FailureKind::FileNotFound).aboutFile(script::mapWindowsPath(program), program);
}

void RecordingPlatform::OpenInTextEditor(const std::string& path, NotOpened whenNotOpened) {
    calls.push_back("edit " + path);
    if (noTextEditor) whenNotOpened(script::Failure(script::FailureKind::ProgramFailed, "no text editor"));
}

void RecordingPlatform::Beep() { calls.push_back("beep"); }

void RecordingPlatform::Wait(double seconds) {
    calls.push_back("wait " + formatSeconds(seconds));
    if (seconds <= 0) return;  // a zero wait services nothing
    const double deadline = now + seconds;
    while (runDue(deadline)) {
        if (onServiceEvents) onServiceEvents();
    }
    if (onServiceEvents) onServiceEvents();
    if (now < deadline) now = deadline;
}

}  // namespace testing_support
