#include "test_media.h"

#include <gst/gst.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform_tests {

namespace {

void runPipeline(const std::string& description) {
    gst_init(nullptr, nullptr);
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    if (!pipeline) throw std::runtime_error(error ? error->message : "bad pipeline");
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(bus, 30 * GST_SECOND,
                                                     GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message) gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    if (!ok) throw std::runtime_error("pipeline failed: " + description);
}

}  // namespace

void makeClip(const std::filesystem::path& file, std::uint32_t colour, int width, int height, double seconds) {
    const int frames = static_cast<int>(seconds * 25);
    runPipeline("videotestsrc pattern=solid-color foreground-color=" + std::to_string(0xff000000u | colour) +
                " num-buffers=" + std::to_string(frames) + " ! video/x-raw,width=" + std::to_string(width) +
                ",height=" + std::to_string(height) + ",framerate=25/1 ! jpegenc ! avimux ! filesink location=\"" +
                file.string() + "\"");
}

void makeTone(const std::filesystem::path& file, double seconds) {
    const int buffers = static_cast<int>(seconds * 10);
    runPipeline("audiotestsrc num-buffers=" + std::to_string(buffers) +
                " samplesperbuffer=4410 ! audio/x-raw,rate=44100,channels=1 ! wavenc ! filesink location=\"" +
                file.string() + "\"");
}

void makeTune(const std::filesystem::path& file, int notes) {
    std::vector<unsigned char> track;
    auto delta = [&track](unsigned ticks) {  // variable-length quantity
        unsigned char bytes[4];
        int n = 0;
        do {
            bytes[n++] = ticks & 0x7f;
            ticks >>= 7;
        } while (ticks);
        while (n > 1) track.push_back(bytes[--n] | 0x80);
        track.push_back(bytes[0]);
    };
    track.insert(track.end(), {0x00, 0xC0, 0x00});  // piano
    for (int i = 0; i < notes; ++i) {
        const unsigned char key = static_cast<unsigned char>(60 + (i % 12));
        delta(0);
        track.insert(track.end(), {0x90, key, 0x60});
        delta(96);  // a quarter note at the default 120 per minute: 0.5 s
        track.insert(track.end(), {0x80, key, 0x40});
    }
    delta(0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});
    std::ofstream out(file, std::ios::binary);
    auto be32 = [&out](std::uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) out.put(static_cast<char>((v >> s) & 0xff));
    };
    out.write("MThd", 4);
    be32(6);
    const unsigned char header[6] = {0, 0, 0, 1, 0, 96};
    out.write(reinterpret_cast<const char*>(header), 6);
    out.write("MTrk", 4);
    be32(static_cast<std::uint32_t>(track.size()));
    out.write(reinterpret_cast<const char*>(track.data()), static_cast<std::streamsize>(track.size()));
}

}  // namespace platform_tests
