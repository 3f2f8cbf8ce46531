#pragma once
// The demo's sounds, synthesised here: a button click as a WAV file and the
// menu music as a standard MIDI file.

#include <cstdint>
#include <string>
#include <vector>

namespace demo_media {

// RIFF/WAVE, 16-bit PCM mono.
std::string wavFile(const std::vector<std::int16_t>& samples, int sampleRate);
// A short, bright click: two decaying tones over a burst of noise.
std::vector<std::int16_t> clickSamples(int sampleRate);

// One note of a MIDI track, times in ticks.
struct Note {
    int start = 0, length = 0;
    int channel = 0, pitch = 60, velocity = 90;
};

// Standard MIDI file, format 0: one track with tempo, instruments and notes.
std::string midiFile(const std::vector<Note>& notes, int ticksPerQuarter, int microsecondsPerQuarter,
                     const std::vector<std::pair<int, int>>& programs /* channel, instrument */);
// The menu theme: about half a minute in A minor, pad chords, bass and a lead.
std::string themeMidi();

}  // namespace demo_media
