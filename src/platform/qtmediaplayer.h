#pragma once

#include "platform/mediaplayer.h"
#include "platform/silentstartwatch.h"

#include <QPointer>

#include <optional>

class QAudioOutput;
class QMediaPlayer;
class QTimer;
class QVideoWidget;

// The media player on Qt Multimedia (GStreamer on Linux). Qt's player works asynchronously and
// has rough edges there: a seek or a rate given before the media is ready is dropped, a file
// that fails leaves it "playing", and stopping or reloading such a player blocks for a second.
// This class keeps seeks and rates until the media can take them, reports failures as stopped,
// and uses a fresh QMediaPlayer for every URL, after every failure and to play again after the end.
//
// The audio output and the video area live as long as this object; the video area is deleted
// with it unless the caller has given it a parent.
class QtMediaPlayer : public MediaPlayer {
    Q_OBJECT

public:
    explicit QtMediaPlayer(QObject *parent = nullptr);
    ~QtMediaPlayer() override;

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
    bool hasVideo() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void replacePlayer();
    bool loadSource();
    bool reloadSource(qint64 atMs);
    bool isReady() const;
    qint64 positionMs() const;
    void onQtChanged();
    void onFailure(const QString &message);
    void applyPending();
    void updateState();
    void watchStart();
    void watchTick();
    void restartAtRate();

    QAudioOutput *m_audio = nullptr;
    QPointer<QVideoWidget> m_video;
    QMediaPlayer *m_player = nullptr;
    // A start that gives neither sound nor length is reported as a failure.
    SilentStartWatch m_silence{*this};
    QTimer *m_silenceTimer = nullptr;

    QString m_url;
    std::optional<qint64> m_pendingSeekMs;
    double m_rate = 1.0;
    bool m_rateDirty = false;
    bool m_autoStart = true;
    bool m_enabled = true;
    bool m_failed = false;
    // The song was loaded for a later play and has not played since.
    bool m_firstPlayWaits = false;
    int m_volume = 100;
    double m_gain = 1.0;
    PlayState m_state = PlayState::Stopped;
    // Changes with every URL and every failure, so that code resumed after a signal handler
    // can tell that the handler moved on to other media.
    unsigned m_generation = 0;
};
