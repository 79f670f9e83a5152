// GStreamer's headers come first: a GLib header uses a member name that Qt defines as a macro.
#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include "platform/gstplaybin.h"

#include <QFileInfo>
#include <QUrl>

namespace {

// playbin's flags: video, audio and a volume of its own; no subtitles, no visualisation.
constexpr guint PlayVideo = 1U << 0;
constexpr guint PlayAudio = 1U << 1;
constexpr guint PlaySoftVolume = 1U << 4;

// The soundfont synthesiser's master gain. At its own default (0.2) a MIDI song sounds about
// 30 dB below the other songs; this brings it within a few dB of them without clipping chords.
constexpr double SynthesiserGain = 1.6;

GstBusSyncReply onBusMessage(GstBus *, GstMessage *message, gpointer data)
{
    const auto *sink = static_cast<const GstPlaybin::MessageSink *>(data);
    (*sink)(gst_message_ref(message));
    return GST_BUS_DROP;
}

// The frame a sample holds, as 32-bit RGB (the sink's caps ask for BGRx, which is the same in
// memory on this machine's byte order).
QImage frameOf(GstSample *sample)
{
    GstCaps *caps = gst_sample_get_caps(sample);
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    const GstStructure *format = caps ? gst_caps_get_structure(caps, 0) : nullptr;
    int width = 0;
    int height = 0;
    if (!format || !buffer || !gst_structure_get_int(format, "width", &width) ||
        !gst_structure_get_int(format, "height", &height) || width <= 0 || height <= 0)
        return {};
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return {};
    QImage frame;
    const gsize stride = static_cast<gsize>(width) * 4;
    if (map.size >= stride * static_cast<gsize>(height))
        frame =
            QImage(map.data, width, height, static_cast<qsizetype>(stride), QImage::Format_RGB32)
                .copy();
    gst_buffer_unmap(buffer, &map);
    return frame;
}

GstFlowReturn onSample(GstAppSink *sink, gpointer data, bool preroll)
{
    GstSample *sample = preroll ? gst_app_sink_pull_preroll(sink) : gst_app_sink_pull_sample(sink);
    if (!sample)
        return GST_FLOW_OK;
    static_cast<GstPlaybin *>(data)->storeFrame(frameOf(sample));
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

GstFlowReturn onNewSample(GstAppSink *sink, gpointer data)
{
    return onSample(sink, data, false);
}

GstFlowReturn onNewPreroll(GstAppSink *sink, gpointer data)
{
    return onSample(sink, data, true);
}

void onElementSetup(GstElement *, GstElement *element, gpointer data)
{
    static_cast<GstPlaybin *>(data)->tuneSynthesiser(element);
}

} // namespace

GstPlaybin::GstPlaybin(MessageSink messages, FrameSink frames)
    : m_messages(std::move(messages)), m_frames(std::move(frames))
{
    m_playbin = gst_element_factory_make("playbin", nullptr);
    m_audioSink = makeAudioSink();
    GstElement *video = makeVideoSink();
    if (!m_playbin || !m_audioSink || !video) {
        for (GstElement *element : {m_playbin, m_audioSink, video}) {
            if (element)
                gst_object_unref(element);
        }
        m_playbin = nullptr;
        m_audioSink = nullptr;
        return;
    }
    g_object_set(m_playbin, "audio-sink", m_audioSink, "video-sink", video, "flags",
                 PlayVideo | PlayAudio | PlaySoftVolume, nullptr);
    g_signal_connect(m_playbin, "element-setup", G_CALLBACK(onElementSetup), this);
    GstBus *bus = gst_element_get_bus(m_playbin);
    gst_bus_set_sync_handler(bus, onBusMessage, &m_messages, nullptr);
    gst_object_unref(bus);
}

GstPlaybin::~GstPlaybin()
{
    if (!m_playbin)
        return;
    gst_element_set_state(m_playbin, GST_STATE_NULL);
    GstBus *bus = gst_element_get_bus(m_playbin);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(m_playbin);
}

// The sound server's sink; without a server to reach, a sink that takes the sound in silence
// at the song's pace, so that songs and videos still run as on a machine without loudspeakers.
GstElement *GstPlaybin::makeAudioSink()
{
    GstElement *sink = gst_element_factory_make("pulsesink", nullptr);
    if (sink) {
        g_object_set(sink, "client-name", "Zefiro", nullptr);
        const bool reached =
            gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
        gst_element_set_state(sink, GST_STATE_NULL);
        if (reached)
            return sink;
        gst_object_unref(sink);
    }
    sink = gst_element_factory_make("fakesink", nullptr);
    if (sink)
        g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

GstElement *GstPlaybin::makeVideoSink()
{
    GError *error = nullptr;
    GstElement *bin = gst_parse_bin_from_description(
        "videoconvert ! videoscale ! capsfilter name=size "
        "caps=video/x-raw,format=BGRx,pixel-aspect-ratio=1/1 ! appsink name=frames",
        TRUE, &error);
    if (!bin) {
        g_clear_error(&error);
        return nullptr;
    }
    m_frameSize = gst_bin_get_by_name(GST_BIN(bin), "size");
    GstElement *sink = gst_bin_get_by_name(GST_BIN(bin), "frames");
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = onNewSample;
    callbacks.new_preroll = onNewPreroll;
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
    g_object_set(sink, "max-buffers", 2U, "drop", TRUE, nullptr);
    gst_object_unref(sink);
    // The bin holds its own reference to the caps filter.
    gst_object_unref(m_frameSize);
    return bin;
}

void GstPlaybin::reset(const QString &path, const QString &outputDevice)
{
    if (!m_playbin)
        return;
    gst_element_set_state(m_playbin, GST_STATE_NULL);
    storeFrame({});
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    g_object_set(m_playbin, "uri", uri.constData(), nullptr);
    const QByteArray device = outputDevice.toUtf8();
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(m_audioSink), "device"))
        g_object_set(m_audioSink, "device", outputDevice.isEmpty() ? nullptr : device.constData(),
                     nullptr);
}

