#include "platform/qtmediaplayer.h"

#include "platform/qtplaystate.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

#include <cmath>
#include <utility>

namespace {

// A seek closer than this to where playback already is changes nothing; skipping it avoids a
// jump back when a caller "resumes" at a position it read a moment ago.
constexpr qint64 SeekToleranceMs = 50;
constexpr int SilenceCheckMs = 500;

} // namespace

QtMediaPlayer::QtMediaPlayer(QObject *parent)
    : MediaPlayer(parent), m_audio(new QAudioOutput(this)), m_video(new QVideoWidget)
{
    // The picture is drawn in a child window container; the pointer lands there, and its moves
    // reach the video area only if the child tracks the mouse as well.
    m_video->setMouseTracking(true);
    const QList<QWidget *> children = m_video->findChildren<QWidget *>();
    for (QWidget *child : children) {
        child->setMouseTracking(true);
    }
    m_video->installEventFilter(this);
    m_silenceTimer = new QTimer(this);
    m_silenceTimer->setInterval(SilenceCheckMs);
    connect(m_silenceTimer, &QTimer::timeout, this, &QtMediaPlayer::watchTick);
    replacePlayer();
}

QtMediaPlayer::~QtMediaPlayer()
{
    if (m_player) {
        m_player->disconnect(this);
        delete m_player;
        m_player = nullptr;
    }
    if (m_video && !m_video->parent()) {
        delete m_video;
    }
}

// A QMediaPlayer whose media failed stays "playing" inside, and stop() or setSource() on it then
// waits about a second for GStreamer; a new player costs a few milliseconds. A new player also
// starts without the rate and the errors of the previous media.
void QtMediaPlayer::replacePlayer()
{
    ++m_generation;
    if (QMediaPlayer *old = m_player) {
        old->disconnect(this);
        if (!m_failed) {
            old->stop();
        }
        // Before the new player takes them: one output can feed one pipeline only.
        old->setVideoOutput(nullptr);
        old->setAudioOutput(nullptr);
        // Not deleted here: we may be inside one of its own signals.
        old->deleteLater();
    }
    m_player = new QMediaPlayer(this);
    m_player->setAudioOutput(m_audio);
    m_player->setVideoOutput(m_video.data());
    m_rateDirty = m_rate != 1.0;

    connect(m_player, &QMediaPlayer::playbackStateChanged, this, &QtMediaPlayer::onQtChanged);
    connect(m_player, &QMediaPlayer::durationChanged, this, &QtMediaPlayer::onQtChanged);
    connect(m_player, &QMediaPlayer::seekableChanged, this, &QtMediaPlayer::onQtChanged);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::InvalidMedia) {
                    onFailure(m_player->errorString());
                } else {
                    onQtChanged();
                }
            });
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString &message) {
                if (error != QMediaPlayer::NoError) {
                    onFailure(message);
                }
            });
}

// False when the file failed at once (a missing file fails inside setSource()).
bool QtMediaPlayer::loadSource()
{
    const unsigned generation = m_generation;
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(m_url).absoluteFilePath()));
    return generation == m_generation && !m_failed;
}

// A player of its own for the same song, for a start that must not depend on the state the
// old pipeline was left in; it goes on from atMs.
bool QtMediaPlayer::reloadSource(qint64 atMs)
{
    replacePlayer();
    if (!loadSource()) {
        return false;
    }
    if (atMs > 0) {
        m_pendingSeekMs = atMs;
    }
    return true;
}

void QtMediaPlayer::setURL(const QString &path)
{
    QPointer<QtMediaPlayer> self(this);
    m_url = path;
    m_pendingSeekMs.reset();
    m_silence.disarm();
    m_failed = false;
    replacePlayer();
    const unsigned generation = m_generation;
    const bool loaded = !path.isEmpty() && loadSource();
    m_firstPlayWaits = loaded && !m_autoStart;
    if (loaded && m_autoStart) {
        m_player->play();
        watchStart();
    }
    if (self && generation == m_generation) {
        updateState();
    }
}

void QtMediaPlayer::play()
{
    if (!m_enabled || m_url.isEmpty()) {
        return;
    }
    QPointer<QtMediaPlayer> self(this);
    // After the end of the media GStreamer restarts the same pipeline with a seek to 0 made
    // while it is still settling; on a busy machine that seek can get lost, the pipeline
    // stays at its end and never reports the end again, so the song "plays" for ever. A fresh
    // player starts from 0 for sure.
    const bool ended = !m_failed && m_player->mediaStatus() == QMediaPlayer::EndOfMedia;
    // The first play of a song loaded a while before starts with as much silence as it waited
    // (0.5 s gave 0.64 s, 4 s gave 4.3 s): the sound server's stream opened at the load runs
    // on. A pause, stop or seek first did not help; a fresh player, from the place chosen so
    // far, sounds about 0.18 s after play(). Plays after a pause or a stop start on time.
    // A play while the song is still loading has not waited: its stream is not open yet, and
    // a player replaced in the middle of its load often never started on a busy machine.
    const bool waited = std::exchange(m_firstPlayWaits, false) && !m_failed &&
                        m_player->mediaStatus() == QMediaPlayer::LoadedMedia;
    if (m_failed || ended || waited) {
        // After a failure, try the file again: it may have been put right since.
        const bool reload = !m_failed;
        m_failed = false;
        if (!(reload ? reloadSource(waited ? m_pendingSeekMs.value_or(positionMs()) : 0)
                     : loadSource())) {
            return;
        }
    }
    const unsigned generation = m_generation;
    m_player->play();
    if (self && generation == m_generation) {
        watchStart();
        updateState();
    }
}

