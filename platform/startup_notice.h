#pragma once
// The desktop's start-up notification: the id a launcher gives the program
// it starts (DESKTOP_STARTUP_ID), and the messages that announce the start
// and its end to the window manager, cut into the pieces they travel in.

#include <string>
#include <utility>
#include <vector>

namespace platform {

// Unique on the display; `time` is the X server time of the player's click
// or key that started the program, which the window manager weighs before it
// gives the program's window the focus.
std::string startupId(const std::string& launcher, long launcherPid, const std::string& host,
                      const std::string& program, unsigned serial, unsigned long time);

// "new:" or "remove:", then each KEY="value" with '"', '\\' and blanks
// inside values escaped.
using StartupFields = std::vector<std::pair<std::string, std::string>>;
std::string startupMessage(const std::string& kind, const StartupFields& fields);

// The message with its closing NUL in pieces of 20 bytes, the last one
// padded with NULs: one client message each.
std::vector<std::string> startupMessagePieces(const std::string& message);

}  // namespace platform
