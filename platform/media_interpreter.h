#pragma once
// The multimedia command strings: open, where, put, play, stop, pause,
// resume, status and close, on devices named by alias or by file.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/media_engine.h"

namespace platform {

class MediaCommandInterpreter {
public:
    // `locate` turns a file name as written into an existing file, or
    // nullopt; by default through the Windows path mapping.
    using Locator = std::function<std::optional<std::filesystem::path>(const std::string&)>;
    explicit MediaCommandInterpreter(MediaEngine& engine, Locator locate = {});
    ~MediaCommandInterpreter();

    // Runs one command; returns 0 or an error number and sets `reply` (empty
    // for commands without one). A failing command changes nothing.
    unsigned execute(const std::string& command, std::string& reply);

    bool isOpen(const std::string& device) const;

private:
    struct Device {
        std::string name;  // as written; looked up case-insensitively
        MediaKind kind;
        std::unique_ptr<MediaPlayback> playback;
        MediaRect destination;
        MediaRect window;
        long serial;
    };
    using Words = std::vector<std::string>;

    unsigned open(const Words& words);
    unsigned openDevice(const std::string& element, std::optional<MediaKind> kind, std::string name,
                        std::uintptr_t parent);
    unsigned close(const Words& words);
    unsigned play(const Words& words);
    unsigned stop(const Words& words);
    unsigned pause(const Words& words);
    unsigned where(const Words& words, std::string& reply);
    unsigned put(const Words& words);
    unsigned status(const Words& words, std::string& reply);

    Device* find(const std::string& name);
    const Device* find(const std::string& name) const;
    void closeQuietly(long serial);

    MediaEngine& engine_;
    Locator locate_;
    std::vector<std::unique_ptr<Device>> devices_;
    long nextSerial_ = 1;
    std::shared_ptr<MediaCommandInterpreter*> self_;  // lets late failures find us, or not
};

}  // namespace platform
