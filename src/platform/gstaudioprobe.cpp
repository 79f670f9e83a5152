// GStreamer's headers come first: a GLib header uses a member name that Qt defines as a macro.
#include <ebur128.h>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/pbutils/missing-plugins.h>

#include "platform/gstaudioprobe.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

constexpr GstClockTime PullTimeout = 100 * GST_MSECOND;
// A pipeline that gives neither audio, nor an end, nor an error for this long is stuck.
constexpr int StallLimitMs = 20000;

double decibels(double linear)
{
    return linear > 0.0 ? 20.0 * std::log10(linear) : AudioAnalysis::Silence;
}

QString fromGError(const GError *error)
{
    return error && error->message ? QString::fromUtf8(error->message) : QString();
}

// The loudness meter and the running figures over every block the pipeline delivers. The
// block format may change within a file (a new rate); the meter follows it.
class Meter {
public:
    explicit Meter(AudioRange range) : m_range(range) {}
    Meter(const Meter &) = delete;
    Meter &operator=(const Meter &) = delete;
    ~Meter()
    {
        if (m_state)
            ebur128_destroy(&m_state);
    }

    bool add(GstSample *sample);
    void finish(AudioAnalysis &out);

private:
    bool configure(unsigned channels, unsigned long rate);
    void collectPeaks();

    AudioRange m_range;
    qint64 m_frames = 0; // decoded so far
    ebur128_state *m_state = nullptr;
    unsigned m_channels = 0;
    unsigned long m_rate = 0;
    double m_seconds = 0.0;
    double m_samplePeak = 0.0;
    double m_truePeak = 0.0;
};

bool Meter::configure(unsigned channels, unsigned long rate)
{
    if (channels == m_channels && rate == m_rate)
        return true;
    if (!m_state) {
        m_state = ebur128_init(channels, rate,
                               EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_TRUE_PEAK);
        if (!m_state)
            return false;
    } else {
        collectPeaks();
        if (ebur128_change_parameters(m_state, channels, rate) != EBUR128_SUCCESS)
            return false;
    }
    m_channels = channels;
    m_rate = rate;
    // A single channel is heard on both loudspeakers.
    if (channels == 1)
        ebur128_set_channel(m_state, 0, EBUR128_DUAL_MONO);
    return true;
}

bool Meter::add(GstSample *sample)
{
    const GstStructure *format = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
    int channels = 0;
    int rate = 0;
    if (!format || !gst_structure_get_int(format, "channels", &channels) ||
        !gst_structure_get_int(format, "rate", &rate) || channels <= 0 || rate <= 0 ||
        !configure(unsigned(channels), static_cast<unsigned long>(rate)))
        return false;
    GstBuffer *buffer = gst_sample_get_buffer(sample);
    GstMapInfo map;
    if (!buffer || !gst_buffer_map(buffer, &map, GST_MAP_READ))
        return false;
    const size_t frames = map.size / (sizeof(float) * size_t(channels));
    const auto *samples = reinterpret_cast<const float *>(map.data);
    // Only the frames inside the range are measured; all of them count for the length.
    const qint64 from = m_range.fromMs * rate / 1000;
    const qint64 to = m_range.toMs > 0 ? m_range.toMs * rate / 1000 : m_frames + qint64(frames);
    const qint64 skip = std::clamp<qint64>(from - m_frames, 0, qint64(frames));
    const qint64 take = std::clamp<qint64>(to - m_frames - skip, 0, qint64(frames) - skip);
    const bool ok = take == 0 || ebur128_add_frames_float(m_state, samples + skip * channels,
                                                          size_t(take)) == EBUR128_SUCCESS;
    gst_buffer_unmap(buffer, &map);
    m_frames += qint64(frames);
    m_seconds += double(frames) / double(rate);
    return ok;
}

