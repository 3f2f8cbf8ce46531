#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "sound_files.h"

using namespace demo_media;

namespace {

unsigned le32(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
           static_cast<unsigned char>(b[at + 2]) << 16 | static_cast<unsigned>(static_cast<unsigned char>(b[at + 3])) << 24;
}
unsigned be32(const std::string& b, std::size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(b[at])) << 24 | static_cast<unsigned char>(b[at + 1]) << 16 |
           static_cast<unsigned char>(b[at + 2]) << 8 | static_cast<unsigned char>(b[at + 3]);
}

// Reads a track's events; counts notes switched on and off, checks that
// every running note is switched off and that the track ends properly.
struct TrackSummary {
    int noteOns = 0, noteOffs = 0;
    long lastTick = 0;
    bool ended = false;
};
TrackSummary readTrack(const std::string& track) {
    TrackSummary summary;
    std::size_t at = 0;
    auto variable = [&] {
        unsigned value = 0;
        unsigned char c;
        do {
            c = static_cast<unsigned char>(track.at(at++));
            value = value << 7 | (c & 0x7f);
        } while (c & 0x80);
        return value;
    };
    while (at < track.size()) {
        summary.lastTick += variable();
        const auto status = static_cast<unsigned char>(track.at(at++));
        if (status == 0xff) {
            const auto type = static_cast<unsigned char>(track.at(at++));
            const unsigned length = variable();
            at += length;
            if (type == 0x2f) summary.ended = at == track.size();
        } else if ((status & 0xf0) == 0x90) {
            at += 2;
            ++summary.noteOns;
        } else if ((status & 0xf0) == 0x80) {
            at += 2;
            ++summary.noteOffs;
        } else if ((status & 0xf0) == 0xc0) {
            at += 1;
        } else {
            ADD_FAILURE() << "unexpected status byte " << int(status);
            break;
        }
    }
    return summary;
}

}  // namespace

TEST(SoundFiles, WavHeaderDescribesTheSamples) {
    const std::string wav = wavFile(clickSamples(22050), 22050);
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(le32(wav, 24), 22050u);
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(le32(wav, 40), wav.size() - 44);
}

TEST(SoundFiles, MidiDeltaTimesAndNoteOrder) {
    // A note at 200 ticks: its delta is the two-byte quantity 81 48.
    const std::string midi = midiFile({{200, 10, 0, 60, 100}}, 96, 500000, {});
    EXPECT_EQ(midi.substr(0, 4), "MThd");
    EXPECT_EQ(midi.substr(14, 4), "MTrk");
    const std::string track = midi.substr(22);
    EXPECT_EQ(be32(midi, 18), track.size());
    const std::string noteOn = std::string("\x81\x48\x90\x3c\x64", 5);
    EXPECT_NE(track.find(noteOn), std::string::npos);
    // A note ending where the next begins is switched off first.
    const std::string legato = midiFile({{0, 96, 0, 60, 90}, {96, 96, 0, 60, 90}}, 96, 500000, {}).substr(22);
    EXPECT_NE(legato.find(std::string("\x60\x80\x3c\x00\x00\x90\x3c", 7)), std::string::npos);
}

TEST(SoundFiles, ThemeIsAWellFormedTrackOfAboutHalfAMinute) {
    const std::string midi = themeMidi();
    const std::string track = midi.substr(22);
    ASSERT_EQ(be32(midi, 18), track.size());
    const TrackSummary summary = readTrack(track);
    EXPECT_TRUE(summary.ended);
    EXPECT_GT(summary.noteOns, 50);
    EXPECT_EQ(summary.noteOns, summary.noteOffs);
    const double seconds = summary.lastTick / 96.0 * 0.6;  // 100 beats a minute
    EXPECT_GT(seconds, 30);
    EXPECT_LT(seconds, 60);
}
