// GStreamer's headers come first: a GLib header uses a member name that Qt defines as a macro.
#include <gst/gst.h>

#include "platform/gstmediaplayer.h"

#include "platform/gstplaybin.h"
#include "platform/gstvideoarea.h"
#include "platform/mediastack.h"

#include <QTimer>

#include <cmath>
#include <memory>

namespace {

// A seek closer than this to where playback already is changes nothing; skipping it avoids a
// jump back when a caller "resumes" at a position it read a moment ago.
constexpr qint64 SeekToleranceNs = 50 * GST_MSECOND;
constexpr int SilenceCheckMs = 500;

using MessageRef = std::shared_ptr<GstMessage>;

QString errorText(GstMessage *message)
{
    GError *error = nullptr;
    gchar *debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    QString text = error && error->message ? QString::fromUtf8(error->message) : QString();
    g_clear_error(&error);
    g_free(debug);
    return text.isEmpty() ? QStringLiteral("Il formato del file non è riconosciuto.") : text;
}

} // namespace

GstMediaPlayer::GstMediaPlayer(QObject *parent) : MediaPlayer(parent)
{
    initMediaStack();
    m_video = new GstVideoArea;
    connect(m_video, &GstVideoArea::mouseMoved, this, &MediaPlayer::mouseMoved);
    connect(m_video, &GstVideoArea::mouseReleased, this, &MediaPlayer::mouseReleased);
    connect(m_video, &GstVideoArea::resized, this, &GstMediaPlayer::resizeFrames);
    // Both called on the pipeline's threads: they only post to this object's thread.
    auto messages = [this](GstMessage *message) {
        const MessageRef ref(message, gst_message_unref);
        const unsigned generation = m_generation;
        QMetaObject::invokeMethod(
            this, [this, ref, generation] { onMessage(ref.get(), generation); },
            Qt::QueuedConnection);
    };
    auto frames = [this] {
        if (!m_framePosted.exchange(true))
            QMetaObject::invokeMethod(this, &GstMediaPlayer::showFrame, Qt::QueuedConnection);
    };
    m_pipe = std::make_unique<GstPlaybin>(messages, frames);
    m_silenceTimer = new QTimer(this);
    m_silenceTimer->setInterval(SilenceCheckMs);
    connect(m_silenceTimer, &QTimer::timeout, this, &GstMediaPlayer::watchTick);
    setVolume(m_volume);
}

GstMediaPlayer::~GstMediaPlayer()
{
    // The pipeline stops before the video area and this object go.
    m_pipe.reset();
    if (m_video && !m_video->parent())
        delete m_video.data();
}

void GstMediaPlayer::setURL(const QString &path)
{
    m_url = path;
    m_pendingNs.reset();
    m_silence.disarm();
    if (path.isEmpty()) {
        ++m_generation;
        m_wantPlaying = false;
        m_prerolled = false;
        m_failed = false;
        m_durationNs = 0;
        m_hasVideo = false;
        m_pipe->reset(path, m_output);
        setState(PlayState::Stopped);
        return;
    }
    QPointer<GstMediaPlayer> self(this);
    load(m_autoStart);
    if (self && !m_failed)
        setState(m_autoStart ? PlayState::Transitioning : PlayState::Stopped);
}

// The file, paused at its start; it plays once prerolled when asked to.
void GstMediaPlayer::load(bool playWhenReady)
{
    ++m_generation;
    m_prerolled = false;
    m_failed = false;
    m_hasVideo = false;
    m_durationNs = 0;
    m_seekingNs.reset();
    m_wantPlaying = playWhenReady;
    if (!m_pipe->isValid()) {
        onFailure(missingMediaStackWarning());
        return;
    }
    m_pipe->reset(m_url, m_output);
    resizeFrames();
    if (!m_pipe->setTarget(GstPlaybin::Target::Paused)) {
        onFailure(QStringLiteral("Il file non si può aprire."));
        return;
    }
    if (playWhenReady) {
        m_silence.arm();
        m_silenceTimer->start();
    }
}