void Meter::collectPeaks()
{
    for (unsigned c = 0; c < m_channels; ++c) {
        double peak = 0.0;
        if (ebur128_sample_peak(m_state, c, &peak) == EBUR128_SUCCESS)
            m_samplePeak = std::max(m_samplePeak, peak);
        if (ebur128_true_peak(m_state, c, &peak) == EBUR128_SUCCESS)
            m_truePeak = std::max(m_truePeak, peak);
    }
}

void Meter::finish(AudioAnalysis &out)
{
    out.seconds = m_seconds;
    if (!m_state)
        return;
    collectPeaks();
    double loudness = 0.0;
    if (ebur128_loudness_global(m_state, &loudness) == EBUR128_SUCCESS && std::isfinite(loudness))
        out.loudness = loudness;
    out.samplePeak = decibels(m_samplePeak);
    out.truePeak = decibels(m_truePeak);
}

// What the decoder found while it sorted the file's streams.
struct Streams {
    GstElement *convert = nullptr;
    std::atomic_bool audioLinked{false};
};

bool isAudio(GstCaps *caps)
{
    const GstStructure *s =
        caps && !gst_caps_is_empty(caps) ? gst_caps_get_structure(caps, 0) : nullptr;
    return s && g_str_has_prefix(gst_structure_get_name(s), "audio/");
}

// Links the decoder's first audio stream to the converter. Other streams are never decoded.
void linkAudioPad(GstElement *, GstPad *pad, gpointer data)
{
    auto *streams = static_cast<Streams *>(data);
    GstCaps *caps = gst_pad_get_current_caps(pad);
    if (!caps)
        caps = gst_pad_query_caps(pad, nullptr);
    const bool audio = isAudio(caps);
    if (caps)
        gst_caps_unref(caps);
    if (!audio)
        return;
    GstPad *sink = gst_element_get_static_pad(streams->convert, "sink");
    if (!gst_pad_is_linked(sink) && GST_PAD_LINK_SUCCESSFUL(gst_pad_link(pad, sink)))
        streams->audioLinked = true;
    gst_object_unref(sink);
}

class Pipeline {
public:
    explicit Pipeline(const QString &path);
    Pipeline(const Pipeline &) = delete;
    Pipeline &operator=(const Pipeline &) = delete;
    ~Pipeline()
    {
        if (m_bin) {
            gst_element_set_state(m_bin, GST_STATE_NULL);
            gst_object_unref(m_bin);
        }
    }
    // Empty when the pipeline could be made and started.
    QString error() const { return m_error; }
    void run(AudioAnalysis &out, const std::atomic_bool &stop, AudioRange range);

private:
    QString busError();
    bool noSound() const;

    GstElement *m_bin = nullptr;
    GstAppSink *m_sink = nullptr;
    Streams m_streams;
    bool m_noDecoder = false;
    bool m_missingAudio = false;
    QString m_error;
};

