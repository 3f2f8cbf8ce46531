// Qt before Xlib and GStreamer's headers.
#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "platform/gstreamer/gst_media_engine.h"

#include <gst/video/video.h>
#include <optional>
#include <gst/video/videooverlay.h>

#include "platform/gstreamer/gst_support.h"
#include "platform/x11/x_display.h"

namespace platform {

namespace {

constexpr GstClockTime openTimeout = 5 * GST_SECOND;

// The native window a clip is drawn into. It paints nothing itself; when it
// is uncovered the sink draws its last frame again.
class VideoSurface : public QWindow {
public:
    VideoSurface(QWindow* parent, GstElement* sink) : QWindow(parent), sink_(sink) {}

    // The sink learns the window's size only when told to draw again, and
    // draws from a connection of its own: Qt's queued requests go to the
    // server first, so that the frame lands in the window as it now is.
    void redrawAfterChange() {
        if (!sink_ || !isVisible()) return;
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 && x11->display()) XSync(x11->display(), False);
        gst_video_overlay_expose(GST_VIDEO_OVERLAY(sink_));
    }

protected:
    void exposeEvent(QExposeEvent*) override {
        if (sink_ && isExposed()) gst_video_overlay_expose(GST_VIDEO_OVERLAY(sink_));
    }

private:
    GstElement* sink_;
};

// What the streaming threads may touch: only a weak reference to this.
struct PlaybackState {
    std::function<void()> onFailure;
    bool playing = false;
    GstElement* pipeline = nullptr;
};

// The context outlives every pipeline: the engine owns it and closes its
// devices first.
struct BusTarget {
    QObject* context;
    std::weak_ptr<PlaybackState> state;
};

GstBusSyncReply onBusMessage(GstBus*, GstMessage* message, gpointer data) {
    const auto type = GST_MESSAGE_TYPE(message);
    if (type != GST_MESSAGE_ERROR && type != GST_MESSAGE_EOS) return GST_BUS_PASS;
    const auto* target = static_cast<BusTarget*>(data);
    if (QObject* context = target->context) {
        std::weak_ptr<PlaybackState> weak = target->state;
        QMetaObject::invokeMethod(
            context,
            [weak, type] {
                const auto state = weak.lock();
                if (!state) return;
                if (type == GST_MESSAGE_EOS) {
                    // The clip ends on its last frame; the device stays open.
                    state->playing = false;
                    gst_element_set_state(state->pipeline, GST_STATE_PAUSED);
                } else if (state->onFailure) {
                    state->playing = false;
                    state->onFailure();  // closes the device, and this with it
                }
            },
            Qt::QueuedConnection);
    }
    gst_message_unref(message);
    return GST_BUS_DROP;
}

bool onX11() {
    return QGuiApplication::instance() && QGuiApplication::platformName() == QLatin1String("xcb");
}

// The clip's own size, from the format its first video stream settled on
// while prerolling; none when it has no picture.
std::optional<MediaRect> prerolledClipSize(GstElement* playbin) {
    GstPad* pad = nullptr;
    g_signal_emit_by_name(playbin, "get-video-pad", 0, &pad);
    if (!pad) return std::nullopt;
    GstCaps* caps = gst_pad_get_current_caps(pad);
    gst_object_unref(pad);
    if (!caps) return std::nullopt;
    GstVideoInfo info;
    const bool known = gst_video_info_from_caps(&info, caps);
    gst_caps_unref(caps);
    if (!known) return std::nullopt;
    return MediaRect{0, 0, GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info)};
}

struct VideoSink {
    GstElement* bin = nullptr;   // what playbin is given
    GstElement* sink = nullptr;  // what draws into the window
};

