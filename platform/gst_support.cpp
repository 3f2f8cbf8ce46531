#include "platform/gst_support.h"

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
    // autoaudiosink falls back to a fake sink that syncs on the clock when
    // there is no sound device, so sounds still take their length.
    if (GstElement* audio = gst_element_factory_make("autoaudiosink", nullptr))
        g_object_set(playbin, "audio-sink", audio, nullptr);
    g_signal_connect(playbin, "element-setup", G_CALLBACK(setUpElement), nullptr);
    return playbin;
}

}  // namespace platform