Pipeline::Pipeline(const QString &path)
{
    m_bin = gst_pipeline_new(nullptr);
    GstElement *decode = gst_element_factory_make("uridecodebin", nullptr);
    GstElement *convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement *sink = gst_element_factory_make("appsink", nullptr);
    if (!m_bin || !decode || !convert || !sink) {
        for (GstElement *e : {decode, convert, sink})
            if (e)
                gst_object_unref(e);
        m_error = QStringLiteral("GStreamer non è installato completamente");
        return;
    }
    gst_bin_add_many(GST_BIN(m_bin), decode, convert, sink, nullptr);
    gst_element_link(convert, sink);
    const QByteArray file = QFileInfo(path).absoluteFilePath().toLocal8Bit();
    gchar *uri = gst_filename_to_uri(file.constData(), nullptr);
    g_object_set(decode, "uri", uri, nullptr);
    g_free(uri);
    // Only the sound is decoded: the pictures of a video are skipped, not drawn.
    GstCaps *raw = gst_caps_from_string("audio/x-raw");
    g_object_set(decode, "caps", raw, "expose-all-streams", FALSE, nullptr);
    gst_caps_unref(raw);
    m_streams.convert = convert;
    g_signal_connect(decode, "pad-added", G_CALLBACK(linkAudioPad), &m_streams);
    GstCaps *caps = gst_caps_from_string("audio/x-raw,format=F32LE,layout=interleaved");
    g_object_set(sink, "caps", caps, "sync", FALSE, "max-buffers", 16, nullptr);
    gst_caps_unref(caps);
    m_sink = GST_APP_SINK(sink);
    if (gst_element_set_state(m_bin, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        m_error = busError();
        if (m_error.isEmpty())
            m_error = QStringLiteral("Il formato del file non è riconosciuto.");
    }
}

// Reads what the pipeline posted since the last call: the first error's text, whether it was
// for want of a decoder, and whether a sound stream lacked one.
QString Pipeline::busError()
{
    GstBus *bus = gst_element_get_bus(m_bin);
    QString text;
    while (GstMessage *message = gst_bus_pop(bus)) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR && text.isEmpty()) {
            GError *error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            text = fromGError(error);
            m_noDecoder = g_error_matches(error, GST_CORE_ERROR, GST_CORE_ERROR_MISSING_PLUGIN);
            if (text.isEmpty())
                text = QStringLiteral("Errore di GStreamer");
            g_clear_error(&error);
        } else if (gst_is_missing_plugin_message(message)) {
            gchar *detail = gst_missing_plugin_message_get_installer_detail(message);
            const QByteArray kind(detail ? detail : "");
            g_free(detail);
            m_missingAudio = m_missingAudio || kind.contains("-audio/");
        }
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    return text;
}

// A file whose streams are all pictures (a video without a sound track) fails only because
// nothing in it decodes to sound, and is reported as wanting a decoder; a sound stream that no
// installed decoder reads is a real failure, and names the missing decoder.
bool Pipeline::noSound() const
{
    return !m_streams.audioLinked && m_noDecoder && !m_missingAudio;
}

void Pipeline::run(AudioAnalysis &out, const std::atomic_bool &stop, AudioRange range)
{
    Meter meter(range);
    int idleMs = 0;
    for (;;) {
        if (stop) {
            out.outcome = AudioAnalysis::Outcome::Stopped;
            return;
        }
        if (GstSample *sample = gst_app_sink_try_pull_sample(m_sink, PullTimeout)) {
            const bool ok = meter.add(sample);
            gst_sample_unref(sample);
            if (!ok) {
                out.outcome = AudioAnalysis::Outcome::Failed;
                out.error = QStringLiteral("Formato audio non gestito");
                return;
            }
            idleMs = 0;
            continue;
        }
        if (const QString error = busError(); !error.isEmpty()) {
            // A file without any sound (a silent video) plays; it has nothing to measure.
            if (noSound())
                break;
            out.outcome = AudioAnalysis::Outcome::Failed;
            out.error = error;
            return;
        }
        if (gst_app_sink_is_eos(m_sink))
            break;
        idleMs += int(PullTimeout / GST_MSECOND);
        if (idleMs >= StallLimitMs) {
            out.outcome = AudioAnalysis::Outcome::Failed;
            out.error = QStringLiteral("Il file non produce audio");
            return;
        }
    }
    meter.finish(out);
    out.outcome = AudioAnalysis::Outcome::Decoded;
}

} // namespace

GstAudioProbe::GstAudioProbe()
{
    static std::once_flag once;
    std::call_once(once, [] { gst_init(nullptr, nullptr); });
}

AudioAnalysis GstAudioProbe::analyse(const QString &path, const std::atomic_bool &stop,
                                     AudioRange range)
{
    AudioAnalysis result;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        result.outcome = AudioAnalysis::Outcome::Missing;
        return result;
    }
    Pipeline pipeline(path);
    if (!pipeline.error().isEmpty()) {
        result.outcome = AudioAnalysis::Outcome::Failed;
        result.error = pipeline.error();
        return result;
    }
    pipeline.run(result, stop, range);
    return result;
}