void GstMediaPlayer::play()
{
    if (!m_enabled || m_url.isEmpty() || m_state == PlayState::Playing)
        return;
    if (m_failed) {
        // The file may have been put right since it failed.
        QPointer<GstMediaPlayer> self(this);
        load(true);
        if (self && !m_failed)
            setState(PlayState::Transitioning);
        return;
    }
    m_wantPlaying = true;
    m_silence.arm();
    m_silenceTimer->start();
    if (m_prerolled)
        restartStream();
    setState(PlayState::Transitioning);
}

// The sound server's stream of a paused pipeline keeps a clock that runs on while nothing
// plays, and the sink places the song's first samples by that clock: a play after 6 s of
// waiting began with 6 s of silence, a resume with as much silence as the pause lasted. Back
// to Ready, the pipeline opens a fresh stream and prerolls again where the song was, which
// takes a few milliseconds; it plays once prerolled.
void GstMediaPlayer::restartStream()
{
    if (!m_pendingNs) {
        const qint64 at = std::llround(currentPosition() * GST_SECOND);
        if (at > 0)
            m_pendingNs = at;
    }
    m_seekingNs.reset();
    m_prerolled = false;
    ++m_generation;
    if (!m_pipe->setTarget(GstPlaybin::Target::Ready) ||
        !m_pipe->setTarget(GstPlaybin::Target::Paused))
        onFailure(QStringLiteral("Il file non si può riprodurre."));
}

void GstMediaPlayer::pause()
{
    if (!m_enabled || m_failed || m_url.isEmpty())
        return;
    m_wantPlaying = false;
    m_silence.disarm();
    (void)m_pipe->setTarget(GstPlaybin::Target::Paused);
    setState(PlayState::Paused);
}

void GstMediaPlayer::stop()
{
    m_wantPlaying = false;
    m_pendingNs.reset();
    m_silence.disarm();
    if (!m_failed && !m_url.isEmpty()) {
        (void)m_pipe->setTarget(GstPlaybin::Target::Paused);
        if (m_prerolled)
            seekTo(0);
    }
    setState(PlayState::Stopped);
}

double GstMediaPlayer::currentPosition() const
{
    if (m_failed || m_url.isEmpty())
        return 0.0;
    qint64 ns = 0;
    if (m_pendingNs)
        ns = *m_pendingNs;
    else if (m_seekingNs)
        ns = *m_seekingNs;
    else if (m_prerolled)
        ns = qMax<qint64>(0, m_pipe->positionNs());
    return static_cast<double>(ns) / GST_SECOND;
}

void GstMediaPlayer::setCurrentPosition(double seconds)
{
    if (!m_enabled || m_failed || m_url.isEmpty() || !std::isfinite(seconds))
        return;
    const qint64 ns = qMax<qint64>(0, std::llround(seconds * GST_SECOND));
    if (!m_prerolled) {
        m_pendingNs = ns;
        return;
    }
    if (!m_seekingNs && qAbs(ns - m_pipe->positionNs()) < SeekToleranceNs)
        return;
    seekTo(ns);
}

QString GstMediaPlayer::currentPositionString() const
{
    if (m_url.isEmpty() || m_failed)
        return {};
    return minutesDotSeconds(currentPosition());
}

// A speed change is a seek to where the song is, at the new speed; a playing song goes on
// playing and reports nothing.
void GstMediaPlayer::setRate(double rate)
{
    if (!(rate > 0.0) || !std::isfinite(rate) || rate == m_rate)
        return;
    m_rate = rate;
    if (!m_prerolled || m_failed)
        return;
    seekTo(std::llround(currentPosition() * GST_SECOND));
}

void GstMediaPlayer::setVolume(int volume)
{
    m_volume = qBound(0, volume, 100);
    m_pipe->setVolume(m_volume * m_gain / 100.0);
}

void GstMediaPlayer::setGain(double factor)
{
    m_gain = std::isfinite(factor) ? qBound(0.0, factor, 1.0) : 1.0;
    setVolume(m_volume);
}

