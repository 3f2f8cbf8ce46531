#include "platform/media_interpreter.h"

#include <algorithm>
#include <system_error>

#include "platform/media_command.h"
#include "script/windows_path.h"

namespace platform {

namespace {

using namespace mci_error;

std::optional<std::filesystem::path> locateMapped(const std::string& name) {
    const auto mapped = script::mapWindowsPath(name);
    std::error_code error;
    if (std::filesystem::is_regular_file(mapped, error)) return mapped;
    return std::nullopt;
}

std::optional<MediaKind> kindOfType(const std::string& type) {
    const std::string t = lowerCase(type);
    if (t == "avivideo" || t == "mpegvideo") return MediaKind::Video;
    if (t == "sequencer") return MediaKind::Music;
    if (t == "waveaudio") return MediaKind::Wave;
    return std::nullopt;
}

std::optional<MediaKind> kindOfFile(const std::string& file) {
    const auto dot = file.find_last_of('.');
    if (dot == std::string::npos || file.find_first_of("\\/", dot) != std::string::npos) return std::nullopt;
    const std::string extension = lowerCase(file.substr(dot + 1));
    if (extension == "mid" || extension == "midi" || extension == "rmi") return MediaKind::Music;
    if (extension == "wav") return MediaKind::Wave;
    if (extension == "avi") return MediaKind::Video;
    return std::nullopt;
}

std::string rectText(const MediaRect& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.width) + " " +
           std::to_string(r.height);
}

// Flags that change nothing here: no callback window is ever notified and
// every command already returns once it has taken effect.
bool ignorable(const std::string& word) { return sameWord(word, "notify") || sameWord(word, "wait"); }

}  // namespace

MediaCommandInterpreter::MediaCommandInterpreter(MediaEngine& engine, Locator locate)
    : engine_(engine), locate_(locate ? std::move(locate) : Locator(locateMapped)),
      self_(std::make_shared<MediaCommandInterpreter*>(this)) {}

MediaCommandInterpreter::~MediaCommandInterpreter() {
    *self_ = nullptr;
    devices_.clear();
}

unsigned MediaCommandInterpreter::execute(const std::string& command, std::string& reply) {
    reply.clear();
    const auto split = splitCommandWords(command);
    if (!split) return noClosingQuote;
    const Words& words = *split;
    if (words.empty()) return missingCommandString;
    const std::string verb = lowerCase(words[0]);
    if (verb == "open") return open(words);
    if (verb == "close") return close(words);
    if (verb == "play") return play(words);
    if (verb == "stop") return stop(words);
    if (verb == "pause") return pause(words);
    if (verb == "resume") return play(Words{words.begin(), words.begin() + std::min<std::size_t>(2, words.size())});
    if (verb == "where") return where(words, reply);
    if (verb == "put") return put(words);
    if (verb == "status") return status(words, reply);
    return unrecognizedCommand;
}

bool MediaCommandInterpreter::isOpen(const std::string& device) const { return find(device) != nullptr; }

MediaCommandInterpreter::Device* MediaCommandInterpreter::find(const std::string& name) {
    for (auto& device : devices_)
        if (sameWord(device->name, name)) return device.get();
    return nullptr;
}

const MediaCommandInterpreter::Device* MediaCommandInterpreter::find(const std::string& name) const {
    return const_cast<MediaCommandInterpreter*>(this)->find(name);
}

// open ELEMENT [type T] [alias A] [parent H] [style S] [shareable]
unsigned MediaCommandInterpreter::open(const Words& words) {
    if (words.size() < 2) return missingParameter;
    const std::string& element = words[1];
    std::optional<MediaKind> kind;
    std::string alias;
    std::uintptr_t parent = 0;
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::string key = lowerCase(words[i]);
        if (key == "shareable" || ignorable(key)) continue;
        if (key != "type" && key != "alias" && key != "parent" && key != "style") return unrecognizedKeyword;
        if (i + 1 >= words.size()) return missingParameter;
        const std::string& value = words[++i];
        if (key == "type") {
            kind = kindOfType(value);
            if (!kind) return cannotLoadDriver;
        } else if (key == "alias") {
            alias = value;
        } else {
            const auto number = parseNumber(value);
            if (!number) return badInteger;
            if (key == "parent") parent = static_cast<std::uintptr_t>(*number);
        }
    }
    return openDevice(element, kind, alias.empty() ? element : alias, parent);
}

unsigned MediaCommandInterpreter::openDevice(const std::string& element, std::optional<MediaKind> kind,
                                             std::string name, std::uintptr_t parent) {
    if (find(name)) return name == element ? deviceOpen : duplicateAlias;
    if (sameWord(name, "all")) return invalidDeviceName;
    if (!kind) kind = kindOfFile(element);
    if (!kind) return extensionNotFound;
    const auto file = locate_(element);
    if (!file) return fileNotFound;

    const long serial = nextSerial_++;
    // A device whose playback fails later closes itself, quietly.
    auto onFailure = [self = self_, serial] {
        if (*self) (*self)->closeQuietly(serial);
    };
    auto playback = engine_.open(*kind, *file, parent, onFailure);
    if (!playback) return invalidFile;
    auto device = std::make_unique<Device>();
    device->name = std::move(name);
    device->kind = *kind;
    device->destination = playback->naturalSize();
    device->window = device->destination;
    device->playback = std::move(playback);
    device->serial = serial;
    devices_.push_back(std::move(device));
    return 0;
}

