#include "sound_files.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace demo_media {

namespace {

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}
void put32(std::string& out, unsigned value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}
void put16be(std::string& out, unsigned value) {
    out += static_cast<char>((value >> 8) & 0xff);
    out += static_cast<char>(value & 0xff);
}
void put32be(std::string& out, unsigned value) {
    put16be(out, value >> 16);
    put16be(out, value & 0xffff);
}
// MIDI variable-length quantity.
void putVariable(std::string& out, unsigned value) {
    char bytes[5];
    int count = 0;
    bytes[count++] = static_cast<char>(value & 0x7f);
    while (value >>= 7) bytes[count++] = static_cast<char>(0x80 | (value & 0x7f));
    while (count) out += bytes[--count];
}

}  // namespace

std::string wavFile(const std::vector<std::int16_t>& samples, int sampleRate) {
    const unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    std::string out = "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<unsigned>(sampleRate));
    put32(out, static_cast<unsigned>(sampleRate * 2));
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, dataBytes);
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::vector<std::int16_t> clickSamples(int sampleRate) {
    const int count = sampleRate * 70 / 1000;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
    unsigned noise = 12345;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        noise = noise * 1664525u + 1013904223u;
        const double hiss = (static_cast<double>(noise >> 16) / 32768.0 - 1.0) * std::exp(-t * 400);
        const double tone = 0.6 * std::sin(2 * std::numbers::pi * 1800 * t) * std::exp(-t * 90) +
                            0.4 * std::sin(2 * std::numbers::pi * 760 * t) * std::exp(-t * 60);
        const double value = std::clamp(0.55 * (tone + 0.5 * hiss), -1.0, 1.0);
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(value * 32000);
    }
    return samples;
}

std::string midiFile(const std::vector<Note>& notes, int ticksPerQuarter, int microsecondsPerQuarter,
                     const std::vector<std::pair<int, int>>& programs) {
    struct Event {
        int tick;
        int order;  // note-offs before note-ons at the same tick
        std::string bytes;
    };
    std::vector<Event> events;
    for (const Note& n : notes) {
        events.push_back({n.start, 1, {static_cast<char>(0x90 | n.channel), static_cast<char>(n.pitch),
                                       static_cast<char>(n.velocity)}});
        events.push_back({n.start + n.length, 0,
                          {static_cast<char>(0x80 | n.channel), static_cast<char>(n.pitch), 0}});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return std::tie(a.tick, a.order) < std::tie(b.tick, b.order); });

    std::string track;
    putVariable(track, 0);
    track += "\xff\x51\x03";
    track += static_cast<char>((microsecondsPerQuarter >> 16) & 0xff);
    track += static_cast<char>((microsecondsPerQuarter >> 8) & 0xff);
    track += static_cast<char>(microsecondsPerQuarter & 0xff);
    for (auto [channel, program] : programs) {
        putVariable(track, 0);
        track += static_cast<char>(0xc0 | channel);
        track += static_cast<char>(program);
    }
    int now = 0;
    for (const Event& e : events) {
        putVariable(track, static_cast<unsigned>(e.tick - now));
        track += e.bytes;
        now = e.tick;
    }
    putVariable(track, 0);
    track += std::string("\xff\x2f\x00", 3);

    std::string out = "MThd";
    put32be(out, 6);
    put16be(out, 0);  // format 0
    put16be(out, 1);  // one track
    put16be(out, static_cast<unsigned>(ticksPerQuarter));
    out += "MTrk";
    put32be(out, static_cast<unsigned>(track.size()));
    return out + track;
}

std::string themeMidi() {
    const int q = 96;  // ticks per quarter note
    const int bar = 4 * q;
    std::vector<Note> notes;
    // Am, F, C, G: root of the bass and the three notes of the pad chord.
    const int roots[4] = {45, 41, 48, 43};
    const int chords[4][3] = {{57, 60, 64}, {53, 57, 60}, {55, 60, 64}, {55, 59, 62}};
    // The lead, two bars per chord: (pitch, quarter notes), 0 is a rest.
    const std::vector<std::pair<int, int>> lead[2] = {
        {{69, 2}, {72, 1}, {76, 1}, {74, 2}, {72, 1}, {71, 1},
         {69, 2}, {65, 2}, {72, 3}, {0, 1},
         {67, 1}, {72, 1}, {76, 2}, {79, 2}, {76, 1}, {74, 1},
         {71, 3}, {74, 1}, {67, 4}},
        {{76, 1}, {74, 1}, {72, 1}, {69, 1}, {72, 2}, {76, 2},
         {77, 3}, {76, 1}, {72, 4},
         {79, 2}, {76, 1}, {72, 1}, {74, 2}, {76, 2},
         {74, 2}, {71, 2}, {69, 4}}};
    int start = 0;
    for (int round = 0; round < 2; ++round) {
        for (int c = 0; c < 4; ++c) {
            const int chordStart = start + c * 2 * bar;
            for (int pitch : chords[c]) notes.push_back({chordStart, 2 * bar - 8, 0, pitch, 58});
            for (int beat = 0; beat < 8; ++beat)
                notes.push_back({chordStart + beat * q, q - 12, 1, roots[c] - (beat % 4 == 3 ? 0 : 12), 84});
        }
        int at = start;
        for (auto [pitch, quarters] : lead[round]) {
            if (pitch) notes.push_back({at, quarters * q - 10, 2, pitch, 96});
            at += quarters * q;
        }
        start += 8 * bar;
    }
    // A last A minor chord to close.
    for (int pitch : {45, 57, 60, 64, 69}) notes.push_back({start, 2 * bar, pitch < 50 ? 1 : 0, pitch, 70});
    return midiFile(notes, q, 600000 /* 100 beats a minute */, {{0, 89}, {1, 38}, {2, 80}});
}

}  // namespace demo_media