// A converter and the sink, without a scaler: the sink prefers caps of its
// window's size, and with a scaler in the path the first frames would be
// scaled to the window as it was when prerolling began (1 x 1). A clip is
// shown at its own size.
VideoSink makeVideoSink() {
    // Xvfb has no XVideo adaptor; ximagesink starts fast, glimagesink is the
    // fallback.
    for (const char* name : {"ximagesink", "glimagesink"}) {
        GstElement* sink = gst_element_factory_make(name, nullptr);
        if (!sink) continue;
        // Qt owns the window's input; the sink must not select it.
        g_object_set(sink, "handle-events", FALSE, nullptr);
        GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
        if (!convert) {
            gst_object_unref(gst_object_ref_sink(sink));
            return {};
        }
        GstElement* bin = gst_bin_new(nullptr);
        gst_bin_add_many(GST_BIN(bin), convert, sink, nullptr);
        gst_element_link(convert, sink);
        GstPad* input = gst_element_get_static_pad(convert, "sink");
        gst_element_add_pad(bin, gst_ghost_pad_new("sink", input));
        gst_object_unref(input);
        return {bin, sink};
    }
    return {};
}

void playNativeVideo(GstElement* playbin) {
    constexpr guint nativeVideo = 1u << 6;  // playbin leaves out its own converter and scaler
    guint flags = 0;
    g_object_get(playbin, "flags", &flags, nullptr);
    g_object_set(playbin, "flags", flags | nativeVideo, nullptr);
}

