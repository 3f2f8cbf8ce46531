// The yardstick for Play: a GStreamer program that is already initialised,
// with its window on the screen where the launcher's is, showing the logo's
// colour. Says "ready" on standard output; on any byte from standard input
// plays the clip (argument 1) in a child window at 10,10 as the launcher
// does: prerolled first, then shown and played.
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <gst/gst.h>
#include <gst/video/videooverlay.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    gst_init(&argc, &argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = std::strtoul(argv[2], nullptr, 16);
    const Window window = XCreateWindow(display, DefaultRootWindow(display), 347, 175, 328, 416, 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    const Window clip = XCreateSimpleWindow(display, window, 10, 10, 160, 120, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);
    // A playbin and its sinks made once, so that their plugins are loaded.
    gst_object_unref(gst_object_ref_sink(gst_element_factory_make("playbin", nullptr)));
    gst_object_unref(gst_object_ref_sink(gst_element_factory_make("ximagesink", nullptr)));
    std::printf("ready\n");
    std::fflush(stdout);

    char go = 0;
    if (read(0, &go, 1) != 1) return 1;
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    gchar* uri = gst_filename_to_uri(argv[1], nullptr);
    g_object_set(playbin, "uri", uri, nullptr);
    g_free(uri);
    GstElement* sink = gst_element_factory_make("ximagesink", nullptr);
    g_object_set(sink, "handle-events", FALSE, nullptr);
    g_object_set(playbin, "video-sink", sink, "audio-sink", gst_element_factory_make("fakesink", nullptr), nullptr);
    gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(sink), clip);
    gst_element_set_state(playbin, GST_STATE_PAUSED);
    gst_element_get_state(playbin, nullptr, nullptr, 5 * GST_SECOND);
    XMapWindow(display, clip);
    XSync(display, False);
    gst_element_set_state(playbin, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(playbin);
    if (GstMessage* end = gst_bus_timed_pop_filtered(bus, 20 * GST_SECOND,
                                                     GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)))
        gst_message_unref(end);
    return 0;
}
