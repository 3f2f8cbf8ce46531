#include "platform/gstreamer/gst_support.h"

#include <system_error>

namespace platform {

namespace {

std::string generalMidiSoundfont() {
    const std::filesystem::path folder = "/usr/share/sounds/sf2";
    for (const char* name : {"default-GM.sf2", "TimGM6mb.sf2", "FluidR3_GM.sf2"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / name, error)) return (folder / name).string();
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".sf2") return entry.path().string();
    return {};
}

void setUpElement(GstElement*, GstElement* element, gpointer) {
    GstElementFactory* factory = gst_element_get_factory(element);
    if (!factory) return;
    if (std::string(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory))) == "fluiddec") {
        static const std::string soundfont = generalMidiSoundfont();
        if (!soundfont.empty()) g_object_set(element, "soundfont", soundfont.c_str(), nullptr);
    }
}

bool canOpen(const char* factory) {
    GstElement* sink = gst_element_factory_make(factory, nullptr);
    if (!sink) return false;
    gst_object_ref_sink(sink);
    const bool ok = gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_SUCCESS;
    gst_element_set_state(sink, GST_STATE_NULL);
    gst_object_unref(sink);
    return ok;
}

// The sound server's sink where one runs, else the sound card's; chosen once.
// The card sinks are only tried when there is a card: probing them without
// one fills standard error with the sound library's complaints.
std::string audioSinkFactory() {
    static const std::string chosen = [] {
        for (const char* factory : {"pulsesink", "pipewiresink"})
            if (canOpen(factory)) return std::string(factory);
        std::error_code error;
        if (std::filesystem::exists("/dev/snd", error))
            for (const char* factory : {"alsasink", "openalsink"})
                if (canOpen(factory)) return std::string(factory);
        return std::string();
    }();
    return chosen;
}

GstElement* makeAudioSink() {
    const std::string factory = audioSinkFactory();
    if (!factory.empty())
        if (GstElement* sink = gst_element_factory_make(factory.c_str(), nullptr)) return sink;
    // No sound device: a sink that still keeps the clock, so every sound
    // takes its own length.
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (sink) g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

}  // namespace

bool ensureGstreamer() {
    static const bool ready = gst_init_check(nullptr, nullptr, nullptr);
    return ready;
}

GstElement* makePlaybin(const std::filesystem::path& file) {
    if (!ensureGstreamer()) return nullptr;
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) return nullptr;
    gchar* uri = gst_filename_to_uri(file.c_str(), nullptr);
    g_object_set(playbin, "uri", uri, nullptr);
    g_free(uri);
    if (GstElement* audio = makeAudioSink()) g_object_set(playbin, "audio-sink", audio, nullptr);
    g_signal_connect(playbin, "element-setup", G_CALLBACK(setUpElement), nullptr);
    return playbin;
}

}  // namespace platform