void MediaCommandInterpreter::closeQuietly(long serial) {
    std::erase_if(devices_, [serial](const auto& device) { return device->serial == serial; });
}

// close NAME | close all
unsigned MediaCommandInterpreter::close(const Words& words) {
    if (words.size() < 2) return missingParameter;
    for (std::size_t i = 2; i < words.size(); ++i)
        if (!ignorable(words[i])) return unrecognizedKeyword;
    if (sameWord(words[1], "all")) {
        devices_.clear();
        return 0;
    }
    Device* device = find(words[1]);
    if (!device) return invalidDeviceName;
    closeQuietly(device->serial);
    return 0;
}

// play NAME [from MS] — a file name of a known kind opens itself, named as
// written, and plays on until it is closed.
unsigned MediaCommandInterpreter::play(const Words& words) {
    if (words.size() < 2) return missingParameter;
    long from = -1;
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (ignorable(words[i])) continue;
        if (!sameWord(words[i], "from")) return unrecognizedKeyword;
        if (i + 1 >= words.size()) return missingParameter;
        const auto number = parseNumber(words[++i]);
        if (!number || *number > 0x7fffffffull) return badInteger;
        from = static_cast<long>(*number);
    }
    Device* device = find(words[1]);
    if (!device) {
        if (!kindOfFile(words[1])) return invalidDeviceName;
        if (const unsigned error = openDevice(words[1], std::nullopt, words[1], 0)) return error;
        device = find(words[1]);
    }
    device->playback->play(from);
    return 0;
}

unsigned MediaCommandInterpreter::stop(const Words& words) {
    if (words.size() < 2) return missingParameter;
    Device* device = find(words[1]);
    if (!device) return invalidDeviceName;
    for (std::size_t i = 2; i < words.size(); ++i)
        if (!ignorable(words[i])) return unrecognizedKeyword;
    device->playback->stop();
    return 0;
}

unsigned MediaCommandInterpreter::pause(const Words& words) {
    if (words.size() < 2) return missingParameter;
    Device* device = find(words[1]);
    if (!device) return invalidDeviceName;
    for (std::size_t i = 2; i < words.size(); ++i)
        if (!ignorable(words[i])) return unrecognizedKeyword;
    device->playback->pause();
    return 0;
}

// where NAME source|destination|window
unsigned MediaCommandInterpreter::where(const Words& words, std::string& reply) {
    if (words.size() < 2) return missingParameter;
    Device* device = find(words[1]);
    if (!device) return invalidDeviceName;
    if (device->kind != MediaKind::Video) return unsupportedFunction;
    if (words.size() < 3) return missingParameter;
    if (words.size() > 3) return unrecognizedKeyword;
    const std::string item = lowerCase(words[2]);
    if (item == "source") reply = rectText(device->playback->naturalSize());
    else if (item == "destination") reply = rectText(device->destination);
    else if (item == "window") reply = rectText(device->window);
    else return unrecognizedKeyword;
    return 0;
}

// put NAME window|destination at X Y W H
unsigned MediaCommandInterpreter::put(const Words& words) {
    if (words.size() < 2) return missingParameter;
    Device* device = find(words[1]);
    if (!device) return invalidDeviceName;
    if (device->kind != MediaKind::Video) return unsupportedFunction;
    if (words.size() < 3) return missingParameter;
    const std::string item = lowerCase(words[2]);
    if (item != "window" && item != "destination") return unrecognizedKeyword;
    if (words.size() < 4 || !sameWord(words[3], "at")) return words.size() < 4 ? missingParameter : unrecognizedKeyword;
    if (words.size() < 8) return missingParameter;
    if (words.size() > 8) return unrecognizedKeyword;
    int numbers[4];
    for (int n = 0; n < 4; ++n) {
        const auto number = parseNumber(words[4 + n]);
        if (!number || *number > 32767) return badInteger;
        numbers[n] = static_cast<int>(*number);
    }
    const MediaRect rect{numbers[0], numbers[1], numbers[2], numbers[3]};
    if (item == "destination") {
        device->destination = rect;
    } else {
        device->window = rect;
        device->playback->placeWindow(rect);
    }
    return 0;
}

// status NAME mode|position|length|ready
unsigned MediaCommandInterpreter::status(const Words& words, std::string& reply) {
    if (words.size() < 3) return missingParameter;
    const Device* device = find(words[1]);
    if (!device) return invalidDeviceName;
    if (words.size() > 3) return unrecognizedKeyword;
    const std::string item = lowerCase(words[2]);
    if (item == "mode") reply = device->playback->playing() ? "playing" : "stopped";
    else if (item == "position") reply = std::to_string(device->playback->positionMs());
    else if (item == "length") reply = std::to_string(device->playback->lengthMs());
    else if (item == "ready") reply = "true";
    else return unrecognizedKeyword;
    return 0;
}

}  // namespace platform
