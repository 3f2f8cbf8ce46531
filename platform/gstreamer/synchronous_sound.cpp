#include "platform/gstreamer/synchronous_sound.h"

#include "platform/clock_and_wait.h"
#include "platform/gstreamer/gst_support.h"

namespace platform {

namespace {

constexpr double startGuardSeconds = 10.0;    // until the length is known
constexpr double unknownLengthSeconds = 60.0;  // a stream that never tells
constexpr double lengthMargin = 1.25;
constexpr double marginSeconds = 2.0;

}  // namespace

bool playSoundToEnd(const std::filesystem::path& file) {
    GstElement* pipeline = makePlaybin(file);
    if (!pipeline) return false;
    gst_object_ref_sink(pipeline);
    if (GstElement* noVideo = gst_element_factory_make("fakesink", nullptr))
        g_object_set(pipeline, "video-sink", noVideo, nullptr);
    GstBus* bus = gst_element_get_bus(pipeline);

    bool finished = false;
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE) {
        const double start = monotonicSeconds();
        double guard = startGuardSeconds;
        bool started = false;
        while (monotonicSeconds() - start < guard) {
            GstMessage* message = gst_bus_timed_pop_filtered(
                bus, 100 * GST_MSECOND,
                GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS | GST_MESSAGE_ASYNC_DONE));
            if (!message) continue;
            const auto type = GST_MESSAGE_TYPE(message);
            gst_message_unref(message);
            if (type == GST_MESSAGE_ERROR) break;
            if (type == GST_MESSAGE_EOS) {
                finished = true;
                break;
            }
            if (!started) {
                started = true;
                gint64 length = 0;
                guard = monotonicSeconds() - start +
                        (gst_element_query_duration(pipeline, GST_FORMAT_TIME, &length) && length > 0
                             ? static_cast<double>(length) / GST_SECOND * lengthMargin + marginSeconds
                             : unknownLengthSeconds);
            }
        }
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(bus);
    gst_object_unref(pipeline);
    return finished;
}

}  // namespace platform