GstElement* makeSilentVideoSink() {
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (sink) g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

class GstPlayback final : public MediaPlayback {
public:
    ~GstPlayback() override {
        GstElement* pipeline = state_->pipeline;
        if (!pipeline) return;
        GstBus* bus = gst_element_get_bus(pipeline);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        if (surface_ || foreignParent_) {
            // The sink must let go of the window before it goes.
            gst_element_set_state(pipeline, GST_STATE_NULL);
            delete surface_.data();
            delete foreignParent_;
            gst_object_unref(pipeline);
            return;
        }
        // Closing an audio device waits for its sound output to wind down;
        // nobody needs to wait for that (music closed before a clip plays).
        gst_element_call_async(
            pipeline, [](GstElement* element, gpointer) { gst_element_set_state(element, GST_STATE_NULL); },
            pipeline, gst_object_unref);
    }

    bool start(MediaKind kind, const std::filesystem::path& file, std::uintptr_t parentWindow,
               std::function<void()> onFailure, QObject* context) {
        state_->onFailure = std::move(onFailure);
        GstElement* pipeline = makePlaybin(file);
        if (!pipeline) return false;
        state_->pipeline = GST_ELEMENT(gst_object_ref_sink(pipeline));

        VideoSink video;
        if (kind == MediaKind::Video && onX11()) video = makeVideoSink();
        GstElement* videoSink = video.bin;
        if (videoSink) {
            QWindow* parent = nullptr;
            if (!parentFor(parentWindow, parent)) {
                gst_object_unref(gst_object_ref_sink(videoSink));
                return false;
            }
            playNativeVideo(state_->pipeline);
            surface_ = new VideoSurface(parent, video.sink);
            // Sized once prerolling has told the clip's size.
            surface_->setGeometry(0, 0, 1, 1);
            surface_->create();
            gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(video.sink), surface_->winId());
            // A window closed under a playing clip must not be drawn into.
            std::weak_ptr<PlaybackState> weak = state_;
            QObject::connect(surface_.data(), &QObject::destroyed, context, [weak] {
                if (auto state = weak.lock()) gst_element_set_state(state->pipeline, GST_STATE_NULL);
            });
        } else {
            videoSink = makeSilentVideoSink();
        }
        if (videoSink) g_object_set(state_->pipeline, "video-sink", videoSink, nullptr);

        GstBus* bus = gst_element_get_bus(state_->pipeline);
        gst_bus_set_sync_handler(bus, onBusMessage, new BusTarget{context, state_},
                                 [](gpointer data) { delete static_cast<BusTarget*>(data); });
        gst_object_unref(bus);

        // Opening means prerolled: errors in the file show here, not later.
        if (gst_element_set_state(state_->pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) return false;
        if (gst_element_get_state(state_->pipeline, nullptr, nullptr, openTimeout) == GST_STATE_CHANGE_FAILURE)
            return false;
        if (kind != MediaKind::Video) return true;
        const auto size = prerolledClipSize(state_->pipeline);
        if (!size) return false;
        size_ = *size;
        if (surface_) surface_->setGeometry(0, 0, std::max(1, size_.width), std::max(1, size_.height));
        return true;
    }

    MediaRect naturalSize() const override { return size_; }

    void play(long fromMs) override {
        // A clip just opened is prerolled at its start; seeking there again
        // would only throw the prerolled frame away.
        if (fromMs > 0 || (fromMs == 0 && !atStart_))
            gst_element_seek_simple(state_->pipeline, GST_FORMAT_TIME,
                                    GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                    static_cast<gint64>(fromMs) * GST_MSECOND);
        if (surface_) {
            surface_->show();
            surface_->redrawAfterChange();
        }
        gst_element_set_state(state_->pipeline, GST_STATE_PLAYING);
        state_->playing = true;
        atStart_ = false;
    }

    void stop() override { pause(); }

    void pause() override {
        gst_element_set_state(state_->pipeline, GST_STATE_PAUSED);
        state_->playing = false;
    }

    void placeWindow(const MediaRect& rect) override {
        if (!surface_) return;
        surface_->setGeometry(rect.left, rect.top, std::max(1, rect.width), std::max(1, rect.height));
        surface_->redrawAfterChange();
    }

    long positionMs() const override { return query(gst_element_query_position); }
    long lengthMs() const override { return query(gst_element_query_duration); }
    bool playing() const override { return state_->playing; }

private:
    // The window a clip is drawn inside: ours when the handle is one of our
    // widgets, else the foreign window itself; none for handle 0. False when
    // the handle names no window.
    bool parentFor(std::uintptr_t handle, QWindow*& parent) {
        parent = nullptr;
        if (handle == 0) return true;
        if (QWidget* widget = QWidget::find(static_cast<WId>(handle))) {
            parent = widget->windowHandle() ? widget->windowHandle() : widget->window()->windowHandle();
            if (parent) return true;
        }
        if (!windowExists(handle)) return false;
        foreignParent_ = QWindow::fromWinId(static_cast<WId>(handle));
        parent = foreignParent_;
        return true;
    }

    static bool windowExists(std::uintptr_t handle) {
        XConnection connection;
        Display* display = connection.display();
        if (!display) return false;
        XErrorTrap trap(display);
        XWindowAttributes attributes;
        return XGetWindowAttributes(display, static_cast<Window>(handle), &attributes) && !trap.failed();
    }

    long query(gboolean (*how)(GstElement*, GstFormat, gint64*)) const {
        gint64 value = 0;
        if (!state_->pipeline || !how(state_->pipeline, GST_FORMAT_TIME, &value) || value < 0) return 0;
        return static_cast<long>(value / GST_MSECOND);
    }

    std::shared_ptr<PlaybackState> state_ = std::make_shared<PlaybackState>();
    MediaRect size_;
    bool atStart_ = true;
    QPointer<VideoSurface> surface_;
    QWindow* foreignParent_ = nullptr;
};

}  // namespace

GstMediaEngine::GstMediaEngine() : context_(std::make_unique<QObject>()) {}
GstMediaEngine::~GstMediaEngine() = default;

std::unique_ptr<MediaPlayback> GstMediaEngine::open(MediaKind kind, const std::filesystem::path& file,
                                                    std::uintptr_t parentWindow, std::function<void()> onFailure) {
    if (!ensureGstreamer()) return nullptr;
    auto playback = std::make_unique<GstPlayback>();
    if (!playback->start(kind, file, parentWindow, std::move(onFailure), context_.get())) return nullptr;
    return playback;
}

}  // namespace platform
