#pragma once
// What every GStreamer pipeline of ours needs.

#include <gst/gst.h>

#include <filesystem>
#include <string>

namespace platform {

// gst_init, once; false when GStreamer cannot start.
bool ensureGstreamer();
// A playbin for the file, its audio going to the sound server or card (or,
// without either, to a sink that still keeps real time), MIDI rendered with the
// system's General MIDI soundfont. Null on failure.
GstElement* makePlaybin(const std::filesystem::path& file);

}  // namespace platform
