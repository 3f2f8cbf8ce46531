#pragma once
// Media files made at test time: a solid-colour clip, a tone, a tune.

#include <cstdint>
#include <filesystem>

namespace platform_tests {

// An MJPEG AVI of one colour (0xRRGGBB).
void makeClip(const std::filesystem::path& file, std::uint32_t colour, int width, int height, double seconds);
// A sine tone as a WAV file.
void makeTone(const std::filesystem::path& file, double seconds);
// A Standard MIDI File: a scale of half-second notes.
void makeTune(const std::filesystem::path& file, int notes);

}  // namespace platform_tests
