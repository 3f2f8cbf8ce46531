#pragma once
// Playing a sound file to its end before returning.

#include <filesystem>

namespace platform {

// Plays the file and returns when it has finished, servicing no events.
// False when it could not be played (nothing, or only part, was heard).
// A guard ends a sound that runs well past its own length.
bool playSoundToEnd(const std::filesystem::path& file);

}  // namespace platform
