#pragma once

#include "platform/mediaplayer.h"
#include "platform/silentstartwatch.h"

#include <QPointer>

#include <atomic>
#include <memory>
#include <optional>

class GstPlaybin;
class GstVideoArea;
class QTimer;
struct _GstMessage;

// The media player on GStreamer: one playbin for the life of the player, its sound to the sound
// server (pulsesink) and its pictures to an appsink whose frames the video area paints.
//
// A URL is loaded paused at its start (prerolled), so that play() sounds at once however long
// the song waited. Play, pause, stop, seeks, the end of the song and speed changes all work on
// that one pipeline: a seek or a speed change is a flushing accurate seek at the place asked
// (the current one for a speed change), which the pipeline takes in any state once prerolled.
// State changes are asynchronous: the bus is read on the thread that made the player, through
// queued calls, and the play state follows the requests, not the pipeline's passing states,
// so a seek or a speed change while playing reports nothing.
class GstMediaPlayer : public MediaPlayer {
    Q_OBJECT

public:
    explicit GstMediaPlayer(QObject *parent = nullptr);
    ~GstMediaPlayer() override;

    void setURL(const QString &path) override;
    QString URL() const override { return m_url; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    PlayState playState() const override { return m_state; }

    void play() override;
    void pause() override;
    void stop() override;

    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    QString currentPositionString() const override;

    void setAutoStart(bool autoStart) override { m_autoStart = autoStart; }
    void setRate(double rate) override;
    double rate() const override { return m_rate; }
    int volume() const override { return m_volume; }
    void setVolume(int volume) override;
    // A factor (0..1) the output applies on top of the volume, for the whole song: the
    // volume, the fade and the mute keep their meaning over it.
    void setGain(double factor);

    double duration() const override;
    QString durationString() const override;

    QWidget *videoArea() override;
    bool hasVideo() const override { return m_hasVideo; }

    // The sound server's output (a PulseAudio sink name) the songs play to; empty for the
    // system's default. Takes effect from the next URL.
    void setOutputDevice(const QString &sink) { m_output = sink; }
    QString outputDevice() const { return m_output; }

private:
    void load(bool playWhenReady);
    void onMessage(_GstMessage *message, unsigned generation);
    void onPrerolled();
    void onEnd();
    void onFailure(const QString &message);
    void restartStream();
    void seekTo(qint64 ns);
    void queryDuration();
    void showFrame();
    void resizeFrames();
    void setState(PlayState state);
    void watchTick();

    std::unique_ptr<GstPlaybin> m_pipe;
    QPointer<GstVideoArea> m_video;
    SilentStartWatch m_silence{*this};
    QTimer *m_silenceTimer = nullptr;

    QString m_url;
    QString m_output;
    // Where a seek asked before the song was prerolled will go.
    std::optional<qint64> m_pendingNs;
    // The place a seek is on its way to: read as the position until the pipeline is there.
    std::optional<qint64> m_seekingNs;
    qint64 m_durationNs = 0;
    double m_rate = 1.0;
    double m_gain = 1.0;
    int m_volume = 100;
    bool m_autoStart = true;
    bool m_enabled = true;
    bool m_prerolled = false;
    bool m_failed = false;
    bool m_hasVideo = false;
    // What the presenter asked for last: play (true) or not.
    bool m_wantPlaying = false;
    PlayState m_state = PlayState::Stopped;
    // Changes with every load, so that messages of an earlier load are dropped. Read by the
    // pipeline's threads as they post.
    std::atomic<unsigned> m_generation = 0;
    // A frame is on its way to the video area; later ones wait for it.
    std::atomic<bool> m_framePosted = false;
};