void QtMediaPlayer::pause()
{
    if (!m_enabled || m_failed || m_url.isEmpty()) {
        return;
    }
    m_silence.disarm();
    m_player->pause();
    updateState();
}

void QtMediaPlayer::stop()
{
    m_pendingSeekMs.reset();
    m_silence.disarm();
    if (!m_failed) {
        m_player->stop();
    }
    updateState();
}

qint64 QtMediaPlayer::positionMs() const
{
    if (m_failed || m_player->mediaStatus() == QMediaPlayer::EndOfMedia) {
        return 0;
    }
    return m_player->position();
}

double QtMediaPlayer::currentPosition() const
{
    return static_cast<double>(m_pendingSeekMs.value_or(positionMs())) / 1000.0;
}

void QtMediaPlayer::setCurrentPosition(double seconds)
{
    if (!m_enabled || m_failed || m_url.isEmpty() || !std::isfinite(seconds)) {
        return;
    }
    const qint64 target = qMax<qint64>(0, std::llround(seconds * 1000.0));
    if (!m_pendingSeekMs && qAbs(target - positionMs()) < SeekToleranceMs) {
        return;
    }
    m_pendingSeekMs = target;
    applyPending();
}

QString QtMediaPlayer::currentPositionString() const
{
    if (m_url.isEmpty() || m_failed) {
        return {};
    }
    return minutesDotSeconds(currentPosition());
}

void QtMediaPlayer::setRate(double rate)
{
    if (!(rate > 0.0) || !std::isfinite(rate)) {
        return;
    }
    if (rate == m_rate && !m_rateDirty) {
        return;
    }
    m_rate = rate;
    m_rateDirty = true;
    if (isReady() && m_player->playbackState() == QMediaPlayer::PlayingState) {
        restartAtRate();
        return;
    }
    applyPending();
}

// A rate changed on a running pipeline is a flushing seek, and on a busy machine the sound
// server's stream often stalls after it: the position stands still for good while the state
// stays "playing". A rate given to a fresh player as it starts takes, so the song goes
// on from the same place in a new player; the gap is a fraction of a second.
void QtMediaPlayer::restartAtRate()
{
    if (!reloadSource(m_player->position())) {
        return;
    }
    m_player->play();
    watchStart();
    updateState();
}

void QtMediaPlayer::setVolume(int volume)
{
    m_volume = qBound(0, volume, 100);
    m_audio->setVolume(static_cast<float>(m_volume * m_gain / 100.0));
}

void QtMediaPlayer::setGain(double factor)
{
    m_gain = std::isfinite(factor) ? qBound(0.0, factor, 1.0) : 1.0;
    setVolume(m_volume);
}

double QtMediaPlayer::duration() const
{
    if (m_failed) {
        return 0.0;
    }
    return static_cast<double>(m_player->duration()) / 1000.0;
}

QString QtMediaPlayer::durationString() const
{
    const double seconds = duration();
    return seconds > 0.0 ? minutesDotSeconds(seconds) : QString();
}

QWidget *QtMediaPlayer::videoArea()
{
    return m_video.data();
}

bool QtMediaPlayer::hasVideo() const
{
    return !m_failed && m_player->hasVideo();
}

bool QtMediaPlayer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_video.data()) {
        if (event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            emit mouseMoved(at.x(), at.y());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint at = mouse->position().toPoint();
            emit mouseReleased(at.x(), at.y(), mouse->button());
        } else if (event->type() == QEvent::ChildAdded) {
            if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child())) {
                child->setMouseTracking(true);
            }
        }
    }
    return MediaPlayer::eventFilter(watched, event);
}

// GStreamer takes a seek or a rate only once the media is prerolled and its length is known;
// before that (and for an MP3 without a header, until it has played for a moment) it drops
// them while reporting them as done.
bool QtMediaPlayer::isReady() const
{
    const auto status = m_player->mediaStatus();
    return !m_failed && m_player->duration() > 0 && m_player->isSeekable() &&
           (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia);
}

void QtMediaPlayer::applyPending()
{
    if (!isReady()) {
        return;
    }
    if (m_pendingSeekMs) {
        const qint64 target = *m_pendingSeekMs;
        m_pendingSeekMs.reset();
        m_player->setPosition(target);
    }
    if (m_rateDirty) {
        m_rateDirty = false;
        m_player->setPlaybackRate(m_rate);
    }
}

void QtMediaPlayer::onQtChanged()
{
    applyPending();
    updateState();
}

void QtMediaPlayer::onFailure(const QString &message)
{
    if (m_failed) {
        return;
    }
    QPointer<QtMediaPlayer> self(this);
    m_failed = true;
    m_pendingSeekMs.reset();
    m_silence.disarm();
    replacePlayer();
    const unsigned generation = m_generation;
    emit errorOccurred(message.isEmpty() ? QStringLiteral("Il formato del file non è riconosciuto.")
                                         : message);
    if (self && generation == m_generation) {
        updateState();
    }
}

void QtMediaPlayer::watchStart()
{
    m_silence.arm();
    m_silenceTimer->start();
}

void QtMediaPlayer::watchTick()
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

void QtMediaPlayer::updateState()
{
    const PlayState state = m_failed
                                ? PlayState::Stopped
                                : qtPlayState(m_player->playbackState(), m_player->mediaStatus());
    if (state == m_state) {
        return;
    }
    m_state = state;
    emit playStateChanged(state);
}