double GstMediaPlayer::duration() const
{
    return m_failed ? 0.0 : static_cast<double>(m_durationNs) / GST_SECOND;
}

QString GstMediaPlayer::durationString() const
{
    const double seconds = duration();
    return seconds > 0.0 ? minutesDotSeconds(seconds) : QString();
}

QWidget *GstMediaPlayer::videoArea()
{
    return m_video.data();
}

void GstMediaPlayer::seekTo(qint64 ns)
{
    m_seekingNs = ns;
    if (!m_pipe->seek(ns, m_rate))
        m_seekingNs.reset();
}

void GstMediaPlayer::onMessage(GstMessage *message, unsigned generation)
{
    if (generation != m_generation || m_failed)
        return;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
        onFailure(errorText(message));
        break;
    case GST_MESSAGE_EOS:
        onEnd();
        break;
    case GST_MESSAGE_ASYNC_DONE:
        if (!m_prerolled)
            onPrerolled();
        else
            m_seekingNs.reset();
        queryDuration();
        break;
    case GST_MESSAGE_DURATION_CHANGED:
        queryDuration();
        break;
    case GST_MESSAGE_STATE_CHANGED: {
        GstState now = GST_STATE_NULL;
        gst_message_parse_state_changed(message, nullptr, &now, nullptr);
        if (m_pipe->isOwnMessage(message) && now == GST_STATE_PLAYING && m_wantPlaying)
            setState(PlayState::Playing);
        break;
    }
    default:
        break;
    }
}

void GstMediaPlayer::onPrerolled()
{
    m_prerolled = true;
    m_hasVideo = m_pipe->hasVideo();
    queryDuration();
    if (m_pendingNs || m_rate != 1.0)
        seekTo(m_pendingNs.value_or(0));
    m_pendingNs.reset();
    if (m_wantPlaying && !m_pipe->setTarget(GstPlaybin::Target::Playing))
        onFailure(QStringLiteral("Il file non si può riprodurre."));
}

// The song is ready again at its start, paused, for the next play.
void GstMediaPlayer::onEnd()
{
    m_wantPlaying = false;
    m_silence.disarm();
    (void)m_pipe->setTarget(GstPlaybin::Target::Paused);
    seekTo(0);
    setState(PlayState::Stopped);
}

void GstMediaPlayer::onFailure(const QString &message)
{
    if (m_failed)
        return;
    QPointer<GstMediaPlayer> self(this);
    m_failed = true;
    m_prerolled = false;
    m_wantPlaying = false;
    m_hasVideo = false;
    m_pendingNs.reset();
    m_seekingNs.reset();
    m_silence.disarm();
    (void)m_pipe->setTarget(GstPlaybin::Target::Null);
    ++m_generation;
    const unsigned generation = m_generation;
    emit errorOccurred(message);
    if (self && generation == m_generation)
        setState(PlayState::Stopped);
}

void GstMediaPlayer::queryDuration()
{
    const qint64 ns = m_pipe->durationNs();
    if (ns > 0)
        m_durationNs = ns;
}

void GstMediaPlayer::resizeFrames()
{
    if (!m_video)
        return;
    const QSize size = m_video->frameSize();
    m_pipe->setFrameSize(size.width(), size.height());
}

void GstMediaPlayer::showFrame()
{
    m_framePosted = false;
    if (m_video)
        m_video->showFrame(m_pipe->latestFrame());
}

void GstMediaPlayer::setState(PlayState state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit playStateChanged(state);
}

void GstMediaPlayer::watchTick()
{
    if (!m_silence.isArmed()) {
        m_silenceTimer->stop();
        return;
    }
    if (m_silence.tick(SilenceCheckMs)) {
        m_silenceTimer->stop();
        onFailure(QStringLiteral("Il file si apre, ma dopo %1 secondi non dà né suono né durata: "
                                 "su questo computer non si riesce a riprodurlo.")
                      .arg(SilentStartWatch::GraceMs / 1000));
    }
}
