#pragma once
// The launcher starting the Windows key-logging game through Wine: a game
// folder of its own, the start screen, one action on it, the game's key log.

#include <QRect>

#include <filesystem>
#include <functional>
#include <string>

#include "x_session.h"

namespace wine_run {

inline const std::string kPlayKeys = "Space\nSpace\nSpace\nAlt+G\nReturn\n";
inline const std::string kSkipKeys = "Alt+G\nReturn\n";

// Every Wine process of `prefix` ends with the object.
class WinePrefix {
public:
    explicit WinePrefix(const std::filesystem::path& prefix);
    ~WinePrefix();
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;
};

// Starts the launcher in a game folder holding the Windows game, waits for
// the start screen and hands `act` its client area; returns the game's key
// log once it is as long as `expected`, and keeps a screenshot of the game's
// window as `shot`.
std::string runLauncher(desktop_driver::XSession& x, const std::string& expected, const std::string& shot,
                        const std::function<void(QRect)>& act);

// Runs `run` with openbox managing the display; a failure to start openbox
// is a test failure.
void underOpenbox(desktop_driver::XSession& x, const std::function<void()>& run);

}  // namespace wine_run
