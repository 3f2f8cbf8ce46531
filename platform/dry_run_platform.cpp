#include "platform/dry_run_platform.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/keystroke_notation.h"
#include "platform/media_command.h"
#include "platform/program_start.h"
#include "script/windows_path.h"

namespace platform {

namespace {

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// A media command in words: what it does to which device.
std::string describeMedia(const std::string& command) {
    const auto words = splitCommandWords(command);
    if (!words || words->empty()) return "media: \"" + command + "\"";
    const std::string verb = lowerCase(words->front());
    const std::string device = words->size() > 1 ? (*words)[1] : std::string();
    if (device.empty() && (verb == "close" || verb == "play" || verb == "stop"))
        return "media: " + verb + " names nothing, so nothing happens";
    if (verb == "open") {
        std::string alias;
        for (std::size_t i = 2; i + 1 < words->size(); ++i)
            if (sameWord((*words)[i], "alias")) alias = (*words)[i + 1];
        return "media: " + device + " opens in the start window" + (alias.empty() ? "" : " as " + alias);
    }
    if (verb == "close" && sameWord(device, "all")) return "media: everything open closes";
    if (verb == "play") return "media: " + device + " plays" + (words->size() > 2 ? " from the start" : "");
    if (verb == "stop") return "media: " + device + " stops";
    if (verb == "close") return "media: " + device + " closes";
    if (verb == "put") return "media: " + device + " is placed at 10,10 at its own size";
    return "media: \"" + command + "\"";
}

}  // namespace

double soundSeconds(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char head[12];
    if (!in.read(reinterpret_cast<char*>(head), 12) || std::string(reinterpret_cast<char*>(head), 4) != "RIFF" ||
        std::string(reinterpret_cast<char*>(head) + 8, 4) != "WAVE")
        return 0;
    std::uint32_t bytesPerSecond = 0;
    unsigned char chunk[8];
    while (in.read(reinterpret_cast<char*>(chunk), 8)) {
        const std::string id(reinterpret_cast<char*>(chunk), 4);
        const std::uint32_t size = littleEndian(chunk + 4, 4);
        if (id == "fmt ") {
            unsigned char format[16];
            if (size < 16 || !in.read(reinterpret_cast<char*>(format), 16)) return 0;
            bytesPerSecond = littleEndian(format + 8, 4);
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (id == "data") {
            return bytesPerSecond ? static_cast<double>(size) / bytesPerSecond : 0;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return 0;
}

std::string describeKeys(const std::string& keys) {
    const std::vector<KeyStroke> strokes = parseKeystrokes(keys);
    std::string out;
    for (std::size_t i = 0; i < strokes.size();) {
        std::size_t same = 1;
        while (i + same < strokes.size() && strokes[i + same] == strokes[i]) ++same;
        if (!out.empty()) out += ", ";
        out += keyName(strokes[i]);
        if (same > 1) out += " \u00d7" + std::to_string(same);
        i += same;
    }
    return out;
}

bool DryRunPlatform::exists(const std::string& windowsPath) const {
    return script::windowsPathExists(windowsPath, folder_);
}

int DryRunPlatform::PathFileExistsA(const std::string& path) {
    const bool found = exists(path);
    note("looks for " + path + ": " + (found ? "found" : "not there"));
    return found ? 1 : 0;
}

unsigned DryRunPlatform::mciSendStringA(const std::string& command, char* reply, unsigned replyLength,
                                        std::uintptr_t) {
    const auto words = splitCommandWords(command);
    const bool where = words && !words->empty() && sameWord(words->front(), "where");
    // The clip's own size is known only once it plays; the sequence takes
    // whatever is answered here, so an honest "nothing known" will do.
    if (reply && replyLength > 0) {
        const std::string answer = where ? "0 0 0 0" : "";
        const std::size_t n = std::min<std::size_t>(answer.size(), replyLength - 1);
        answer.copy(reply, n);
        reply[n] = '\0';
    }
    if (!where) note(describeMedia(command));
    return 0;
}

int DryRunPlatform::sndPlaySoundA(const std::string& path, unsigned) {
    const std::filesystem::path file = script::mapWindowsPath(path, folder_);
    std::error_code error;
    if (!exists(path) || std::filesystem::is_directory(file, error)) {
        note("sound " + path + " is missing: the system's beep sounds instead");
        return 0;
    }
    const double seconds = soundSeconds(file);
    char length[32];
    std::snprintf(length, sizeof length, "%.2f", seconds);
    note("sound " + path + " plays to its end (" + length + " s)");
    now += seconds;
    return 1;
}

int DryRunPlatform::BlockInput(bool block) {
    note(block ? "the player's keyboard and mouse are blocked" : "the player's keyboard and mouse are released");
    return 1;
}

void DryRunPlatform::SendKeys(const std::string& keys) { note("keys: " + describeKeys(keys)); }

void DryRunPlatform::StartProgram(const std::string& program) {
    const ProgramPlan plan = planProgram(program, folder_);
    if (plan.file.empty())
        note(plan.program + " cannot start: it does not exist");
    else if (plan.windowsProgram && !plan.throughWine)
        note(plan.program + " cannot start: it is a Windows program and Wine is not installed");
    else
        note(plan.program + (plan.throughWine ? " starts through Wine" : " starts natively"));
    requireStartable(plan);
}

void DryRunPlatform::OpenInTextEditor(const std::string& path, NotOpened) { note(path + " opens in the text editor"); }

void DryRunPlatform::Beep() { note("beep"); }

std::tm DryRunPlatform::LocalTime() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

void DryRunPlatform::Wait(double seconds) {
    if (seconds <= 0) return;
    char length[32];
    std::snprintf(length, sizeof length, "%g", seconds);
    note(std::string("waits ") + length + " s");
    now += seconds;
}

}  // namespace platform