bool GstPlaybin::setTarget(Target target)
{
    if (!m_playbin)
        return false;
    GstState state = GST_STATE_NULL;
    if (target == Target::Ready)
        state = GST_STATE_READY;
    else if (target == Target::Paused)
        state = GST_STATE_PAUSED;
    else if (target == Target::Playing)
        state = GST_STATE_PLAYING;
    return gst_element_set_state(m_playbin, state) != GST_STATE_CHANGE_FAILURE;
}

bool GstPlaybin::seek(qint64 ns, double rate)
{
    if (!m_playbin)
        return false;
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    return gst_element_seek(m_playbin, rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                            qMax<qint64>(0, ns), GST_SEEK_TYPE_NONE, -1) != FALSE;
}

qint64 GstPlaybin::positionNs() const
{
    gint64 ns = -1;
    if (!m_playbin || !gst_element_query_position(m_playbin, GST_FORMAT_TIME, &ns))
        return -1;
    return ns;
}

qint64 GstPlaybin::durationNs() const
{
    gint64 ns = -1;
    if (!m_playbin || !gst_element_query_duration(m_playbin, GST_FORMAT_TIME, &ns))
        return -1;
    return ns;
}

bool GstPlaybin::hasVideo() const
{
    gint streams = 0;
    if (m_playbin)
        g_object_get(m_playbin, "n-video", &streams, nullptr);
    return streams > 0;
}

void GstPlaybin::setVolume(double factor)
{
    if (m_playbin)
        g_object_set(m_playbin, "volume", factor, nullptr);
}

void GstPlaybin::setFrameSize(int width, int height)
{
    if (!m_frameSize || width <= 0 || height <= 0)
        return;
    GstCaps *caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "width",
                                        G_TYPE_INT, width, "height", G_TYPE_INT, height,
                                        "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr);
    g_object_set(m_frameSize, "caps", caps, nullptr);
    gst_caps_unref(caps);
}

QImage GstPlaybin::latestFrame() const
{
    const std::lock_guard lock(m_frameLock);
    return m_frame;
}

void GstPlaybin::storeFrame(QImage frame)
{
    const bool notify = !frame.isNull();
    {
        const std::lock_guard lock(m_frameLock);
        m_frame = std::move(frame);
    }
    if (notify)
        m_frames();
}

void GstPlaybin::tuneSynthesiser(GstElement *element)
{
    GstElementFactory *factory = gst_element_get_factory(element);
    if (factory &&
        g_strcmp0(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), "fluiddec") == 0)
        g_object_set(element, "synth-gain", SynthesiserGain, nullptr);
}

bool GstPlaybin::isOwnMessage(const GstMessage *message) const
{
    return GST_MESSAGE_SRC(message) == GST_OBJECT(m_playbin);
}
